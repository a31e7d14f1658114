#include "plot/SectionPainter.h"

#include "document/CTest1Doc.h"
#include "plot/CellImage.h"
#include "plot/PageMapping.h"
#include "plot/PageText.h"
#include "plot/PageUnits.h"
#include "plot/PainterGuard.h"
#include "plot/PlotLabels.h"
#include "plot/SectionValues.h"
#include "plot/ViewState.h"
#include "plot/WeightsPainter.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Cells, weights and mesh lines: everything inside the section that the area of
// interest cuts. The painter draws in page units.
class SectionInterior {
public:
    SectionInterior(const CTest1Doc& document, const ViewState& state, const SectionValues& values)
        : doc_(document), state_(state), s_(state.settings), mesh_(document.mesh), values_(values) {
    }

    // Page bounds of everything drawn here (cells reach one unit past their nodes). A
    // zoom cuts the cells at the section's edges.
    QRectF pageBounds() const {
        const PlotLayout& layout = state_.layout;
        const double top = layout.zoomed ? 0 : std::min(0, layout.pageY(mesh_.zNodes[0]));
        return QRectF(QPointF(0.0, top), QPointF(RoundPage(layout.plotWidth) + 1.0,
                                                 RoundPage(layout.plotHeight) + 1.0));
    }

    // `pixelsToDevice` takes the client pixels of `mapping` and `exposed` to the
    // painter's device; the painter draws in page units. Hatched cells take their
    // pattern from `hatchOrigin`.
    void paint(QPainter& painter, const PageMapping& mapping, const QRegion& exposed,
               const QTransform& pixelsToDevice, const QPointF& hatchOrigin) const {
        // A repaint that leaves the section out (Log10, Conductivity / Resistivity) looks
        // at no cell, face or node. Weight lines reach half their 20-unit pen (or half a
        // pixel) past the section's edges.
        const QRectF reach = pageBounds().adjusted(-10, -10, 10, 10);
        const QRect reachPixels =
            mapping.pixelBounds(reach.left(), reach.top(), reach.right(), reach.bottom())
                .adjusted(-1, -1, 1, 1);
        if (!exposed.intersects(reachPixels))
            return;
        PainterGuard guard(painter);
        if (state_.layout.zoomed)
            painter.setClipRect(pageBounds(), Qt::IntersectClip);
        if (s_.areaDepth > 0.0)
            painter.setClipPath(areaClip(mapping), Qt::IntersectClip);
        paintCells(painter, mapping, exposed, pixelsToDevice, hatchOrigin);
        if (s_.showWeights && doc_.weightsLoaded)
            DrawWeights(painter, doc_.weights, mesh_, state_.layout, s_.padLeft, s_.padRight,
                        s_.padBottom);
        if (s_.showMesh)
            paintMesh(painter);
    }

    // The hatch's brush origin: the page origin's client pixel, moved so that a device
    // away from the client area (a window's view below its tool bar) shows the hatch
    // where the page image has it.
    QPointF hatchOrigin(const PageMapping& mapping, const QTransform& pixelsToDevice) const {
        const QPointF origin = mapping.toPixel(0.0, 0.0);
        if (!state_.doi.shown)
            return origin;
        return HatchBrushOrigin(mapping.transform(), pixelsToDevice, origin);
    }

private:
    // The whole surface minus the section with the trapezoid cut out of the surface
    // (the section's top edge unless a zoom starts below it).
    QPainterPath areaClip(const PageMapping& mapping) const {
        const PlotLayout& layout = state_.layout;
        const double depth = s_.areaDepth;
        const double inset = depth * std::tan(0.523599);
        const double pw = RoundPage(layout.plotWidth);
        const double ph = RoundPage(layout.plotHeight);
        const double ground = layout.pageY(0.0);
        const double bottom = layout.pageY(depth);
        QPolygonF cut;
        cut << QPointF(0, ground) << QPointF(layout.pageX(s_.areaLeft), ground)
            << QPointF(layout.pageX(inset + s_.areaLeft), bottom)
            << QPointF(layout.pageX(s_.areaRight - inset), bottom)
            << QPointF(layout.pageX(s_.areaRight), ground) << QPointF(pw, ground) << QPointF(pw, ph)
            << QPointF(0, ph);
        QPainterPath polygon;
        polygon.setFillRule(Qt::WindingFill);
        polygon.addPolygon(cut);
        polygon.closeSubpath();
        // The surface: the page, widened to hold any far-away polygon point.
        QRectF surface(PageMapping::PageLeft, PageMapping::PageTop, PageMapping::PageWidth,
                       std::max(1, mapping.pageHeight()));
        surface = surface.united(cut.boundingRect()).adjusted(-10, -10, 10, 10);
        QPainterPath whole;
        whole.addRect(surface);
        return whole.subtracted(polygon);
    }

