#pragma once

#include "plot/DisplaySettings.h"

#include <QRgb>

#include <array>

// The 61 colours a range is spread over: entries 0 to 59 each cover a sixtieth of the
// range, entry 60 only values at or above its top.
class ColourTable {
public:
    static constexpr int Size = 61;

    // The initial table: colour ramp, flipped.
    ColourTable() : ColourTable(true, true) {}
    // The grey ramp without useColour, whatever the map.
    ColourTable(bool useColour, bool flipColours, ColourMap map = ColourMap::Rainbow);

    QRgb entry(int index) const { return entries_[index]; }

    // Ramp colour i = 1 .. 61 stored at [i - 1], before the flip places it. A published
    // map's ramp runs from its top down, so that with the initial flip entry i takes
    // its colour min(floor(256 * i / 60), 255) of 0 .. 255.
    static std::array<QRgb, Size> Ramp(bool useColour, ColourMap map = ColourMap::Rainbow);

private:
    std::array<QRgb, Size> entries_{};
};

// Table entry for a stored value, or -1 for a blank cell (not above the blank level,
// or not a number). A range that is empty or not finite still yields 0 .. 60.
int ColourIndex(float stored, float blankLevel, double rangeMin, double rangeMax);

// A colour beyond the depth of investigation, mixed with white by
// a = 0.8 * min(1, (index - cutoff) / (1 - cutoff)), or 0.8 for an index that is not a
// finite number; each channel (1 - a) * channel + a * 255, rounded.
QRgb FadedColour(QRgb colour, float index, float cutoff);
