#include "StreamScanner.h"

#include <locale>

StreamScanner::StreamScanner(std::string text) : size_(text.size()), in_(std::move(text)) {
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

bool StreamScanner::readInt(std::int32_t& value) {
    return extract(in_, value);
}

bool StreamScanner::readFloat(float& value) {
    return extract(in_, value);
}

bool StreamScanner::readDouble(double& value) {
    return extract(in_, value);
}

bool StreamScanner::readWord(std::string& word) {
    return extract(in_, word);
}

void StreamScanner::skipLine(std::size_t maxChars) {
    in_.ignore(static_cast<std::streamsize>(maxChars), '\n');
}

std::size_t StreamScanner::remaining() {
    if (in_.fail())
        return 0;
    const auto pos = in_.tellg();
    if (pos < 0)
        return 0;
    return size_ - static_cast<std::size_t>(pos);
}
