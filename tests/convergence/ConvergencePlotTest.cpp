#include "convergence/ConvergencePlot.h"
#include "HistoryBuilder.h"
#include "convergence/ConvergenceGeometry.h"
#include "plot/PageText.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdlib>

namespace {

constexpr double W = 10000.0;
constexpr double H = 2500.0;
constexpr double PixelsPerUnit = 0.1;

const QColor Yellow(255, 255, 0);
const QColor Teal(0, 155, 155);
const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);

// The page of a 2500-unit-deep section with the curves shown, at a tenth of a pixel per unit.
QImage Render(const ConvergenceHistory& history) {
    QImage image(1600, static_cast<int>((H + 8200) * PixelsPerUnit), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(PixelsPerUnit, PixelsPerUnit);
    painter.translate(2000, 1000);
    const PageFonts fonts = MakePageFonts(400, PixelsPerUnit);
    DrawConvergencePlot(painter, history, W, H, fonts.label, fonts.title);
    return image;
}

// Pixel of a plot point; the plot's origin is at section y = trunc(H) + 6000.
QPoint Pixel(double x, double y) {
    return {static_cast<int>((x + 2000) * PixelsPerUnit),
            static_cast<int>((y + H + 6000 + 1000) * PixelsPerUnit)};
}

int CountColour(const QImage& image, const QRect& area, const QColor& colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.rect().contains(x, y) && image.pixelColor(x, y) == colour;
        }
    }
    return count;
}

// Rasterisation may put a one-pixel line a pixel either way of the exact position.
bool ColourNear(const QImage& image, QPoint at, const QColor& colour) {
    return CountColour(image, QRect(at - QPoint(1, 1), QSize(3, 3)), colour) > 0;
}

QPoint Midpoint(PlotPoint a, PlotPoint b) {
    return Pixel((a.x + b.x) / 2.0, (a.y + b.y) / 2.0);
}

// Ten iterations of a typical inversion: misfit falling to the target, norm rising.
ConvergenceHistory Realistic() {
    return MakeHistory({5200, 2100, 880, 410, 230, 160, 128, 117, 112, 110, 109},
                       {0, 95, 240, 410, 560, 680, 760, 810, 840, 855, 862}, 110);
}

} // namespace

TEST(ConvergencePicture, CurvesMarkersAndTargetLine) {
    const ConvergenceHistory history = Realistic();
    const QImage image = Render(history);
    if (const char* path = std::getenv("KORVEX_CONVERGENCE_PNG")) {
        image.save(path);
    }
    const ConvergenceGeometry g(history, W, H);

    const CurveRun misfit = g.MisfitRuns().at(0);
    ASSERT_EQ(misfit.size(), 11u);
    for (std::size_t j = 0; j < misfit.size(); ++j) {
        // The box is 60 units before the point and 80 after: its centre is 10 units past it.
        EXPECT_EQ(image.pixelColor(Pixel(misfit[j].x + 10, misfit[j].y + 10)), Yellow) << j;
        if (j + 1 < misfit.size()) {
            EXPECT_TRUE(ColourNear(image, Midpoint(misfit[j], misfit[j + 1]), Blue)) << j;
        }
    }

    const CurveRun norm = g.NormRuns().at(0);
    ASSERT_EQ(norm.size(), 10u);
    for (std::size_t j = 0; j + 1 < norm.size(); ++j) {
        EXPECT_TRUE(ColourNear(image, Midpoint(norm[j], norm[j + 1]), Red)) << j;
    }

    // Dashed: teal along the target's row, with gaps between the dashes.
    const QPoint left = Pixel(0, g.TargetY());
    const QRect row(left.x(), left.y() - 1, static_cast<int>(W * PixelsPerUnit), 3);
    const int teal = CountColour(image, row, Teal);
    EXPECT_GT(teal, 200);
    EXPECT_LT(teal, 800);
}

TEST(ConvergencePicture, NoPositiveNormDrawsNothingRed) {
    const QImage image = Render(MakeHistory({300, 120, 90}, {0, 0, -1}, 100));
    EXPECT_EQ(CountColour(image, image.rect(), Red), 0);
    EXPECT_GT(CountColour(image, image.rect(), Blue), 0);
}

TEST(ConvergencePicture, MissingLogarithmLeavesAGap) {
    // Entry 2 has a misfit of 0: the curve stops at entry 1 and resumes at entry 3.
    const ConvergenceHistory history = MakeHistory({900, 300, 0, 120, 100}, {0, 5, 6, 7, 8});
    const QImage image = Render(history);
    const ConvergenceGeometry g(history, W, H);
    const QPoint top = Pixel(g.EntryX(2), -4000);
    EXPECT_EQ(CountColour(image, QRect(top.x() - 1, top.y(), 3, 400), Blue), 0);
    const CurveRun after = g.MisfitRuns().at(1);
    EXPECT_TRUE(ColourNear(image, Midpoint(after[0], after[1]), Blue));
}
