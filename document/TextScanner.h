#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reads numbers and words from text with the semantics of C++ stream extraction
// (">>" on an istringstream in the classic locale, as libstdc++ implements it): "4.0"
// read as an integer gives 4 and leaves ".0", a word where a number belongs fails the
// read, "1e" and out-of-range numbers fail, and after one failure every further read
// fails too. A failed read yields 0 (an empty word).
//
// The stream itself is far too slow for models of millions of cells, so the scanner
// walks the characters the way the stream's number parser does and converts the
// token with std::from_chars; tests compare it with the stream on awkward input.
class TextScanner {
public:
    explicit TextScanner(std::string text);

    bool readInt(std::int32_t& value);
    bool readFloat(float& value);
    bool readDouble(double& value);
    bool readWord(std::string& word);
    // Skips up to and including the next line break, at most maxChars characters.
    void skipLine(std::size_t maxChars = 100);

    bool failed() const { return failed_; }
    // Characters not yet read (0 once a read has failed, or once the end was reached,
    // which like the stream's tellg() then counts as a failure).
    std::size_t remaining();

private:
    // The stream's sentry: false (and failed from now on) when a read cannot start.
    bool start(bool skipWhite);
    template <typename T> bool readReal(T& value);

    std::string text_;
    const char* pos_;
    const char* end_;
    bool atEnd_ = false; // the stream's eofbit: a read reached the end of the text
    bool failed_ = false;
};

// The most values that a text of this many characters can hold: each needs at least
// one character and a separator before the next.
inline std::int64_t MaxTokensIn(std::size_t chars) {
    return static_cast<std::int64_t>((chars + 1) / 2);
}
