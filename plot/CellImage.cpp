#include "plot/CellImage.h"

#include "plot/PainterGuard.h"

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace {
// Pixel spans [start, end) of consecutive page spans, each reaching one unit past the
// next node, as the raster engine fills the rectangle QRectF(left, .., right - left, ..)
// under the mapping: the same mapRect and the same qRound.
struct Spans {
    std::vector<int> start;
    std::vector<int> end;
};

Spans PixelSpans(const std::vector<int>& nodes, const QTransform& device, bool across) {
    Spans spans;
    const std::size_t count = nodes.empty() ? 0 : nodes.size() - 1;
    spans.start.resize(count);
    spans.end.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double low = nodes[i];
        const double length = nodes[i + 1] + 1.0 - low;
        const QRectF mapped =
            device.mapRect(across ? QRectF(low, 0.0, length, 1.0) : QRectF(0.0, low, 1.0, length));
        spans.start[i] = qRound(across ? mapped.left() : mapped.top());
        spans.end[i] = qRound(across ? mapped.right() : mapped.bottom());
    }
    return spans;
}

// Later spans overwrite earlier ones, as later cells paint over earlier ones. Only the
// pixels [first, end) are kept: a section reaching far off the page would otherwise
// need an owner for every pixel it spans. A pixel left between two spans (possible only
// through rounding at a scale no page has) shows the cell before it.
std::vector<int> Owners(const Spans& spans, int first, int end) {
    std::vector<int> owner(static_cast<std::size_t>(std::max(0, end - first)), -1);
    for (std::size_t i = 0; i < spans.start.size(); ++i) {
        const int from = std::max(spans.start[i], first);
        const int to = std::min(spans.end[i], end);
        for (int p = from; p < to; ++p)
            owner[static_cast<std::size_t>(p - first)] = static_cast<int>(i);
    }
    for (std::size_t p = 1; p < owner.size(); ++p) {
        if (owner[p] < 0)
            owner[p] = owner[p - 1];
    }
    return owner;
}

// Runs of pixel columns inside [left, right] that show the same cell column.
struct Run {
    int begin; // offset in the tile
    int end;
    int column;
};

std::vector<Run> ColumnRuns(const CellRaster& raster, int left, int right) {
    std::vector<Run> runs;
    for (int x = left; x <= right; ++x) {
        const int column = raster.columnAt(x);
        if (!runs.empty() && runs.back().column == column)
            runs.back().end = x - left + 1;
        else
            runs.push_back({x - left, x - left + 1, column});
    }
    return runs;
}

// The cross-hatch pattern as the painter's own pattern fill puts it on the device:
// black where its lines fall. The pattern is fixed to device pixels with a period of
// eight, so one eight-by-eight tile at the device's origin, painted with the very same
// transform and brush origin, gives it everywhere (moving the transform would move it).
struct HatchPattern {
    bool on[8][8] = {};
    bool at(int x, int y) const { return on[y & 7][x & 7]; }
};

HatchPattern HatchAt(const QTransform& device, const QPointF& brushOrigin) {
    QImage probe(8, 8, QImage::Format_RGB32);
    probe.fill(Qt::white);
    {
        QPainter painter(&probe);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setTransform(device);
        painter.setBrushOrigin(brushOrigin);
        const QRectF page = device.inverted().mapRect(QRectF(-1, -1, 10, 10));
        painter.fillRect(page, QBrush(Qt::black, Qt::DiagCrossPattern));
    }
    HatchPattern pattern;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.on[y][x] = qRed(probe.pixel(x, y)) == 0;
    return pattern;
}

void FillTile(QImage& image, const QRect& tile, const CellRaster& raster,
              const std::function<CellLook(int, int)>& look, const QTransform& device,
              const QPointF& brushOrigin) {
    const std::vector<Run> runs = ColumnRuns(raster, tile.left(), tile.right());
    std::vector<CellLook> looks(runs.size());
    std::optional<HatchPattern> pattern;
    int previousRow = -1;
    bool previousHatched = false;
    const QRgb white = qRgb(255, 255, 255);
    for (int y = tile.top(); y <= tile.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y - tile.top()));
        const int row = raster.rowAt(y);
        // Pixel rows of one cell row are alike unless the hatch pattern runs through.
        if (row == previousRow && !previousHatched) {
            std::memcpy(line, image.scanLine(y - tile.top() - 1),
                        sizeof(QRgb) * static_cast<std::size_t>(tile.width()));
            continue;
        }
        if (row != previousRow) {
            previousHatched = false;
            for (std::size_t i = 0; i < runs.size(); ++i) {
                looks[i] = look(row, runs[i].column);
                previousHatched |= looks[i].hatched;
            }
            previousRow = row;
        }
        if (previousHatched && !pattern)
            pattern = HatchAt(device, brushOrigin);
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const CellLook& cell = looks[i];
            if (!cell.hatched) {
                std::fill(line + runs[i].begin, line + runs[i].end, cell.colour);
                continue;
            }
            for (int x = runs[i].begin; x < runs[i].end; ++x)
                line[x] = pattern->at(tile.left() + x, y) ? cell.colour : white;
        }
    }
}
} // namespace

