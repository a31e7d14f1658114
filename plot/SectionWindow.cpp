#include "plot/SectionWindow.h"

#include "document/MeshGrid.h"
#include "plot/DisplaySettings.h"

#include <algorithm>
#include <limits>

namespace {
// One axis of a window, [low, low + size), held inside [wholeLow, wholeHigh]. A size
// within rounding of the whole extent becomes exactly the whole, so zooming back out
// ends on the whole section.
void HoldInside(double& low, double& high, double size, double wholeLow, double wholeHigh) {
    if (size >= (wholeHigh - wholeLow) * (1.0 - 1e-9)) {
        low = wholeLow;
        high = wholeHigh;
        return;
    }
    low = std::clamp(low, wholeLow, wholeHigh - size);
    high = std::min(low + size, wholeHigh);
}

SectionWindow Held(double left, double top, double width, double height,
                   const SectionWindow& whole) {
    SectionWindow held;
    held.left = left;
    held.top = top;
    HoldInside(held.left, held.right, width, whole.left, whole.right);
    HoldInside(held.top, held.bottom, height, whole.top, whole.bottom);
    return held;
}
} // namespace

SectionWindow WholeSection(const MeshGrid& mesh, const DisplaySettings& settings) {
    return {mesh.xNodes[settings.padLeft], mesh.xNodes[mesh.nx - settings.padRight], 0.0,
            mesh.zNodes[mesh.nz - settings.padBottom]};
}

double MinWindowWidth(const MeshGrid& mesh, const DisplaySettings& settings) {
    double narrowest = std::numeric_limits<double>::infinity();
    for (int i = settings.padLeft; i < mesh.nx - settings.padRight; ++i)
        narrowest = std::min(narrowest, mesh.xNodes[i + 1] - mesh.xNodes[i]);
    return 4.0 * narrowest;
}

SectionWindow ZoomWindow(const SectionWindow& window, const SectionWindow& whole, double x,
                         double depth, double factor, double minWidth) {
    // Zooming in stops at minWidth but never widens a window already narrower.
    const double width = std::max(window.width() / factor, std::min(minWidth, window.width()));
    const double ratio = width / window.width();
    return Held(x - (x - window.left) * ratio, depth - (depth - window.top) * ratio, width,
                window.height() * ratio, whole);
}

SectionWindow PanWindow(const SectionWindow& window, const SectionWindow& whole, double dx,
                        double dDepth) {
    return Held(window.left + dx, window.top + dDepth, window.width(), window.height(), whole);
}

std::optional<SectionWindow> CutToSection(const SectionWindow& window, const SectionWindow& whole,
                                          double minWidth) {
    const SectionWindow cut{std::max(window.left, whole.left), std::min(window.right, whole.right),
                            std::max(window.top, whole.top), std::min(window.bottom, whole.bottom)};
    if (!(cut.width() > 0.0 && cut.height() > 0.0))
        return std::nullopt;
    if (cut.width() >= minWidth)
        return cut;
    return ZoomWindow(cut, whole, (cut.left + cut.right) / 2.0, (cut.top + cut.bottom) / 2.0,
                      cut.width() / minWidth, minWidth);
}

bool Contains(const SectionWindow& outer, const SectionWindow& inner) {
    return inner.width() > 0.0 && inner.height() > 0.0 && inner.left >= outer.left &&
           inner.right <= outer.right && inner.top >= outer.top && inner.bottom <= outer.bottom;
}
