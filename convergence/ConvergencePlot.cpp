#include "convergence/ConvergencePlot.h"

#include "convergence/ConvergenceGeometry.h"
#include "document/CTest1Doc.h"
#include "document/ConvergenceHistory.h"
#include "plot/PageText.h"
#include "plot/PainterGuard.h"

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

void DrawText(QPainter& painter, QPoint at, const std::string& text, TextAlign align,
              const QFont& font, bool rotated = false) {
    DrawPageText(painter, at, QString::fromStdString(text), align, font, rotated);
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
    PainterGuard guard(painter);
    painter.translate(0, geometry.OriginY());
    painter.setBackgroundMode(Qt::TransparentMode);

    painter.setPen(HairlinePen(Black));
    DrawText(painter, ToQPoint(geometry.TitlePosition()), geometry.TitleText(),
             TextAlign::CentreBaseline, titleFont);

    QPolygon frame;
    for (PlotPoint p : geometry.FramePolyline()) {
        frame << ToQPoint(p);
    }
    painter.drawPolyline(frame);

    painter.setBrush(Yellow);
    if (geometry.HasTarget()) {
        const int y = geometry.TargetY();
        painter.setPen(HairlinePen(Teal, Qt::DashLine));
        painter.drawLine(0, y, geometry.TargetLineRight(), y);
        painter.setPen(HairlinePen(Teal));
        DrawText(painter, ToQPoint(geometry.TargetTextPosition()), geometry.TargetText(),
                 TextAlign::CentreBaseline, labelFont);
    }

    DrawCurve(painter, geometry.MisfitRuns(), Blue);
    for (const PlotTick& tick : geometry.MisfitTicks()) {
        DrawText(painter, QPoint(-200, tick.position), tick.text, TextAlign::RightBaseline,
                 labelFont);
        painter.drawLine(0, tick.position, -16, tick.position);
    }
    DrawText(painter, QPoint(-1700, -2000), "Data misfit", TextAlign::CentreTop, labelFont, true);

    // Without a single positive norm there is no scale: the whole right axis stays empty
    // rather than naming a curve that is not there.
    if (geometry.HasNormAxis()) {
        DrawCurve(painter, geometry.NormRuns(), Red);
        const int right = geometry.FrameRight();
        for (const PlotTick& tick : geometry.NormTicks()) {
            DrawText(painter, QPoint(geometry.NormLabelX(), tick.position), tick.text,
                     TextAlign::LeftBaseline, labelFont);
            painter.drawLine(right, tick.position, right + 160, tick.position);
        }
        DrawText(painter, QPoint(right + 1400, -2000), "Model Norm", TextAlign::CentreTop,
                 labelFont, true);
    }

    painter.setPen(HairlinePen(Black));
    for (const PlotTick& label : geometry.IterationLabels()) {
        DrawText(painter, QPoint(label.position, 160), label.text, TextAlign::CentreTop, labelFont);
    }
    DrawText(painter, QPoint(geometry.TitlePosition().x, 500), "Iteration #", TextAlign::CentreTop,
             labelFont);
}

PageLayer ConvergenceLayer() {
    return [](QPainter& painter, const CTest1Doc& doc, const ViewState& state,
              const PageFonts& fonts) {
        if (doc.convergenceLoaded)
            DrawConvergencePlot(painter, doc.history, state.layout.plotWidth,
                                state.layout.plotHeight, fonts.label, fonts.title);
    };
}