CellRaster::CellRaster(const std::vector<int>& columnX, const std::vector<int>& rowY,
                       const QTransform& device, const QRect& window) {
    const Spans columns = PixelSpans(columnX, device, true);
    const Spans rows = PixelSpans(rowY, device, false);
    if (columns.start.empty() || rows.start.empty())
        return;
    // Spans run left to right and top to bottom and meet or overlap, so the first
    // starts the covered pixels and the last ends them.
    const QRect covered(QPoint(columns.start.front(), rows.start.front()),
                        QPoint(columns.end.back() - 1, rows.end.back() - 1));
    bounds_ = covered & window;
    if (bounds_.isEmpty())
        return;
    columnOwner_ = Owners(columns, bounds_.left(), bounds_.right() + 1);
    rowOwner_ = Owners(rows, bounds_.top(), bounds_.bottom() + 1);
    // A gap at the very first pixel (see Owners) leaves nothing that could be drawn.
    if (columnOwner_.front() < 0 || rowOwner_.front() < 0)
        bounds_ = QRect();
}

QPointF HatchBrushOrigin(const QTransform& pageToClient, const QTransform& clientToDevice,
                         const QPointF& clientOrigin) {
    const double dx = clientToDevice.dx();
    const double dy = clientToDevice.dy();
    if (clientToDevice.type() > QTransform::TxTranslate || dx != std::trunc(dx) ||
        dy != std::trunc(dy) || std::abs(dx) > 1e9 || std::abs(dy) > 1e9)
        return clientOrigin;
    const int offsetX = static_cast<int>(dx);
    const int offsetY = static_cast<int>(dy);
    const HatchPattern wanted = HatchAt(pageToClient, clientOrigin);
    const HatchPattern got = HatchAt(pageToClient * clientToDevice, clientOrigin);
    // The origin moves the pattern by whole device pixels: find the move that makes the
    // device pixel (x, y) show the client pixel (x, y) - offset.
    for (int shiftY = 0; shiftY < 8; ++shiftY) {
        for (int shiftX = 0; shiftX < 8; ++shiftX) {
            bool same = true;
            for (int y = 0; y < 8 && same; ++y)
                for (int x = 0; x < 8 && same; ++x)
                    same = got.at(x - shiftX, y - shiftY) == wanted.at(x - offsetX, y - offsetY);
            if (same)
                return clientOrigin + QPointF(shiftX, shiftY);
        }
    }
    return clientOrigin;
}

bool CanPaintCellImage(const QPainter& painter) {
    const QTransform device = painter.deviceTransform();
    return device.type() <= QTransform::TxScale && device.m11() > 0.0 && device.m22() > 0.0 &&
           !painter.testRenderHint(QPainter::Antialiasing) && painter.opacity() == 1.0 &&
           painter.compositionMode() == QPainter::CompositionMode_SourceOver;
}

void PaintCellImage(QPainter& painter, const CellRaster& raster, const QRegion& exposed,
                    const QPointF& brushOrigin, const std::function<CellLook(int, int)>& look) {
    const QTransform device = painter.deviceTransform();
    PainterGuard guard(painter);
    // The images are drawn one image pixel to one device pixel: undo the rest of the
    // device transform (a translation, or a high-resolution screen's scale).
    painter.resetTransform();
    const QTransform base = painter.deviceTransform();
    const bool translationOnly = base.type() <= QTransform::TxTranslate;
    if (!translationOnly)
        painter.setTransform(base.inverted());
    for (const QRect& rect : exposed) {
        const QRect tile = rect & raster.bounds();
        if (tile.isEmpty())
            continue;
        QImage image(tile.size(), QImage::Format_RGB32);
        FillTile(image, tile, raster, look, device, brushOrigin);
        const QPointF at = translationOnly ? QPointF(tile.x() - base.dx(), tile.y() - base.dy())
                                           : QPointF(tile.topLeft());
        painter.drawImage(at, image);
    }
}
