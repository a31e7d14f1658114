#include "plot/PageUnits.h"

#include <cmath>
#include <limits>

namespace {
int Limited(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    if (value <= lo)
        return std::numeric_limits<int>::min();
    if (value >= hi)
        return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}
} // namespace

int RoundPage(double value) {
    return Limited(value > 0.0 ? value + 0.5 : value - 0.5);
}

int TruncPage(double value) {
    return Limited(value);
}
