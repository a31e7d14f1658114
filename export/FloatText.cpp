#include "export/FloatText.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace {
constexpr double Pow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                            1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19,
                            1e20, 1e21, 1e22, 1e23, 1e24, 1e25, 1e26, 1e27, 1e28, 1e29,
                            1e30, 1e31, 1e32, 1e33, 1e34, 1e35, 1e36, 1e37, 1e38, 1e39};

char* Exact(char* out, float value) {
    return std::to_chars(out, out + 32, static_cast<double>(value), std::chars_format::general, 9)
        .ptr;
}

// x * 10^(8 - exponent): nine digits before the point when the exponent is right.
double Scaled(double x, int exponent) {
    const int shift = 8 - exponent;
    return shift >= 0 ? x * Pow10[shift] : x / Pow10[-shift];
}
} // namespace

char* FormatFloat9(char* out, float value) {
    double x = value;
    // Zero, NaN, infinities and the ends of the float range take the exact way.
    if (!(std::fabs(x) >= 1e-30 && std::fabs(x) < 1e30))
        return Exact(out, value);
    char* p = out;
    if (x < 0.0) {
        *p++ = '-';
        x = -x;
    }
    // The power of two gives the power of ten, or one less; the scaled value tells.
    int exponent = static_cast<int>(std::floor(std::ilogb(x) * 0.30102999566398120));
    double y = Scaled(x, exponent);
    if (y < 1e8)
        y = Scaled(x, --exponent);
    else if (y >= 1e9)
        y = Scaled(x, ++exponent);
    // y carries a relative error of a few parts in 1e16, under 1e-6 in its units: only
    // a fraction that close to a half could round the other way.
    double whole = std::floor(y);
    const double fraction = y - whole;
    if (std::fabs(fraction - 0.5) < 1e-6 || y < 1e8 || y >= 1e9)
        return Exact(out, value);
    if (fraction > 0.5)
        whole += 1.0;
    if (whole >= 1e9) // rounded up into the next power of ten
        return Exact(out, value);

    char digits[9];
    auto n = static_cast<std::uint32_t>(whole);
    for (int i = 8; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    int last = 8; // trailing zeros go, as "%g" drops them
    while (last > 0 && digits[last] == '0')
        --last;
    if (exponent >= -4 && exponent < 9) {
        if (exponent >= 0) {
            for (int i = 0; i <= exponent; ++i)
                *p++ = digits[i];
            if (last > exponent) {
                *p++ = '.';
                for (int i = exponent + 1; i <= last; ++i)
                    *p++ = digits[i];
            }
        } else {
            *p++ = '0';
            *p++ = '.';
            for (int i = -1; i > exponent; --i)
                *p++ = '0';
            for (int i = 0; i <= last; ++i)
                *p++ = digits[i];
        }
        return p;
    }
    *p++ = digits[0];
    if (last > 0) {
        *p++ = '.';
        for (int i = 1; i <= last; ++i)
            *p++ = digits[i];
    }
    *p++ = 'e';
    *p++ = exponent < 0 ? '-' : '+';
    const int size = exponent < 0 ? -exponent : exponent;
    *p++ = static_cast<char>('0' + size / 10);
    *p++ = static_cast<char>('0' + size % 10);
    return p;
}
