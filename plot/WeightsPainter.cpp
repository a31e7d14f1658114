#include "plot/WeightsPainter.h"

#include "document/CellWeights.h"
#include "document/MeshGrid.h"
#include "plot/PainterGuard.h"
#include "plot/PlotLayout.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

namespace {
// 20 page units, but never thinner than one device pixel on a small picture.
QPen weightPen(float weight, double unitsPerPixel) {
    const QColor colour = weight < 1.0f ? QColor(0, 0, 0) : QColor(150, 150, 150);
    QPen pen(colour, std::max(20.0, unitsPerPixel), Qt::SolidLine, Qt::RoundCap);
    return pen;
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

    // Vertical faces between visible columns; the section's own edges are left out.
    for (int i = 0; i <= lastRow && i < static_cast<int>(weights.xWeights.size()); ++i) {
        const auto& row = weights.xWeights[i];
        for (int k = padLeft; k <= lastColumn - 1 && k < static_cast<int>(row.size()); ++k) {
            if (row[k] == 1.0f)
                continue;
            painter.setPen(weightPen(row[k], unitsPerPixel));
            const double x = pageX(k + 1);
            painter.drawLine(QLineF(x, pageY(i), x, pageY(i + 1)));
        }
    }
    // Horizontal faces between visible rows.
    for (int i = 0; i <= lastRow - 1 && i < static_cast<int>(weights.zWeights.size()); ++i) {
        const auto& row = weights.zWeights[i];
        const double y = pageY(i + 1);
        for (int k = padLeft; k <= lastColumn && k < static_cast<int>(row.size()); ++k) {
            if (row[k] == 1.0f)
                continue;
            painter.setPen(weightPen(row[k], unitsPerPixel));
            painter.drawLine(QLineF(pageX(k), y, pageX(k + 1), y));
        }
    }
}
