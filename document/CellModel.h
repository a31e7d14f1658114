#pragma once

#include <vector>

// One value per cell in stored form: rows from the top, each row from the left.
struct CellModel {
    std::vector<std::vector<float>> values;
    double valueMin = 1e20;  // smallest stored value above the blank level
    double valueMax = -1e20; // largest stored value above the blank level
};