    void paintCells(QPainter& painter, const PageMapping& mapping, const QRegion& exposed,
                    const QTransform& pixelsToDevice, const QPointF& brushOrigin) const {
        const int firstColumn = s_.padLeft;
        const int endColumn = mesh_.nx - s_.padRight;
        const int endRow = mesh_.nz - s_.padBottom;
        const auto& shown = values_.cells().values;
        if (static_cast<int>(shown.size()) < endRow)
            return;
        for (int r = 0; r < endRow; ++r) {
            if (static_cast<int>(shown[r].size()) < endColumn)
                return;
        }
        const PlotLayout& layout = state_.layout;
        std::vector<int> columnX(endColumn - firstColumn + 1);
        for (int c = firstColumn; c <= endColumn; ++c)
            columnX[c - firstColumn] = layout.pageX(mesh_.xNodes[c]);
        std::vector<int> rowY(endRow + 1);
        for (int r = 0; r <= endRow; ++r)
            rowY[r] = layout.pageY(mesh_.zNodes[r]);

        // Only the part of the repainted area that the cells can reach matters; a repaint
        // that leaves the section out (Log10, Conductivity / Resistivity) touches no cell.
        const QRectF reach = pageBounds();
        const QRegion cellsExposed =
            exposed & mapping.pixelBounds(reach.left(), reach.top(), reach.right(), reach.bottom());
        if (cellsExposed.isEmpty())
            return;
        const QRect bounds = cellsExposed.boundingRect();
        const double f = mapping.factor();
        auto toPageX = [&](double px) { return px / f + PageMapping::PageLeft; };
        auto toPageY = [&](double py) { return py / f + PageMapping::PageTop; };
        // Columns and rows whose page span meets the repainted bounds.
        int columnStart = firstColumn;
        while (columnStart < endColumn &&
               columnX[columnStart - firstColumn + 1] + 1.0 <= toPageX(bounds.left()))
            ++columnStart;
        int columnEnd = endColumn;
        while (columnEnd > columnStart &&
               columnX[columnEnd - 1 - firstColumn] >= toPageX(bounds.right() + 1))
            --columnEnd;
        int rowStart = 0;
        while (rowStart < endRow && rowY[rowStart + 1] + 1.0 <= toPageY(bounds.top()))
            ++rowStart;
        int rowEnd = endRow;
        while (rowEnd > rowStart && rowY[rowEnd - 1] >= toPageY(bounds.bottom() + 1))
            --rowEnd;

        painter.setBrushOrigin(brushOrigin);
        const double cells = double(columnEnd - columnStart) * double(rowEnd - rowStart);
        const double pixels = double(bounds.width()) * double(bounds.height());
        if (useImage(painter, cells, pixels)) {
            const QRegion exposedDevice = pixelsToDevice.map(cellsExposed);
            const CellRaster raster(columnX, rowY, painter.deviceTransform(),
                                    exposedDevice.boundingRect());
            PaintCellImage(painter, raster, exposedDevice, brushOrigin,
                           [&](int row, int column) { return look(row, column + firstColumn); });
            return;
        }

        const bool exposedIsRect = cellsExposed.rectCount() == 1;
        for (int r = rowStart; r < rowEnd; ++r) {
            const double top = rowY[r];
            const double bottom = rowY[r + 1] + 1.0;
            for (int c = columnStart; c < columnEnd; ++c) {
                const double left = columnX[c - firstColumn];
                const double right = columnX[c - firstColumn + 1] + 1.0;
                if (!exposedIsRect &&
                    !cellsExposed.intersects(mapping.pixelBounds(left, top, right, bottom)))
                    continue;
                const QRectF cell(left, top, right - left, bottom - top);
                const CellLook cellLook = look(r, c);
                if (cellLook.hatched) {
                    painter.fillRect(cell, Qt::white);
                    painter.fillRect(
                        cell, QBrush(QColor::fromRgb(cellLook.colour), Qt::DiagCrossPattern));
                } else {
                    painter.fillRect(cell, QColor::fromRgb(cellLook.colour));
                }
            }
        }
    }

    // A blank cell is white and never masked; the mask is asked about the others only.
    CellLook look(int row, int column) const {
        if (state_.cellLookObserver)
            state_.cellLookObserver(row, column);
        const int index = values_.colourIndex(row, column);
        if (index < 0)
            return {qRgb(255, 255, 255), false};
        const QRgb colour = values_.colours().entry(index);
        if (!masked(row, column))
            return {colour, false};
        if (s_.doiStyle == DoiStyle::Fade)
            return {FadedColour(colour, state_.doi.values[row][column], state_.doi.cutoff), false};
        return {colour, true};
    }

