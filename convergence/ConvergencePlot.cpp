#include "convergence/ConvergencePlot.h"

#include "convergence/ConvergenceGeometry.h"
#include "document/ConvergenceHistory.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <string>

namespace {

const QColor Black(0, 0, 0);
const QColor Yellow(255, 255, 0);
const QColor Teal(0, 155, 155);
const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);

// Restores the painter however the block is left.
class PainterStateGuard {
  public:
    explicit PainterStateGuard(QPainter& painter) : painter_(painter) { painter_.save(); }
    ~PainterStateGuard() { painter_.restore(); }
    PainterStateGuard(const PainterStateGuard&) = delete;
    PainterStateGuard& operator=(const PainterStateGuard&) = delete;

  private:
    QPainter& painter_;
};

enum class TextAlign { CentreBaseline, RightBaseline, LeftBaseline, CentreTop };

// drawText anchors the baseline's left end; the other anchors are offsets from the font's
// metrics on the painter's own device, so they match what is drawn.
void DrawAlignedText(QPainter& painter, QPointF at, const std::string& text, TextAlign align) {
    const QString string = QString::fromStdString(text);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double advance = metrics.horizontalAdvance(string);
    switch (align) {
    case TextAlign::CentreBaseline:
        at.rx() -= advance / 2;
        break;
    case TextAlign::RightBaseline:
        at.rx() -= advance;
        break;
    case TextAlign::LeftBaseline:
        break;
    case TextAlign::CentreTop:
        at.rx() -= advance / 2;
        at.ry() += metrics.ascent();
        break;
    }
    painter.drawText(at, string);
}

// Reads upward, centred on the point, with the tops of the letters on the point's x.
void DrawRotatedCentreTop(QPainter& painter, QPoint at, const std::string& text) {
    PainterStateGuard guard(painter);
    painter.translate(at);
    painter.rotate(-90);
    DrawAlignedText(painter, QPointF(0, 0), text, TextAlign::CentreTop);
}

// One device pixel wide at any scale.
QPen HairlinePen(const QColor& colour, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(colour, 0, style);
    pen.setCosmetic(true);
    return pen;
}

QPoint ToQPoint(PlotPoint point) {
    return {point.x, point.y};
}

// The marker box reaches 60 units before the point and 80 after it, on both axes.
void DrawMarkers(QPainter& painter, const std::vector<CurveRun>& runs) {
    for (const CurveRun& run : runs) {
        for (PlotPoint p : run) {
            painter.drawEllipse(QRect(p.x - 60, p.y - 60, 140, 140));
        }
    }
}

void DrawCurve(QPainter& painter, const std::vector<CurveRun>& runs, const QColor& colour) {
    painter.setPen(HairlinePen(colour));
    for (const CurveRun& run : runs) {
        QPolygon polygon;
        polygon.reserve(static_cast<int>(run.size()));
        for (PlotPoint p : run) {
            polygon << ToQPoint(p);
        }
        painter.drawPolyline(polygon);
    }
    DrawMarkers(painter, runs);
}

} // namespace

void DrawConvergencePlot(QPainter& painter, const ConvergenceHistory& history, double plotWidth,
                         double plotHeight, const QFont& labelFont, const QFont& titleFont) {
    const ConvergenceGeometry geometry(history, plotWidth, plotHeight);
    if (geometry.EntryCount() == 0) {
        return;
    }
    PainterStateGuard guard(painter);
    painter.translate(0, geometry.OriginY());
    painter.setBackgroundMode(Qt::TransparentMode);

    painter.setFont(titleFont);
    painter.setPen(HairlinePen(Black));
    DrawAlignedText(painter, ToQPoint(geometry.TitlePosition()), geometry.TitleText(),
                    TextAlign::CentreBaseline);

    QPolygon frame;
    for (PlotPoint p : geometry.FramePolyline()) {
        frame << ToQPoint(p);
    }
    painter.drawPolyline(frame);

    painter.setBrush(Yellow);
    painter.setFont(labelFont);

    if (geometry.HasTarget()) {
        const int y = geometry.TargetY();
        painter.setPen(HairlinePen(Teal, Qt::DashLine));
        painter.drawLine(0, y, geometry.TargetLineRight(), y);
        painter.setPen(HairlinePen(Teal));
        DrawAlignedText(painter, ToQPoint(geometry.TargetTextPosition()), geometry.TargetText(),
                        TextAlign::CentreBaseline);
    }

    DrawCurve(painter, geometry.MisfitRuns(), Blue);
    for (const PlotTick& tick : geometry.MisfitTicks()) {
        DrawAlignedText(painter, QPointF(-200, tick.position), tick.text, TextAlign::RightBaseline);
        painter.drawLine(0, tick.position, -16, tick.position);
    }
    DrawRotatedCentreTop(painter, QPoint(-1700, -2000), "Data misfit");

    // Without a single positive norm there is no scale: the whole right axis stays empty
    // rather than naming a curve that is not there.
    if (geometry.HasNormAxis()) {
        DrawCurve(painter, geometry.NormRuns(), Red);
        const int right = geometry.FrameRight();
        for (const PlotTick& tick : geometry.NormTicks()) {
            DrawAlignedText(painter, QPointF(geometry.NormLabelX(), tick.position), tick.text,
                            TextAlign::LeftBaseline);
            painter.drawLine(right, tick.position, right + 160, tick.position);
        }
        DrawRotatedCentreTop(painter, QPoint(right + 1400, -2000), "Model Norm");
    }

    painter.setPen(HairlinePen(Black));
    for (const PlotTick& label : geometry.IterationLabels()) {
        DrawAlignedText(painter, QPointF(label.position, 160), label.text, TextAlign::CentreTop);
    }
    DrawAlignedText(painter, QPointF(geometry.TitlePosition().x, 500), "Iteration #",
                    TextAlign::CentreTop);
}
