#pragma once

#include "document/ValueGrid.h"

// One value per cell in stored form: rows from the top, each row from the left.
struct CellModel {
    ValueGrid values;
    double valueMin = 1e20;  // smallest stored value above the blank level
    double valueMax = -1e20; // largest stored value above the blank level
};
