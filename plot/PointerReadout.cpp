#include "plot/PointerReadout.h"

#include "document/CTest1Doc.h"
#include "plot/PageMapping.h"
#include "plot/SectionValues.h"
#include "plot/ViewState.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
// One less than the first node index above `first` whose node is at or past v: a
// point on a node line belongs to the cell before it. Searching from the first
// visible node keeps hidden padding cells out of the answer.
int cellIndex(const std::vector<double>& nodes, int first, int last, double v) {
    const auto begin = nodes.begin() + first + 1;
    const auto end = nodes.begin() + last + 1;
    const auto it = std::lower_bound(begin, end, v);
    return static_cast<int>(std::min(it, end - 1) - nodes.begin()) - 1;
}
} // namespace

std::optional<std::string> ReadoutText(const CTest1Doc& document, const ViewState& state,
                                       const PageMapping& mapping, double px, double py) {
    if (!document.loaded)
        return std::nullopt;
    const DisplaySettings& s = state.settings;
    const MeshGrid& mesh = document.mesh;
    if (!mapping.isValid() || !(state.layout.scale > 0.0) || !(state.layout.depthScale > 0.0))
        return std::string();

    // The pointer in whole page units, as the page mapping's inverse gives it.
    const QPointF page = mapping.toPage(px, py);
    const double pageX = std::round(page.x());
    const double pageY = std::round(page.y());
    const PlotLayout& layout = state.layout;
    const int firstColumn = s.padLeft;
    const int lastNode = mesh.nx - s.padRight;
    const int lastDepthNode = mesh.nz - s.padBottom;
    const double x = layout.modelX(pageX);
    const double depth = layout.modelDepth(pageY);

    // Across, the window always lies within the visible nodes; down, the whole section
    // starts at depth 0 rather than at the first node, so only a zoom cuts there.
    const SectionWindow& window = layout.window;
    if (!(x >= window.left && x <= window.right && depth >= mesh.zNodes[0] &&
          depth <= mesh.zNodes[lastDepthNode]) ||
        (layout.zoomed && !(depth >= window.top && depth <= window.bottom)))
        return std::string();

    const int column = cellIndex(mesh.xNodes, firstColumn, lastNode, x);
    const int row = cellIndex(mesh.zNodes, 0, lastDepthNode, depth);
    // The model's stored value, or the comparison's difference in the same way.
    const SectionValues values(document, state);
    const DisplaySettings& shownAs = values.settings();
    const float stored = values.cells().values[row][column];
    float shown = shownAs.showConductivity ? stored : -stored;
    if (!shownAs.showLog)
        shown = std::pow(10.0f, shown);

    char text[160];
    // A comparison has no value where either model is blank.
    if (values.comparison() && !std::isfinite(shown))
        std::snprintf(text, sizeof text, "(x, depth, value) = (%.1f,  %.1f,  blank)", x, depth);
    else
        std::snprintf(text, sizeof text, "(x, depth, value) = (%.1f,  %.1f,  %.4g)", x, depth,
                      static_cast<double>(shown));
    return std::string(text);
}
