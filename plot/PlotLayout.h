#pragma once

#include "plot/SectionWindow.h"

struct DisplaySettings;
struct MeshGrid;

// Geometry derived from the mesh, the padding counts, the zoom and the vertical
// exaggeration by the layout step. The default is the layout before any data: no
// section, a 2400-unit page.
struct PlotLayout {
    double plotWidth = 0.0;  // logical units, 10000 once laid out
    double scale = 0.0;      // logical units per metre across
    double depthScale = 0.0; // logical units per metre down: scale times the exaggeration
    double plotHeight = 0.0;
    // The part of the section drawn from (0, 0) to (plotWidth, plotHeight): the whole
    // section, or the zoom. A zoom cuts cells, lines and the readout at its edges.
    SectionWindow window;
    bool zoomed = false;

    // Page position of a point in metres: round((x - left) * scale) and
    // round((depth - top) * depthScale).
    int pageX(double x) const;
    int pageY(double depth) const;
    // Metres at a page position (not rounded).
    double modelX(double pageX) const { return pageX / scale + window.left; }
    double modelDepth(double pageY) const;

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
