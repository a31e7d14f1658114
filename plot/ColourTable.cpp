#include "plot/ColourTable.h"

#include "plot/ColourMapTables.h"

#include <algorithm>
#include <cmath>

namespace {
int Channel(double value) {
    return static_cast<int>(value);
}

QRgb ColourRampEntry(int i) {
    // Six segments; each moves one channel with the square root of the position in it.
    if (i <= 11)
        return qRgb(255, 70, Channel(150.0 * std::sqrt((11 - i) / 10.0)));
    if (i <= 21)
        return qRgb(255, Channel(255.0 * std::sqrt((i - 11) / 10.0)), 0);
    if (i <= 31)
        return qRgb(Channel(255.0 * std::sqrt((31 - i) / 10.0)), 255, 0);
    if (i <= 41)
        return qRgb(0, 255, Channel(255.0 * std::sqrt((i - 31) / 10.0)));
    if (i <= 51)
        return qRgb(0, Channel(255.0 * std::sqrt((51 - i) / 10.0)), 255);
    return qRgb(0, 0, Channel(255.0 * std::sqrt((61 - i) / 10.0 * 0.667 + 0.3)));
}

QRgb GreyRampEntry(int i) {
    const int grey = Channel(250.0 * std::sqrt((i - 1) / 60.0));
    return qRgb(grey, grey, grey);
}

const std::array<std::uint32_t, 256>* PublishedTable(ColourMap map) {
    switch (map) {
    case ColourMap::Rainbow:
        break;
    case ColourMap::Viridis:
        return &ViridisTable;
    case ColourMap::Cividis:
        return &CividisTable;
    case ColourMap::Magma:
        return &MagmaTable;
    case ColourMap::Turbo:
        return &TurboTable;
    case ColourMap::BlueWhiteRed:
        return &BlueWhiteRedTable;
    }
    return nullptr;
}

// Ramp colour i of a published map: table entry i = 61 - i gets colour number
// min(floor(256 * entry / 60), 255).
QRgb PublishedRampEntry(const std::array<std::uint32_t, 256>& table, int i) {
    const int entry = ColourTable::Size - i;
    return 0xff000000u | table[std::min(256 * entry / 60, 255)];
}
} // namespace

std::array<QRgb, ColourTable::Size> ColourTable::Ramp(bool useColour, ColourMap map) {
    const auto* published = useColour ? PublishedTable(map) : nullptr;
    std::array<QRgb, Size> ramp{};
    for (int i = 1; i <= Size; ++i)
        ramp[i - 1] = published   ? PublishedRampEntry(*published, i)
                      : useColour ? ColourRampEntry(i)
                                  : GreyRampEntry(i);
    return ramp;
}

ColourTable::ColourTable(bool useColour, bool flipColours, ColourMap map) {
    const auto ramp = Ramp(useColour, map);
    for (int i = 1; i <= Size; ++i)
        entries_[flipColours ? Size - i : i - 1] = ramp[i - 1];
}

int ColourIndex(float stored, float blankLevel, double rangeMin, double rangeMax) {
    if (!(stored > blankLevel))
        return -1;
    double p = (static_cast<double>(stored) - rangeMin) * (60.0 / (rangeMax - rangeMin));
    // A range wider than the largest double (such as -1e308 .. 1e308) is measured in
    // halves, so that its cells are not all given the lowest colour.
    if (!std::isfinite(rangeMax - rangeMin))
        p = (stored / 2.0 - rangeMin / 2.0) * (60.0 / (rangeMax / 2.0 - rangeMin / 2.0));
    if (std::isnan(p) || p < 0.0)
        return 0;
    if (p > 60.0)
        return 60;
    return static_cast<int>(p);
}

QRgb FadedColour(QRgb colour, float index, float cutoff) {
    const double beyond = (double(index) - double(cutoff)) / (1.0 - double(cutoff));
    const double a = std::isfinite(index) ? 0.8 * std::min(1.0, beyond) : 0.8;
    auto mix = [a](int channel) {
        return static_cast<int>(std::lround((1.0 - a) * channel + a * 255.0));
    };
    return qRgb(mix(qRed(colour)), mix(qGreen(colour)), mix(qBlue(colour)));
}
