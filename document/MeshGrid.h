#pragma once

#include <cstdint>
#include <vector>

// A 2D tensor mesh in metres; depth grows downwards.
struct MeshGrid {
    std::int32_t nx = 0;        // cells across
    std::int32_t nz = 0;        // cells down
    std::vector<double> xNodes; // nx + 1 cell boundaries, strictly increasing
    std::vector<double> zNodes; // nz + 1 depths, strictly increasing
};