    // The depth-of-investigation mask, where it covers the cell.
    bool masked(int row, int column) const {
        const DoiIndex& doi = state_.doi;
        return doi.shown && row < static_cast<int>(doi.values.size()) &&
               column < static_cast<int>(doi.values[row].size()) && doi.Masks(row, column);
    }

    // One image where the cells are small against the pixels they cover, a rectangle per
    // cell where they are large (a few fills beat computing every pixel).
    bool useImage(const QPainter& painter, double cells, double pixels) const {
        if (state_.cellDrawing == CellDrawing::Rectangles || !CanPaintCellImage(painter))
            return false;
        return state_.cellDrawing == CellDrawing::Image || cells * 16.0 >= pixels;
    }

    void paintMesh(QPainter& painter) const {
        const PlotLayout& layout = state_.layout;
        const double pw = RoundPage(layout.plotWidth);
        const double ph = RoundPage(layout.plotHeight);
        std::vector<QLineF> lines;
        for (int k = 1; k <= mesh_.nz - s_.padBottom - 1; ++k) {
            const double y = layout.pageY(mesh_.zNodes[k]);
            lines.emplace_back(0.0, y, pw, y);
        }
        for (int i = s_.padLeft; i <= mesh_.nx - s_.padRight - 1; ++i) {
            const double x = layout.pageX(mesh_.xNodes[i]);
            lines.emplace_back(x, 0.0, x, ph);
        }
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    }

    const CTest1Doc& doc_;
    const ViewState& state_;
    const DisplaySettings& s_;
    const MeshGrid& mesh_;
    const SectionValues& values_;
};

bool IsVectorDevice(const QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    return engine && (engine->type() == QPaintEngine::SVG || engine->type() == QPaintEngine::Pdf);
}

// SVG and PDF get the interior as one raster image: Qt's SVG output ignores clip paths
// and scales hatch patterns, and a million cells stay a small file this way.
void PaintInteriorAsImage(QPainter& painter, const SectionInterior& interior,
                          const PageMapping& mapping, const QRegion& exposed,
                          const QTransform& deviceTransform) {
    const QRectF page = interior.pageBounds();
    QRect pixels = mapping.pixelBounds(page.left(), page.top(), page.right(), page.bottom());
    pixels &= QRect(QPoint(0, 0), mapping.pageSizePixels()) & exposed.boundingRect();
    if (pixels.isEmpty())
        return;
    QImage image(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter imagePainter(&image);
        imagePainter.translate(-pixels.topLeft());
        const QTransform pixelsToImage = imagePainter.deviceTransform();
        imagePainter.setTransform(mapping.transform(), true);
        imagePainter.setRenderHint(QPainter::Antialiasing, false);
        imagePainter.setPen(QPen(Qt::black, 0));
        // The exports keep the hatch where they have always had it.
        interior.paint(imagePainter, mapping, exposed, pixelsToImage, mapping.toPixel(0.0, 0.0));
    }
    PainterGuard guard(painter);
    painter.setTransform(deviceTransform);
    painter.drawImage(pixels.topLeft(), image);
}

void PaintFrameAndAxes(QPainter& painter, const CTest1Doc& document, const ViewState& state,
                       const PageFonts& fonts) {
    const DisplaySettings& s = state.settings;
    const PlotLayout& layout = state.layout;
    const MeshGrid& mesh = document.mesh;
    const double pw = RoundPage(layout.plotWidth);
    const double ph = RoundPage(layout.plotHeight);

    painter.drawPolygon(
        QPolygonF({QPointF(0, 0), QPointF(pw, 0), QPointF(pw, ph), QPointF(0, ph)}));

    const double g = RoundPage(layout.plotHeight);
    for (const TickLabel& tick : XAxisTicks(mesh, s, layout)) {
        DrawPageText(painter, QPointF(tick.position, g + 200), QString::fromStdString(tick.text),
                     TextAlign::CentreTop, fonts.label);
        painter.drawLine(QLineF(tick.position, g, tick.position, g + 160));
    }
    DrawPageText(painter,
                 QPointF(RoundPage(layout.plotWidth * 0.5), RoundPage(layout.plotHeight + 800)),
                 "X (m)", TextAlign::CentreTop, fonts.label);

    for (const TickLabel& tick : DepthAxisTicks(mesh, s, layout)) {
        DrawPageText(painter, QPointF(-200, tick.position), QString::fromStdString(tick.text),
                     TextAlign::RightBaseline, fonts.label);
        painter.drawLine(QLineF(0, tick.position, -160, tick.position));
    }
    DrawPageText(painter, QPointF(-1600, TruncPage(layout.plotHeight * 0.5)), "Depth (m)",
                 TextAlign::CentreTop, fonts.label, true);
}

