#include "plot/WeightsPainter.h"

#include "document/CellWeights.h"
#include "document/MeshGrid.h"
#include "plot/PainterGuard.h"
#include "plot/PlotLayout.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <utility>
#include <vector>

namespace {
// 20 page units, but never thinner than one device pixel on a small picture.
QPen weightPen(float weight, double unitsPerPixel) {
    const QColor colour = weight < 1.0f ? QColor(0, 0, 0) : QColor(150, 150, 150);
    QPen pen(colour, std::max(20.0, unitsPerPixel), Qt::SolidLine, Qt::RoundCap);
    return pen;
}

// The cells first .. last (by their nodes) that reach into [low, high].
std::pair<int, int> CellsWithin(const std::vector<double>& nodes, int first, int last, double low,
                                double high) {
    const auto begin = nodes.begin();
    const int from =
        static_cast<int>(std::lower_bound(begin + first + 1, begin + last + 2, low) - begin) - 1;
    const int to =
        static_cast<int>(std::upper_bound(begin + first, begin + last + 1, high) - begin) - 1;
    return {std::max(first, from), std::min(last, to)};
}
} // namespace

void DrawWeights(QPainter& painter, const CellWeights& weights, const MeshGrid& mesh,
                 const PlotLayout& layout, int padLeft, int padRight, int padBottom) {
    PainterGuard guard(painter);
    const double pixelsPerUnit = painter.worldTransform().m11();
    const double unitsPerPixel = pixelsPerUnit > 0.0 ? 1.0 / pixelsPerUnit : 1.0;
    const auto pageX = [&](int i) { return double(layout.pageX(mesh.xNodes[i])); };
    const auto pageY = [&](int k) { return double(layout.pageY(mesh.zNodes[k])); };
    const int lastRow = mesh.nz - padBottom - 1;
    const int lastColumn = mesh.nx - padRight - 1;
    // A zoom shows a few of the cells: only their faces are looked at (the painter's clip
    // cuts the lines at the window's edges).
    auto [rowFrom, rowTo] = std::pair{0, lastRow};
    auto [columnFrom, columnTo] = std::pair{padLeft, lastColumn};
    if (layout.zoomed) {
        const SectionWindow& w = layout.window;
        std::tie(rowFrom, rowTo) = CellsWithin(mesh.zNodes, 0, lastRow, w.top, w.bottom);
        std::tie(columnFrom, columnTo) =
            CellsWithin(mesh.xNodes, padLeft, lastColumn, w.left, w.right);
    }

    // Vertical faces between visible columns; the section's own edges are left out.
    for (int i = rowFrom; i <= rowTo && i < static_cast<int>(weights.xWeights.size()); ++i) {
        const auto& row = weights.xWeights[i];
        for (int k = std::max(padLeft, columnFrom - 1);
             k <= std::min(lastColumn - 1, columnTo) && k < static_cast<int>(row.size()); ++k) {
            if (row[k] == 1.0f)
                continue;
            painter.setPen(weightPen(row[k], unitsPerPixel));
            const double x = pageX(k + 1);
            painter.drawLine(QLineF(x, pageY(i), x, pageY(i + 1)));
        }
    }
    // Horizontal faces between visible rows.
    for (int i = std::max(0, rowFrom - 1);
         i <= std::min(lastRow - 1, rowTo) && i < static_cast<int>(weights.zWeights.size()); ++i) {
        const auto& row = weights.zWeights[i];
        const double y = pageY(i + 1);
        for (int k = columnFrom; k <= columnTo && k < static_cast<int>(row.size()); ++k) {
            if (row[k] == 1.0f)
                continue;
            painter.setPen(weightPen(row[k], unitsPerPixel));
            painter.drawLine(QLineF(pageX(k), y, pageX(k + 1), y));
        }
    }
}
