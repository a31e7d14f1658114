#pragma once

#include "document/MeshGrid.h"

// The cells a picture shows: those the padding counts leave visible, that a zoom
// window meets (when there is one), and whose centre the area of interest keeps (when
// there is one). The counts must fit the mesh.
struct CellSelection {
    int padLeft = 0;
    int padRight = 0;
    int padBottom = 0;
    bool windowed = false; // x from windowLeft to windowRight, depth windowTop to windowBottom
    double windowLeft = 0.0;
    double windowRight = 0.0;
    double windowTop = 0.0;
    double windowBottom = 0.0;
    double areaLeft = 0.0; // metres at the surface
    double areaRight = 0.0;
    double areaDepth = 0.0; // 0 or less: no area of interest

    // Rows [firstRow, endRow) and columns [firstColumn, endColumn).
    struct Block {
        int firstRow = 0;
        int endRow = 0;
        int firstColumn = 0;
        int endColumn = 0;
    };
    // The visible cells that the window meets; all visible cells without a window.
    Block ShownBlock(const MeshGrid& mesh) const;
    // Whether the padding counts hide the cell.
    bool IsPadding(const MeshGrid& mesh, int row, int column) const {
        return column < padLeft || column >= mesh.nx - padRight || row >= mesh.nz - padBottom;
    }
    // Whether the area of interest keeps a point: the trapezoid from areaLeft to
    // areaRight at the surface, its sides leaning inward 30 degrees down to areaDepth.
    bool AreaKeeps(double x, double depth) const;
};
