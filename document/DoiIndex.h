#pragma once

#include <vector>

// The depth-of-investigation index of every cell and whether it masks the section.
struct DoiIndex {
    std::vector<std::vector<float>> values; // nz rows of nx, as the model's values
    float cutoff = 0.3f;                    // 0.1 .. 0.9
    bool shown = false;

    // Drops the mask; the cutoff stays.
    void Clear() {
        shown = false;
        values.clear();
    }
    // A cell is hatched when the mask is shown and its index is not below the cutoff
    // (a NaN index counts as not below).
    bool Masks(int row, int column) const { return shown && !(cutoff > values[row][column]); }
};

// The cutoff list position for a cutoff, trunc(cutoff * 10 - 1) in single precision,
// and the cutoff for a position 0 .. 8.
int CutoffListPosition(float cutoff);
float CutoffForPosition(int position);
