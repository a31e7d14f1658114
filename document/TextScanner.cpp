#include "document/TextScanner.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <locale.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
// White space of the classic locale: blank, tab, line feed, vertical tab, form feed
// and carriage return; bytes above 127 are not white space there.
inline bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The stream converts its number text with strtof / strtod in the C locale, whatever
// the process's locale says.
locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return c;
}
float StrToReal(const char* text, char** stop, float) {
    return strtof_l(text, stop, CLocale());
}
double StrToReal(const char* text, char** stop, double) {
    return strtod_l(text, stop, CLocale());
}
} // namespace

std::uint64_t ReadOptions::DefaultSplitBytes() {
    static const std::uint64_t bytes = std::thread::hardware_concurrency() > 1
                                           ? std::uint64_t{1} << 20
                                           : std::numeric_limits<std::uint64_t>::max();
    return bytes;
}

struct TextScanner::File {
    int fd = -1;
    ~File() {
        if (fd >= 0)
            ::close(fd);
    }
};

TextScanner::TextScanner(std::string text)
    : buffer_(std::make_unique_for_overwrite<char[]>(text.size())), capacity_(text.size()) {
    std::memcpy(buffer_.get(), text.data(), text.size());
    pos_ = base();
    end_ = base() + text.size();
}

TextScanner::TextScanner(std::shared_ptr<File> file, std::uint64_t begin, std::uint64_t end,
                         ReadProgress* progress, std::size_t chunkBytes)
    : buffer_(std::make_unique_for_overwrite<char[]>(chunkBytes)), capacity_(chunkBytes),
      pos_(buffer_.get()), end_(buffer_.get()), bufferOffset_(begin), file_(std::move(file)),
      readOffset_(begin), limit_(end), sourceDone_(!file_ || begin >= end), progress_(progress) {}

TextScanner::TextScanner(TextScanner&&) noexcept = default;
TextScanner& TextScanner::operator=(TextScanner&&) noexcept = default;
TextScanner::~TextScanner() = default;

std::optional<TextScanner> TextScanner::OpenFile(const std::string& path, ReadProgress* progress,
                                                 std::size_t chunkBytes) {
    if (path.empty())
        return std::nullopt;
    auto file = std::make_shared<File>();
    // O_NONBLOCK keeps the open itself from waiting for a FIFO's writer.
    file->fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file->fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(file->fd, &info) != 0)
        return std::nullopt;
    // A folder is no file to read, whatever a stream on it would do: it counts as
    // missing (the reader's not-found message names it); a FIFO or a device must never
    // block the program.
    if (!S_ISREG(info.st_mode))
        return std::nullopt;
    return TextScanner(std::move(file), 0, std::numeric_limits<std::uint64_t>::max(), progress,
                       std::max<std::size_t>(chunkBytes, 1));
}

TextScanner TextScanner::slice(std::uint64_t begin, std::uint64_t end) const {
    return TextScanner(file_, begin, std::min(end, limit_), progress_,
                       std::max<std::size_t>(capacity_, 1));
}

bool TextScanner::refill() {
    if (sourceDone_)
        return false;
    if (progress_ && progress_->cancelled.load(std::memory_order_relaxed)) {
        sourceDone_ = true;
        return false;
    }
    const auto kept = static_cast<std::size_t>(end_ - pos_);
    if (kept == capacity_) {
        // One token longer than the buffer: keep all of it in a larger one.
        auto larger = std::make_unique_for_overwrite<char[]>(capacity_ * 2);
        std::memcpy(larger.get(), pos_, kept);
        buffer_ = std::move(larger);
        capacity_ *= 2;
    } else if (kept > 0) {
        std::memmove(base(), pos_, kept);
    }
    bufferOffset_ = readOffset_ - kept;
    pos_ = base();
    end_ = base() + kept;
    const auto wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(capacity_ - kept, limit_ - readOffset_));
    for (;;) {
        const ssize_t got =
            ::pread(file_->fd, base() + kept, wanted, static_cast<off_t>(readOffset_));
        if (got > 0) {
            readOffset_ += static_cast<std::uint64_t>(got);
            end_ += got;
            sourceDone_ = readOffset_ >= limit_;
            if (progress_)
                progress_->bytesRead.fetch_add(static_cast<std::uint64_t>(got),
                                               std::memory_order_relaxed);
            return true;
        }
        // The end of the file, or an error: what was read so far is all the text. The
        // kept characters may have moved: the caller scans them again.
        if (got == 0 || errno != EINTR) {
            sourceDone_ = true;
            return true;
        }
    }
}

