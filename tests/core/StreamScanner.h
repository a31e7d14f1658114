#pragma once

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

// The reference for TextScanner: the same interface done with the standard stream's
// ">>" extraction in the classic locale. Test-only; the program itself uses the fast
// TextScanner, whose every answer must equal this one's.
class StreamScanner {
public:
    explicit StreamScanner(std::string text);

    bool readInt(std::int32_t& value);
    bool readFloat(float& value);
    bool readDouble(double& value);
    bool readWord(std::string& word);
    void skipLine(std::size_t maxChars = 100);

    bool failed() const { return in_.fail(); }
    std::size_t remaining();

private:
    std::size_t size_;
    std::istringstream in_;
};
