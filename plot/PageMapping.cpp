#include "plot/PageMapping.h"

#include <algorithm>
#include <cmath>

PageMapping::PageMapping(double clientWidth, double clientHeight, int pageHeight)
    : pageHeight_(pageHeight) {
    if (!(clientWidth > 0.0) || !(clientHeight > 0.0) || pageHeight <= 0)
        return;
    factor_ = std::min(clientWidth / PageWidth, clientHeight / pageHeight);
    valid_ = factor_ > 0.0 && std::isfinite(factor_);
}

QPointF PageMapping::toPixel(double x, double y) const {
    return {(x - PageLeft) * factor_, (y - PageTop) * factor_};
}

QPointF PageMapping::toPage(double px, double py) const {
    if (!valid_)
        return {};
    return {px / factor_ + PageLeft, py / factor_ + PageTop};
}

QRect PageMapping::pixelBounds(double left, double top, double right, double bottom) const {
    const QPointF a = toPixel(left, top);
    const QPointF b = toPixel(right, bottom);
    // Limited so that far-away page positions cannot overflow the integer rectangle.
    auto px = [](double v) { return static_cast<int>(std::clamp(v, -1e9, 1e9)); };
    const int x0 = px(std::floor(std::min(a.x(), b.x())));
    const int y0 = px(std::floor(std::min(a.y(), b.y())));
    const int x1 = px(std::ceil(std::max(a.x(), b.x())));
    const int y1 = px(std::ceil(std::max(a.y(), b.y())));
    return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
}

QTransform PageMapping::transform() const {
    return QTransform(factor_, 0.0, 0.0, factor_, -PageLeft * factor_, -PageTop * factor_);
}

QSize PageMapping::pageSizePixels() const {
    if (!valid_)
        return {};
    const int width = std::max(1, static_cast<int>(std::lround(PageWidth * factor_)));
    const int height = std::max(1, static_cast<int>(std::lround(pageHeight_ * factor_)));
    return {width, height};
}
