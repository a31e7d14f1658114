#include "document/TextScanner.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

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

TextScanner::TextScanner(std::string text)
    : text_(std::move(text)), pos_(text_.data()), end_(text_.data() + text_.size()) {}

bool TextScanner::start(bool skipWhite) {
    // A stream that has reached its end fails the next read even without white space
    // in between: "12" at the very end reads, the read after it does not.
    if (failed_ || atEnd_) {
        failed_ = true;
        return false;
    }
    if (skipWhite) {
        while (pos_ != end_ && IsSpace(*pos_))
            ++pos_;
        if (pos_ == end_) {
            atEnd_ = true;
            failed_ = true;
            return false;
        }
    }
    return true;
}

bool TextScanner::readInt(std::int32_t& value) {
    value = 0;
    if (!start(true))
        return false;
    const char* p = pos_;
    bool negative = false;
    if (*p == '-' || *p == '+') {
        negative = *p == '-';
        ++p;
    }
    // The stream reads a long (64 bits here) with its own overflow test, then refuses
    // values outside the int range. In decimal, "0x10" is the number 0 before "x10".
    const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
    std::uint64_t result = 0;
    bool digits = false;
    bool overflow = false;
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

template <typename T> bool TextScanner::readReal(T& value) {
    value = T{};
    if (!start(true))
        return false;
    // What the stream's number parser takes: a sign, digits with at most one point,
    // then, once a digit was seen, one e or E with an optional sign and more digits.
    // It stops at the first character that does not fit and converts what it took;
    // a text without a digit, or an exponent without one, does not convert at all.
    // The digits are gathered on the way for the fast path.
    const char* const begin = pos_;
    const char* p = begin;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    // The grammar as three plain loops (digits, then after a point more digits, then
    // the exponent's), which the compiler keeps tight.
    std::uint64_t mantissa = 0;
    int scale = 0;        // power of ten of the mantissa's last digit
    bool inexact = false; // more digits than the mantissa holds
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
    bool digits = mantissaDigits(0);
    if (p != end_ && *p == '.') {
        ++p;
        digits |= mantissaDigits(1);
    }
    bool exponent = false, exponentDigits = false, exponentNegative = false;
    int exponentValue = 0;
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
    const char* p = pos_;
    while (p != end_ && !IsSpace(*p))
        ++p;
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
    while (skipped < limit && pos_ != end_ && *pos_ != '\n') {
        ++pos_;
        ++skipped;
    }
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
    return static_cast<std::size_t>(end_ - pos_);
}
