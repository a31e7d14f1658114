#pragma once

#include <vector>

// The inversion's weights: per cell, per vertical face (X) and per horizontal face (Z).
struct CellWeights {
    std::vector<std::vector<float>> cellWeights; // nz rows of nx
    std::vector<std::vector<float>> xWeights;    // nz rows of nx - 1
    std::vector<std::vector<float>> zWeights;    // nz - 1 rows of nx
};

// Empties all three arrays; a new data set makes the old weights meaningless.
void ClearWeights(CellWeights& weights);
