#pragma once

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

// Reads numbers and words from text with the semantics of C++ stream extraction
// (">>" in the classic locale): "4.0" read as an integer gives 4 and leaves ".0",
// a word where a number belongs fails the read, and after one failure every further
// read fails too. A failed read yields 0 (an empty word).
class TextScanner {
public:
    explicit TextScanner(std::string text);

    bool readInt(std::int32_t& value);
    bool readFloat(float& value);
    bool readDouble(double& value);
    bool readWord(std::string& word);
    // Skips up to and including the next line break, at most maxChars characters.
    void skipLine(std::size_t maxChars = 100);

    bool failed() const { return in_.fail(); }
    // Characters not yet read (0 once a read has failed).
    std::size_t remaining();

private:
    std::size_t size_;
    std::istringstream in_;
};

// The most values that a text of this many characters can hold: each needs at least
// one character and a separator before the next.
inline std::int64_t MaxTokensIn(std::size_t chars) {
    return static_cast<std::int64_t>((chars + 1) / 2);
}
