#pragma once

struct DisplaySettings;
struct MeshGrid;

// Geometry derived from the mesh and the padding counts by the layout step. The
// default is the layout before any data: no section, a 2400-unit page.
struct PlotLayout {
    double plotWidth = 0.0; // logical units, 10000 once laid out
    double scale = 0.0;     // logical units per metre, across and down
    double plotHeight = 0.0;

    // trunc(plotHeight) + 2400, or + 8200 with the convergence curves; 0 when the
    // height is not finite or does not fit the page coordinates (nothing is drawn).
    int pageHeight(bool showConvergence) const;
};

// The layout step. The padding counts must fit the mesh (see FitPaddingToMesh).
PlotLayout ComputeLayout(const MeshGrid& mesh, const DisplaySettings& settings);

// True when the counts leave at least one visible column and row of this mesh.
bool PaddingFits(int padLeft, int padRight, int padBottom, const MeshGrid& mesh);

// Counts kept from an earlier mesh or taken from "/padd=" may not fit: a pair that
// does not fit is reset to 0 so the layout stays valid. True when anything changed.
bool FitPaddingToMesh(DisplaySettings& settings, const MeshGrid& mesh);
