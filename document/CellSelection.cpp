#include "document/CellSelection.h"

#include <cmath>

CellSelection::Block CellSelection::ShownBlock(const MeshGrid& mesh) const {
    Block block{0, mesh.nz - padBottom, padLeft, mesh.nx - padRight};
    if (!windowed)
        return block;
    // A cell is shown when it overlaps the window, not when it only touches its edge.
    auto& x = mesh.xNodes;
    auto& z = mesh.zNodes;
    while (block.firstColumn < block.endColumn && !(x[block.firstColumn + 1] > windowLeft))
        ++block.firstColumn;
    while (block.endColumn > block.firstColumn && !(x[block.endColumn - 1] < windowRight))
        --block.endColumn;
    while (block.firstRow < block.endRow && !(z[block.firstRow + 1] > windowTop))
        ++block.firstRow;
    while (block.endRow > block.firstRow && !(z[block.endRow - 1] < windowBottom))
        --block.endRow;
    return block;
}

bool CellSelection::AreaKeeps(double x, double depth) const {
    if (!(areaDepth > 0.0))
        return true;
    // The inset of the painted clip, so that a centre is kept exactly where it is drawn
    // (up to the page's whole units); crossed sides keep only the triangle above them.
    const double inset = depth * std::tan(0.523599);
    return depth >= 0.0 && depth <= areaDepth && x >= areaLeft + inset && x <= areaRight - inset;
}
