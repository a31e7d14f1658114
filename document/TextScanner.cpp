#include "document/TextScanner.h"

#include <limits>
#include <locale>

TextScanner::TextScanner(std::string text) : size_(text.size()), in_(std::move(text)) {
    in_.imbue(std::locale::classic());
}

namespace {
template <typename T> bool extract(std::istringstream& in, T& value) {
    value = T{};
    in >> value;
    if (in.fail()) {
        value = T{};
        return false;
    }
    return true;
}
} // namespace

bool TextScanner::readInt(std::int32_t& value) {
    return extract(in_, value);
}

bool TextScanner::readFloat(float& value) {
    return extract(in_, value);
}

bool TextScanner::readDouble(double& value) {
    return extract(in_, value);
}

bool TextScanner::readWord(std::string& word) {
    return extract(in_, word);
}

void TextScanner::skipLine(std::size_t maxChars) {
    in_.ignore(static_cast<std::streamsize>(maxChars), '\n');
}

std::size_t TextScanner::remaining() {
    if (in_.fail())
        return 0;
    const auto pos = in_.tellg();
    if (pos < 0)
        return 0;
    return size_ - static_cast<std::size_t>(pos);
}