std::uint64_t TextScanner::knownEnd() {
    const std::uint64_t buffered = bufferOffset_ + static_cast<std::uint64_t>(end_ - base());
    if (sourceDone_)
        return buffered;
    // The file may have grown or shrunk since it was opened: ask for its size now.
    struct stat info {};
    std::uint64_t size = buffered;
    if (::fstat(file_->fd, &info) == 0 && static_cast<std::uint64_t>(info.st_size) > size)
        size = static_cast<std::uint64_t>(info.st_size);
    return std::min(size, limit_);
}

bool TextScanner::moreTokens() {
    for (;;) {
        while (pos_ != end_ && IsSpace(*pos_))
            ++pos_;
        if (pos_ != end_)
            return true;
        if (!refill())
            return false;
    }
}

std::uint64_t TextScanner::skipToSpace() {
    for (;;) {
        while (pos_ != end_ && !IsSpace(*pos_))
            ++pos_;
        if (pos_ != end_ || !refill())
            return offset();
    }
}

bool TextScanner::start(bool skipWhite) {
    // A stream that has reached its end fails the next read even without white space
    // in between: "12" at the very end reads, the read after it does not.
    if (failed_ || atEnd_) {
        failed_ = true;
        return false;
    }
    if (skipWhite && !moreTokens()) {
        atEnd_ = true;
        failed_ = true;
        return false;
    }
    return true;
}

bool TextScanner::readInt(std::int32_t& value) {
    value = 0;
    if (!start(true))
        return false;
    // The stream reads a long (64 bits here) with its own overflow test, then refuses
    // values outside the int range. In decimal, "0x10" is the number 0 before "x10".
    const char* p = nullptr;
    bool negative = false;
    std::uint64_t result = 0;
    bool digits = false;
    bool overflow = false;
    do {
        p = pos_;
        negative = false;
        if (*p == '-' || *p == '+') {
            negative = *p == '-';
            ++p;
        }
        const std::uint64_t limit =
            negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
        result = 0;
        digits = false;
        overflow = false;
        for (; p != end_ && IsDigit(*p); ++p) {
            const unsigned digit = static_cast<unsigned>(*p - '0');
            digits = true;
            if (result > limit / 10) {
                overflow = true;
            } else {
                result *= 10;
                overflow |= result > limit - digit;
                result += digit;
            }
        }
        // A number that reaches the end of the buffer may go on in the next piece.
    } while (p == end_ && refill());
    pos_ = p;
    if (p == end_)
        atEnd_ = true;
    if (!digits || overflow) {
        failed_ = true;
        return false;
    }
    const std::int64_t wide =
        negative ? static_cast<std::int64_t>(0 - result) : static_cast<std::int64_t>(result);
    if (wide < std::numeric_limits<std::int32_t>::min() ||
        wide > std::numeric_limits<std::int32_t>::max()) {
        failed_ = true;
        return false;
    }
    value = static_cast<std::int32_t>(wide);
    return true;
}

namespace {
// Exact powers of ten: up to 1e10 in a float and 1e22 in a double.
constexpr float FloatPowers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
constexpr double DoublePowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A mantissa and a power of ten that are both exact in T give the correctly rounded
// value with one multiplication or division (Clinger's fast path), which is what
// strtof / strtod return for the text too.
bool FastPath(std::uint64_t mantissa, int exponent, float& value) {
    if (mantissa > (std::uint64_t{1} << 24) || exponent < -10 || exponent > 10)
        return false;
    const auto m = static_cast<float>(mantissa);
    value = exponent < 0 ? m / FloatPowers[-exponent] : m * FloatPowers[exponent];
    return true;
}
bool FastPath(std::uint64_t mantissa, int exponent, double& value) {
    if (mantissa > (std::uint64_t{1} << 53) || exponent < -22 || exponent > 22)
        return false;
    const auto m = static_cast<double>(mantissa);
    value = exponent < 0 ? m / DoublePowers[-exponent] : m * DoublePowers[exponent];
    return true;
}
} // namespace

