#include "plot/PlotLayout.h"

#include "document/MeshGrid.h"
#include "plot/DisplaySettings.h"
#include "plot/PageUnits.h"

#include <cmath>

int PlotLayout::pageHeight(bool showConvergence) const {
    const double height = std::trunc(plotHeight) + (showConvergence ? 8200.0 : 2400.0);
    // Positions beyond PageLimit would all be drawn at the limit: a page that tall is
    // not drawn at all rather than cut short.
    if (!std::isfinite(height) || !(height > 0.0) || height > PageLimit)
        return 0;
    return static_cast<int>(height);
}

PlotLayout ComputeLayout(const MeshGrid& mesh, const DisplaySettings& settings) {
    PlotLayout layout;
    if (!PaddingFits(settings.padLeft, settings.padRight, settings.padBottom, mesh))
        return layout;
    const double left = mesh.xNodes[settings.padLeft];
    const double right = mesh.xNodes[mesh.nx - settings.padRight];
    const double bottom = mesh.zNodes[mesh.nz - settings.padBottom];
    layout.scale = 10000.0 / (right - left);
    layout.plotHeight = layout.scale * bottom;
    layout.plotWidth = (right - left) * layout.scale;
    return layout;
}

bool PaddingFits(int padLeft, int padRight, int padBottom, const MeshGrid& mesh) {
    if (mesh.nx < 1 || mesh.nz < 1 || static_cast<int>(mesh.xNodes.size()) != mesh.nx + 1 ||
        static_cast<int>(mesh.zNodes.size()) != mesh.nz + 1)
        return false;
    return padLeft >= 0 && padRight >= 0 && padBottom >= 0 &&
           static_cast<long long>(padLeft) + padRight < mesh.nx && padBottom < mesh.nz;
}

bool FitPaddingToMesh(DisplaySettings& settings, const MeshGrid& mesh) {
    bool changed = false;
    if (settings.padLeft < 0 || settings.padRight < 0 ||
        static_cast<long long>(settings.padLeft) + settings.padRight >= mesh.nx) {
        changed = settings.padLeft != 0 || settings.padRight != 0;
        settings.padLeft = 0;
        settings.padRight = 0;
    }
    if (settings.padBottom < 0 || settings.padBottom >= mesh.nz) {
        changed = changed || settings.padBottom != 0;
        settings.padBottom = 0;
    }
    return changed;
}
