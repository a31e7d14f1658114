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

int PlotLayout::pageX(double x) const {
    return RoundPage((x - window.left) * scale);
}

int PlotLayout::pageY(double depth) const {
    return RoundPage((depth - window.top) * depthScale);
}

double PlotLayout::modelDepth(double pageY) const {
    // Adding a top of 0 would turn a depth of -0 into 0 and change the readout's text.
    const double below = pageY / depthScale;
    return window.top == 0.0 ? below : below + window.top;
}

PlotLayout ComputeLayout(const MeshGrid& mesh, const DisplaySettings& settings) {
    PlotLayout layout;
    if (!PaddingFits(settings.padLeft, settings.padRight, settings.padBottom, mesh))
        return layout;
    const SectionWindow whole = WholeSection(mesh, settings);
    layout.zoomed = settings.zoom && *settings.zoom != whole && Contains(whole, *settings.zoom);
    layout.window = layout.zoomed ? *settings.zoom : whole;
    const SectionWindow& w = layout.window;
    layout.scale = 10000.0 / (w.right - w.left);
    layout.depthScale = layout.scale * settings.verticalExaggeration;
    layout.plotHeight = layout.depthScale * (w.bottom - w.top);
    layout.plotWidth = (w.right - w.left) * layout.scale;
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