// Fills a page rectangle with its edges on whole device pixels, so that neighbouring
// swatches meet without the seams a vector viewer's antialiasing leaves between them.
void FillSnapped(QPainter& painter, const QRectF& page, const QColor& colour) {
    const QRectF device = painter.transform().mapRect(page);
    const QRectF snapped(QPointF(std::round(device.left()), std::round(device.top())),
                         QPointF(std::round(device.right()), std::round(device.bottom())));
    PainterGuard guard(painter);
    painter.resetTransform();
    painter.fillRect(snapped, colour);
}

void PaintColourBar(QPainter& painter, const ViewState& state, const SectionValues& values,
                    const PageFonts& fonts, double factor) {
    const DisplaySettings& s = values.settings();
    const double x0 = TruncPage(state.layout.plotWidth);
    const double h = state.layout.plotHeight;
    const double w = h / 61.0;
    for (int i = 0; i <= 60; ++i) {
        const double top = RoundPage(h - (i + 1) * w);
        const double height = RoundPage(w + 1.0);
        FillSnapped(painter, QRectF(x0 + 1400, top, 300, height),
                    QColor::fromRgb(values.colours().entry(SwatchEntry(i, s))));
    }
    for (const TickLabel& label : ColourBarLabels(s, state.layout)) {
        DrawPageText(painter, QPointF(x0 + 2000, label.position),
                     QString::fromStdString(label.text), TextAlign::LeftBaseline, fonts.label);
        painter.drawLine(QLineF(x0 + 1800, label.position, x0 + 1700, label.position));
    }
    DrawPageText(painter, QPointF(x0 + 1400, TruncPage(h + 400)),
                 QString::fromStdString(values.unit()), TextAlign::LeftBaseline, fonts.label);
    // The legend is too long for the margin beside the section: it ends at the page's
    // right edge, under the unit, in a smaller font.
    if (state.doi.shown && s.doiStyle == DoiStyle::Fade)
        DrawPageText(painter,
                     QPointF(PageMapping::PageLeft + PageMapping::PageWidth - 100,
                             TruncPage(h + 500 + s.fontHeight)),
                     "faded: beyond depth of investigation", TextAlign::RightBaseline,
                     PageFont(s.fontHeight * 3 / 4, 400, factor));
}

} // namespace

void PaintPage(QPainter& painter, const CTest1Doc& document, const ViewState& state,
               const PageMapping& mapping, const QRegion& exposed) {
    const DisplaySettings& s = state.settings;
    if (!document.loaded || !mapping.isValid() ||
        !PaddingFits(s.padLeft, s.padRight, s.padBottom, document.mesh) ||
        !(state.layout.scale > 0.0) || !std::isfinite(state.layout.scale) ||
        state.pageHeight() <= 0)
        return;

    PainterGuard guard(painter);
    const QTransform deviceTransform = painter.transform();
    const bool vector = IsVectorDevice(painter);
    // Raster painting puts a one-pixel line at x = 900.0 into pixel column 900; a vector
    // stroke is centred on its path, so vector pages move half a pixel to match.
    if (vector)
        painter.translate(0.5, 0.5);
    const QTransform pixelsToDevice = painter.deviceTransform();
    painter.setTransform(mapping.transform(), true);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 0)); // cosmetic: one device pixel at any scale
    painter.setBrush(Qt::NoBrush);
    const PageFonts fonts = MakePageFonts(s.fontHeight, mapping.factor());
    painter.setFont(fonts.label);

    const SectionValues values(document, state);
    const SectionInterior interior(document, state, values);
    if (vector)
        PaintInteriorAsImage(painter, interior, mapping, exposed, deviceTransform);
    else
        interior.paint(painter, mapping, exposed, pixelsToDevice,
                       interior.hatchOrigin(mapping, pixelsToDevice));

    PaintFrameAndAxes(painter, document, state, fonts);
    PaintColourBar(painter, state, values, fonts, mapping.factor());

    painter.setFont(fonts.title);
    DrawPageText(painter, QPointF(TruncPage(state.layout.plotWidth * 0.5), -300),
                 QString::fromStdString(values.title()), TextAlign::CentreBaseline, fonts.title);

    if (s.showConvergence && state.belowSection)
        state.belowSection(painter, document, state, fonts);
}

QRect SectionRect(const PlotLayout& layout, const PageMapping& mapping) {
    if (!mapping.isValid())
        return {};
    return mapping.pixelBounds(-400, -50, TruncPage(layout.plotWidth) + 400.0,
                               TruncPage(layout.plotHeight) + 600.0);
}

PageMapping MappingFor(const ViewState& state, const QSize& client) {
    return PageMapping(client.width(), client.height(), state.pageHeight());
}

QImage RenderPageImage(const CTest1Doc& document, const ViewState& state, const QSize& client) {
    const PageMapping mapping = MappingFor(state, client);
    const QSize size = mapping.pageSizePixels();
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintPage(painter, document, state, mapping, QRegion(image.rect()));
    return image;
}
