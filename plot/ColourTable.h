#pragma once

#include <QRgb>

#include <array>

// The 61 colours a range is spread over: entries 0 to 59 each cover a sixtieth of the
// range, entry 60 only values at or above its top.
class ColourTable {
public:
    static constexpr int Size = 61;

    // The initial table: colour ramp, flipped.
    ColourTable() : ColourTable(true, true) {}
    ColourTable(bool useColour, bool flipColours);

    QRgb entry(int index) const { return entries_[index]; }

    // Ramp colour i = 1 .. 61 stored at [i - 1], before the flip places it.
    static std::array<QRgb, Size> Ramp(bool useColour);

private:
    std::array<QRgb, Size> entries_{};
};

// Table entry for a stored value, or -1 for a blank cell (not above the blank level,
// or not a number). A range that is empty or not finite still yields 0 .. 60.
int ColourIndex(float stored, float blankLevel, double rangeMin, double rangeMax);