namespace {
// The characters a plain number and the one after it may take (at most 27): never
// more than this before the buffer's end.
constexpr std::ptrdiff_t PlainReach = 32;

// A number as readReal would take it, in one pass: an optional sign, at most 17 digits
// with at most one point, an exponent of at most four digits. Returns where it ends,
// or nullptr for anything else (no digit, a longer number, an exponent without digits,
// a value out of range): the general path decides those. At least PlainReach
// characters must follow p.
template <typename T>
[[gnu::always_inline]] inline const char* ParsePlain(const char* p, T& value) {
    const char* const begin = p;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    std::uint64_t mantissa = 0;
    int count = 0; // digits taken: seventeen fill the mantissa exactly
    int scale = 0;
    for (; IsDigit(*p); ++p) {
        if (++count > 17)
            return nullptr;
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    }
    if (*p == '.') {
        // A fraction's digits two at a time (most of a model's digits are there).
        for (++p; IsDigit(p[0]) && IsDigit(p[1]); p += 2, scale -= 2) {
            if ((count += 2) > 17)
                return nullptr;
            mantissa = mantissa * 100 + static_cast<unsigned>((p[0] - '0') * 10 + (p[1] - '0'));
        }
        if (IsDigit(*p)) {
            if (++count > 17)
                return nullptr;
            mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
            --scale;
        }
    }
    if (count == 0)
        return nullptr;
    int exponent = 0;
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        const bool exponentNegative = *q == '-';
        if (*q == '+' || *q == '-')
            ++q;
        // One to four digits, taken one by one without a loop.
        if (!IsDigit(*q))
            return nullptr;
        exponent = *q++ - '0';
        for (int n = 1; n < 4 && IsDigit(*q); ++n)
            exponent = exponent * 10 + (*q++ - '0');
        if (IsDigit(*q))
            return nullptr;
        exponent = exponentNegative ? -exponent : exponent;
        p = q;
    }
    T parsed{};
    if (FastPath(mantissa, scale + exponent, parsed)) {
        value = negative ? -parsed : parsed;
        return p;
    }
    const char* const number = *begin == '+' ? begin + 1 : begin;
    const auto [stop, error] = std::from_chars(number, p, parsed, std::chars_format::general);
    if (error != std::errc() || stop != p)
        return nullptr;
    value = parsed;
    return p;
}
} // namespace

template <typename T> bool TextScanner::readPlainReal(T& value) {
    if (failed_ || atEnd_ || end_ - pos_ < 2 * PlainReach)
        return false;
    const char* const guard = end_ - PlainReach;
    const char* p = pos_;
    while (IsSpace(*p)) {
        if (++p == guard)
            return false;
    }
    T parsed{};
    const char* const stop = ParsePlain(p, parsed);
    if (!stop)
        return false;
    value = parsed;
    pos_ = stop;
    return true;
}

std::size_t TextScanner::readPlainFloats(float* out, std::size_t count) {
    if (failed_ || atEnd_)
        return 0;
    const char* const guard = end_ - std::min(end_ - pos_, PlainReach);
    const char* p = pos_;
    std::size_t done = 0;
    while (done < count) {
        // A token must start before the guard (the last one may have ended past it).
        const char* q = p;
        while (q < guard && IsSpace(*q))
            ++q;
        if (q >= guard)
            break;
        const char* const stop = ParsePlain(q, out[done]);
        if (!stop)
            break;
        p = stop;
        ++done;
    }
    pos_ = p;
    return done;
}

