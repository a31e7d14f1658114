#pragma once

#include <QPointF>
#include <QRect>
#include <QRgb>

#include <functional>
#include <vector>

class QPainter;
class QRegion;
class QTransform;

// How one cell is drawn: filled with its colour, or cross-hatched in its colour over
// white.
struct CellLook {
    QRgb colour;
    bool hatched;
};

// Which cell each device pixel shows when the cells are filled one rectangle at a time,
// top row first and each row from the left, on a raster device. Every cell reaches one
// page unit past its right and bottom nodes, so neighbours overlap and a pixel shows
// the last cell whose filled rectangle holds it; the raster engine puts a page span
// [left, right) onto the pixels from qRound of its mapped left edge up to (not
// including) qRound of its mapped right edge. Rows and columns are independent, so one
// owner per pixel column and one per pixel row describe the whole picture.
class CellRaster {
public:
    // columnX and rowY are the page positions of consecutive nodes (cells + 1 of each);
    // `device` maps page units to device pixels with a scale and a translation only.
    // Only the device pixels inside `window` are worked out.
    CellRaster(const std::vector<int>& columnX, const std::vector<int>& rowY,
               const QTransform& device, const QRect& window);

    // The device pixels inside the window that some cell covers.
    QRect bounds() const { return bounds_; }
    // The cell column (index into columnX) shown at a pixel column inside bounds(), and
    // the row likewise.
    int columnAt(int x) const { return columnOwner_[x - bounds_.left()]; }
    int rowAt(int y) const { return rowOwner_[y - bounds_.top()]; }

private:
    QRect bounds_;
    std::vector<int> columnOwner_;
    std::vector<int> rowOwner_;
};

// Whether an image can stand for the per-cell fills on this painter: page-to-device
// mapping by scale and translation only, no antialiasing, opaque source-over painting.
bool CanPaintCellImage(const QPainter& painter);

// The brush origin for hatched cells on a painter whose device lies `clientToDevice` (a
// whole-pixel offset) away from the client area, such as a window's view below its tool
// bar: it puts the hatch where a painter drawing straight onto the client area (the page
// image) puts it with `clientOrigin`. Qt's raster engine moves a pattern by the
// painter's translation divided by its scale, not by the translation itself, so the same
// origin would shift the hatch against the page by an amount that depends on the offset
// and the scale. Other transforms keep `clientOrigin`.
QPointF HatchBrushOrigin(const QTransform& pageToClient, const QTransform& clientToDevice,
                         const QPointF& clientOrigin);

// Paints the cells where they show inside `exposed` (device pixels), one image per
// rectangle of the region, through the painter's clip. The painter draws in page units
// (the transform `raster` was made with). `look` is asked once per run of pixels that
// one cell shows in, so cells hidden by their neighbours or outside the region are never
// looked up. Hatched cells take the cross-hatch pattern at the same brush origin as a
// per-cell pattern fill would.
void PaintCellImage(QPainter& painter, const CellRaster& raster, const QRegion& exposed,
                    const QPointF& brushOrigin, const std::function<CellLook(int, int)>& look);
