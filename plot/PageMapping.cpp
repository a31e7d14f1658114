#include "plot/PageMapping.h"

#include <algorithm>
#include <cmath>

PageMapping::PageMapping(double clientWidth, double clientHeight, double pageHeight) {
    if (!(clientWidth > 0.0) || !(clientHeight > 0.0) || !(pageHeight > 0.0) ||
        !std::isfinite(pageHeight))
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
