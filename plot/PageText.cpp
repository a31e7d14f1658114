#include "plot/PageText.h"

#include "plot/PainterGuard.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
double EmPerCellHeight();
} // namespace

QFont PageFont(int heightUnits, int weight, double factor) {
    // The generic name: fontconfig resolves it, and SVG viewers know it too.
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(static_cast<QFont::Weight>(weight));
    if (heightUnits > 0) {
        const double pixels = heightUnits * factor * EmPerCellHeight();
        // setPixelSize refuses sizes below 1, and huge sizes only waste memory.
        font.setPixelSize(static_cast<int>(std::lround(std::clamp(pixels, 1.0, 100000.0))));
    } else if (QGuiApplication::font().pointSizeF() > 0.0) {
        font.setPointSizeF(QGuiApplication::font().pointSizeF());
    } else if (QGuiApplication::font().pixelSize() > 0) {
        font.setPixelSize(QGuiApplication::font().pixelSize());
    }
    return font;
}

namespace {
// QFont sizes the em square; the page gives the whole character cell. Measured once.
double EmPerCellHeight() {
    static const double ratio = [] {
        QFont font = PageFont(0, 400, 0.0);
        font.setPixelSize(1000);
        const QFontMetricsF metrics(font);
        const double cell = metrics.ascent() + metrics.descent();
        return cell > 0.0 ? 1000.0 / cell : 1.0;
    }();
    return ratio;
}
} // namespace

void PreparePageFonts() {
    EmPerCellHeight();
}

PageFonts MakePageFonts(int fontHeight, double factor) {
    return {PageFont(fontHeight, 400, factor), PageFont(fontHeight + 100, 700, factor)};
}

void DrawPageText(QPainter& painter, const QPointF& point, const QString& text, TextAlign align,
                  const QFont& font, bool rotated) {
    if (text.isEmpty())
        return;
    const QPointF anchor = painter.transform().map(point);
    PainterGuard guard(painter);
    painter.resetTransform();
    painter.translate(anchor);
    if (rotated)
        painter.rotate(-90.0);
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double width = metrics.horizontalAdvance(text);
    QPointF origin;
    switch (align) {
    case TextAlign::CentreTop:
        origin = {-width / 2.0, metrics.ascent()};
        break;
    case TextAlign::CentreBaseline:
        origin = {-width / 2.0, 0.0};
        break;
    case TextAlign::RightBaseline:
        origin = {-width, 0.0};
        break;
    case TextAlign::LeftBaseline:
        origin = {0.0, 0.0};
        break;
    }
    painter.drawText(origin, text);
}
