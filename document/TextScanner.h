#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// Bytes the readers of one load have taken from their files so far, against the files'
// total size: a window shows the progress of a long load from another thread, and can
// ask the load to stop (its reads then fail at the next piece of a file).
struct ReadProgress {
    std::atomic<std::uint64_t> bytesRead{0};
    std::atomic<std::uint64_t> bytesTotal{0};
    std::atomic<bool> cancelled{false};
};

// Reads numbers and words from text with the semantics of C++ stream extraction
// (">>" on an istringstream in the classic locale, as libstdc++ implements it): "4.0"
// read as an integer gives 4 and leaves ".0", a word where a number belongs fails the
// read, "1e" and out-of-range numbers fail, and after one failure every further read
// fails too. A failed read yields 0 (an empty word).
//
// The stream itself is far too slow for models of millions of cells, so the scanner
// walks the characters the way the stream's number parser does and converts the
// token with std::from_chars; tests compare it with the stream on awkward input.
//
// A file is scanned as it is read, a piece at a time into one reused buffer, so a model
// of tens of megabytes never sits in memory as text. A token that runs over the end of
// a piece is scanned again once the next piece is there.
class TextScanner {
public:
    static constexpr std::size_t DefaultChunkBytes = 128 * 1024;

    // Scans text held in memory.
    explicit TextScanner(std::string text);

    // Scans a file. Nothing when it cannot be opened for reading: missing, not
    // permitted, or neither a regular file nor a folder (a FIFO or a device must never
    // block the program). A folder opens but holds no text, like a stream on a folder
    // whose first read fails. `progress`, when given, counts the bytes read.
    static std::optional<TextScanner> OpenFile(const std::string& path,
                                               ReadProgress* progress = nullptr,
                                               std::size_t chunkBytes = DefaultChunkBytes);

    // A second scanner on the same file that sees only its bytes [begin, end) as its
    // text (end may lie beyond the file's end: then up to the end). For two threads
    // that scan two halves of one file; each scanner belongs to one thread.
    TextScanner slice(std::uint64_t begin, std::uint64_t end) const;

    TextScanner(TextScanner&&) noexcept;
    TextScanner& operator=(TextScanner&&) noexcept;
    ~TextScanner();

    bool readInt(std::int32_t& value);
    bool readFloat(float& value);
    // Reads up to `count` floats exactly as readFloat would, but only while they are
    // plain numbers (sign, digits, point, exponent) well inside the buffer: a bulk fast
    // path. Returns how many it read; readFloat then takes the next one, whatever it is.
    std::size_t readPlainFloats(float* out, std::size_t count);
    bool readDouble(double& value);
    bool readWord(std::string& word);
    // Skips up to and including the next line break, at most maxChars characters.
    void skipLine(std::size_t maxChars = 100);

    bool failed() const { return failed_; }
    // Characters not yet read (0 once a read has failed, or once the end was reached,
    // which like the stream's tellg() then counts as a failure).
    std::size_t remaining();

    // Where the next character lies, counted from the start of the text (the file).
    std::uint64_t offset() const {
        return bufferOffset_ + static_cast<std::uint64_t>(pos_ - base());
    }
    // The end of the text as far as it is known now: for a file its present size, or
    // where reading it ended.
    std::uint64_t knownEnd();
    // Skips white space; false when the text ends there. Fails nothing.
    bool moreTokens();
    // Moves to the next white space character (or the end) and says where that is.
    std::uint64_t skipToSpace();
    // Whether slice() can be used: the text comes from a file.
    bool fromFile() const { return file_ != nullptr; }

private:
    struct File;
    TextScanner(std::shared_ptr<File> file, std::uint64_t begin, std::uint64_t end,
                ReadProgress* progress, std::size_t chunkBytes);

    // The stream's sentry: false (and failed from now on) when a read cannot start.
    bool start(bool skipWhite);
    template <typename T> bool readReal(T& value);
    // The common case of readReal in one tight pass: a plain number of at most 17
    // digits, well inside the buffer. False, with nothing changed, for anything else.
    template <typename T> bool readPlainReal(T& value);
    // Keeps the characters from pos_ on, moves them to the front of the buffer and reads
    // more after them. False when the text has no more and nothing moved; true when the
    // caller must scan from pos_ again.
    bool refill();
    char* base() const { return buffer_.get(); }

    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    const char* pos_ = nullptr;
    const char* end_ = nullptr;
    std::uint64_t bufferOffset_ = 0; // text offset of the buffer's first character

    std::shared_ptr<File> file_;   // none for text in memory
    std::uint64_t readOffset_ = 0; // file offset of the next byte to read
    std::uint64_t limit_ = 0;      // file offset the text ends at (at the latest)
    bool sourceDone_ = true;       // nothing more to read
    ReadProgress* progress_ = nullptr;

    bool atEnd_ = false; // the stream's eofbit: a read reached the end of the text
    bool failed_ = false;
};

// How the readers take their files. Tests cut files into tiny pieces and split small
// models; a window passes a progress count.
struct ReadOptions {
    ReadProgress* progress = nullptr;
    std::size_t chunkBytes = TextScanner::DefaultChunkBytes;
    // A model whose values take at least this many bytes is scanned by two threads, one
    // half of the text each: a megabyte where the machine has two processors.
    std::uint64_t splitBytes = DefaultSplitBytes();

    static std::uint64_t DefaultSplitBytes();
};

// The most values that a text of this many characters can hold: each needs at least
// one character and a separator before the next.
inline std::int64_t MaxTokensIn(std::size_t chars) {
    return static_cast<std::int64_t>((chars + 1) / 2);
}
