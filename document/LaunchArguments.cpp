#include "document/LaunchArguments.h"

#include "document/CommandLine.h"
#include "document/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

InfoRequest FindInfoRequest(const std::vector<std::string>& args, bool namesAfterDoubleDash) {
    InfoRequest request = InfoRequest::None;
    for (const std::string& arg : args) {
        if (namesAfterDoubleDash && arg == "--")
            break;
        if (arg == "-h" || arg == "--help")
            return InfoRequest::Help;
        if (arg == "--version")
            request = InfoRequest::Version;
    }
    return request;
}

namespace {
// Enough for a mesh of a few thousand segments; a model's first line is its counts.
constexpr std::size_t Enough = 64 * 1024;
constexpr const char* Blanks = " \t\n\r\v\f";

// The first bytes of a regular file, ending at a blank so that no number is cut in
// two; whether the file ended there. Empty for anything else; O_NONBLOCK keeps a
// FIFO from holding up the start.
std::string FileStart(const std::string& path, bool& whole) {
    whole = true;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::string text;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        text.resize(Enough);
        std::size_t filled = 0;
        while (filled < Enough) {
            const ssize_t got = ::read(fd, text.data() + filled, Enough - filled);
            if (got <= 0)
                break;
            filled += static_cast<std::size_t>(got);
        }
        text.resize(filled);
        if (static_cast<std::uintmax_t>(info.st_size) > filled) {
            whole = false;
            const std::size_t lastBlank = text.find_last_of(Blanks);
            text.resize(lastBlank == std::string::npos ? 0 : lastBlank);
        }
    }
    ::close(fd);
    return text;
}

// The readers' number extraction allows a leading sign.
std::string_view Unsigned(std::string_view word) {
    if (!word.empty() && word.front() == '+')
        word.remove_prefix(1);
    return word;
}

bool IsNumber(std::string_view word) {
    word = Unsigned(word);
    double value = 0.0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size() && std::isfinite(value);
}

bool IsWhole(std::string_view word, int& value) {
    word = Unsigned(word);
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

class Words {
public:
    explicit Words(std::string_view text) : text_(text) {}
    bool next(std::string_view& word) {
        const std::size_t start = text_.find_first_not_of(Blanks, at_);
        if (start == std::string_view::npos)
            return false;
        at_ = std::min(text_.find_first_of(Blanks, start), text_.size());
        word = text_.substr(start, at_ - start);
        return true;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

enum class Match { Yes, No, RanOut };

// One axis: a segment count above 0, the start, then an end and a whole cell count
// for every segment.
Match AxisMatches(Words& words) {
    std::string_view word;
    int segments = 0;
    if (!words.next(word))
        return Match::RanOut;
    if (!IsWhole(word, segments) || segments < 1)
        return Match::No;
    if (!words.next(word))
        return Match::RanOut;
    if (!IsNumber(word))
        return Match::No;
    for (int s = 0; s < segments; ++s) {
        int cells = 0;
        if (!words.next(word))
            return Match::RanOut;
        if (!IsNumber(word))
            return Match::No;
        if (!words.next(word))
            return Match::RanOut;
        if (!IsWhole(word, cells))
            return Match::No;
    }
    return Match::Yes;
}
} // namespace

bool ReadsAsMesh(const std::string& path) {
    bool whole = true;
    const std::string text = FileStart(path, whole);
    // Two whole numbers alone on the first line that holds any are a model's counts.
    const std::size_t start = std::min(text.find_first_not_of(Blanks), text.size());
    Words firstLine(std::string_view(text).substr(start, text.find('\n', start) - start));
    std::string_view a, b, c;
    int count = 0;
    if (firstLine.next(a) && firstLine.next(b) && !firstLine.next(c) && IsWhole(a, count) &&
        IsWhole(b, count))
        return false;
    Words words(text);
    for (int axis = 0; axis < 2; ++axis) {
        const Match match = AxisMatches(words);
        if (match == Match::No)
            return false;
        // What was read matches; the rest lies beyond what was looked at.
        if (match == Match::RanOut)
            return !whole && !text.empty();
    }
    return true;
}

std::vector<std::string> FileManagerOrder(std::vector<std::string> args,
                                          const std::string& launchFolder) {
    if (args.size() != 2 || IsSwitchArgument(args[0]) || IsSwitchArgument(args[1]))
        return args;
    if (!ReadsAsMesh(ResolveAgainst(launchFolder, args[0])) &&
        ReadsAsMesh(ResolveAgainst(launchFolder, args[1])))
        std::swap(args[0], args[1]);
    return args;
}
