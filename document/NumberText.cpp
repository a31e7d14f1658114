#include "document/NumberText.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

std::string FormatFloatField(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", 15, value);
    return buffer;
}

std::string FormatIntField(std::int32_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d", value);
    return buffer;
}

// strtod / strtol take exactly what "%lf" / "%d" take, and report range errors that
// scanf leaves undefined.
std::optional<double> ScanFloatField(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    if (end == begin || errno == ERANGE || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> ScanIntField(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(begin, &end, 10);
    if (end == begin || errno == ERANGE || value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}
