#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>
#include <QTransform>

// Maps the logical page (16000 units wide, x from -2000, y from -1000 downwards) into
// a client area of Wc by Hc pixels: one factor across and down, anchored top-left.
class PageMapping {
public:
    PageMapping() = default;
    PageMapping(double clientWidth, double clientHeight, int pageHeight);

    // False when the client area or the page height leaves nothing to draw into.
    bool isValid() const { return valid_; }
    double factor() const { return factor_; }
    int pageHeight() const { return pageHeight_; }

    QPointF toPixel(double x, double y) const;
    QPointF toPage(double px, double py) const;
    // Pixels covered by the page rectangle from (left, top) to (right, bottom).
    QRect pixelBounds(double left, double top, double right, double bottom) const;
    // Page units to pixels, for a QPainter that draws in page units.
    QTransform transform() const;
    // The whole page (16000 by pageHeight units) in pixels: the clipboard and export size.
    QSize pageSizePixels() const;

    static constexpr double PageWidth = 16000.0;
    static constexpr double PageLeft = -2000.0;
    static constexpr double PageTop = -1000.0;

private:
    bool valid_ = false;
    double factor_ = 0.0;
    int pageHeight_ = 0;
};