template <typename T> bool TextScanner::readReal(T& value) {
    if (readPlainReal(value))
        return true;
    value = T{};
    if (!start(true))
        return false;
    // What the stream's number parser takes: a sign, digits with at most one point,
    // then, once a digit was seen, one e or E with an optional sign and more digits.
    // It stops at the first character that does not fit and converts what it took;
    // a text without a digit, or an exponent without one, does not convert at all.
    // The digits are gathered on the way for the fast path.
    const char* p = nullptr;
    bool negative = false;
    std::uint64_t mantissa = 0;
    int scale = 0;        // power of ten of the mantissa's last digit
    bool inexact = false; // more digits than the mantissa holds
    bool digits = false;
    bool exponent = false, exponentDigits = false, exponentNegative = false;
    int exponentValue = 0;
    // The grammar as three plain loops (digits, then after a point more digits, then
    // the exponent's), which the compiler keeps tight.
    const auto mantissaDigits = [&](int step) {
        const char* const first = p;
        for (; p != end_ && IsDigit(*p); ++p) {
            if (mantissa < 100000000000000000ull) {
                mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
                scale -= step;
            } else {
                inexact = true;
            }
        }
        return p != first;
    };
    do {
        p = pos_;
        negative = *p == '-';
        if (*p == '+' || *p == '-')
            ++p;
        mantissa = 0;
        scale = 0;
        inexact = false;
        digits = mantissaDigits(0);
        if (p != end_ && *p == '.') {
            ++p;
            digits |= mantissaDigits(1);
        }
        exponent = exponentDigits = exponentNegative = false;
        exponentValue = 0;
        if (digits && p != end_ && (*p == 'e' || *p == 'E')) {
            exponent = true;
            ++p;
            if (p != end_ && (*p == '+' || *p == '-')) {
                exponentNegative = *p == '-';
                ++p;
            }
            for (; p != end_ && IsDigit(*p); ++p) {
                exponentDigits = true;
                if (exponentValue < 100000)
                    exponentValue = exponentValue * 10 + (*p - '0');
            }
        }
        // A number that reaches the end of the buffer may go on in the next piece.
    } while (p == end_ && refill());
    const char* const begin = pos_;
    pos_ = p;
    if (p == end_)
        atEnd_ = true;
    if (!digits || (exponent && !exponentDigits)) {
        failed_ = true;
        return false;
    }
    T parsed{};
    if (!inexact &&
        FastPath(mantissa, scale + (exponentNegative ? -exponentValue : exponentValue), parsed)) {
        value = negative ? -parsed : parsed;
        return true;
    }
    const char* const number = *begin == '+' ? begin + 1 : begin;
    const auto [stop, error] = std::from_chars(number, p, parsed, std::chars_format::general);
    if (error != std::errc() || stop != p) {
        // Out of range, which is rare: the stream keeps an underflow (zero or a
        // subnormal) and fails on an overflow; ask the stream's own conversion.
        const std::string copy(begin, p);
        char* end = nullptr;
        parsed = StrToReal(copy.c_str(), &end, T{});
        if (end != copy.c_str() + copy.size() || std::isinf(parsed)) {
            failed_ = true;
            return false;
        }
    }
    value = parsed;
    return true;
}

bool TextScanner::readFloat(float& value) {
    return readReal(value);
}

bool TextScanner::readDouble(double& value) {
    return readReal(value);
}

bool TextScanner::readWord(std::string& word) {
    word.clear();
    if (!start(true))
        return false;
    const char* p = nullptr;
    do {
        p = pos_;
        while (p != end_ && !IsSpace(*p))
            ++p;
    } while (p == end_ && refill());
    word.assign(pos_, p);
    pos_ = p;
    if (p == end_)
        atEnd_ = true;
    return true;
}

void TextScanner::skipLine(std::size_t maxChars) {
    if (!start(false))
        return;
    // The stream takes the count as a signed size: a count of 0 (or one too large for
    // it) skips nothing.
    const auto limit = static_cast<std::ptrdiff_t>(maxChars);
    if (limit <= 0)
        return;
    std::ptrdiff_t skipped = 0;
    do {
        while (skipped < limit && pos_ != end_ && *pos_ != '\n') {
            ++pos_;
            ++skipped;
        }
    } while (skipped < limit && pos_ == end_ && refill());
    // The line break is taken only while the count allows one more character.
    if (skipped < limit) {
        if (pos_ == end_)
            atEnd_ = true;
        else
            ++pos_;
    }
}

std::size_t TextScanner::remaining() {
    if (failed_)
        return 0;
    // The stream's tellg() runs a sentry, which fails at the end of the text.
    if (atEnd_) {
        failed_ = true;
        return 0;
    }
    return static_cast<std::size_t>(knownEnd() - offset());
}
