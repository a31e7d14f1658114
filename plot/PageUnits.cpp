#include "plot/PageUnits.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// A billion units (PageLimit) is far beyond any page yet leaves room for the offsets
// that drawing code adds to a position without overflowing an int.
int Limited(double value) {
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, -PageLimit, PageLimit));
}
} // namespace

int RoundPage(double value) {
    return Limited(value > 0.0 ? value + 0.5 : value - 0.5);
}

int TruncPage(double value) {
    return Limited(value);
}
