#include "SectionFixture.h"

#include "convergence/ConvergencePlot.h"
#include "plot/PageMapping.h"
#include "plot/SectionPainter.h"

#include <gtest/gtest.h>

#include <limits>

// The depth-of-investigation mask, the face weights and the convergence curves as the
// window and korvex-render draw them.
namespace {
const QSize Client(1600, 1200);

QRgb Rgb(const QImage& image, const QPoint& p) {
    return image.pixel(p) & 0xffffff;
}

int CountColour(const QImage& image, const QRect& rect, QRgb colour) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += Rgb(image, QPoint(x, y)) == (colour & 0xffffff);
    return count;
}

TEST(FeaturePaint, DoiMaskHatchesCellsAtOrAboveTheCutoff) {
    SectionFixture f;
    f.loadSmallSection();
    f.state.doi.values = {{0.1f, 0.5f, 0.2f, 0.9f}, {0.3f, 0.9f, 0.0f, 0.0f}};
    f.state.doi.shown = true;
    const QImage image = f.render(Client);
    const auto solid = [&](int row, int column) {
        const QPoint c = f.cellCentre(row, column, Client);
        return CountColour(image, QRect(c - QPoint(6, 6), QSize(12, 12)), 0xffffff) == 0;
    };
    EXPECT_TRUE(solid(0, 0));
    EXPECT_FALSE(solid(0, 1));
    EXPECT_FALSE(solid(1, 0)); // exactly at the cutoff of 0.3
    EXPECT_TRUE(solid(1, 2));

    // Every document update drops the mask.
    ApplyDocumentUpdate(f.state, f.document);
    EXPECT_FALSE(f.state.doi.shown);
    EXPECT_TRUE(f.state.doi.values.empty());
    const QImage unmasked = f.render(Client);
    const QPoint c = f.cellCentre(0, 1, Client);
    EXPECT_EQ(CountColour(unmasked, QRect(c - QPoint(6, 6), QSize(12, 12)), 0xffffff), 0);
}

TEST(FeaturePaint, DoiFadeMixesCellsBeyondTheCutoffWithWhite) {
    SectionFixture f;
    f.loadSmallSection(); // -3 is dark blue (0, 0, 139), -2 green, -1 (255, 70, 150)
    const float nan = std::numeric_limits<float>::quiet_NaN();
    f.state.doi.values = {{0.65f, 0.2f, nan, 5.0f}, {0.3f, 0.9f, 0.0f, 0.0f}};
    f.state.doi.shown = true; // cutoff 0.3
    f.state.settings.doiStyle = DoiStyle::Fade;
    const QImage image = f.render(Client);
    const auto centre = [&](int row, int column) {
        return Rgb(image, f.cellCentre(row, column, Client));
    };
    // a = 0.8 * 0.35 / 0.7 = 0.4: 0.6 * 139 + 102 = 185.4.
    EXPECT_EQ(centre(0, 0), qRgb(102, 102, 185) & 0xffffffu);
    EXPECT_EQ(centre(0, 1), f.tableColour(-2.5f).rgb() & 0xffffffu); // below the cutoff
    EXPECT_EQ(centre(0, 2), qRgb(204, 255, 204) & 0xffffffu);        // no number: a = 0.8
    EXPECT_EQ(centre(0, 3), qRgb(255, 218, 234) & 0xffffffu);        // far beyond: a = 0.8
    EXPECT_EQ(centre(1, 0), f.tableColour(-1.5f).rgb() & 0xffffffu); // at the cutoff: a = 0
    EXPECT_EQ(centre(1, 1), 0xffffffu);                              // blank stays white

    // The legend stands under the colour bar, at the page's right edge; not with hatch.
    const double h = f.state.layout.plotHeight;
    const QRect legend(f.pixelOf(9000, h + 600, Client), f.pixelOf(13900, h + 1000, Client));
    EXPECT_TRUE(HasDarkPixel(image, legend));
    f.state.settings.doiStyle = DoiStyle::Hatch;
    EXPECT_FALSE(HasDarkPixel(f.render(Client), legend));
}

TEST(FeaturePaint, WeightedFacesAreBlackBelowOneGreyAboveAndAbsentAtOne) {
    SectionFixture f;
    f.loadSmallSection();
    f.document.weights.xWeights = {{0.5f, 2.0f, 1.0f}, {1.0f, 1.0f, 1.0f}};
    f.document.weights.zWeights = {{1.0f, 1.0f, 1.0f, 0.25f}};
    f.document.weightsLoaded = true;
    f.state.settings.showWeights = true;
    const QImage image = f.render(Client);
    const double s = f.state.layout.scale;
    // Vertical faces in the top row at x = 250, 500 and 750 m; depth 62.5 m.
    EXPECT_EQ(Rgb(image, f.pixelOf(250 * s, 62.5 * s, Client)), 0x000000u);
    EXPECT_EQ(Rgb(image, f.pixelOf(500 * s, 62.5 * s, Client)), 0x969696u);
    // A weight of exactly 1 leaves the cells' colours at the face.
    const QRgb untouched = Rgb(image, f.pixelOf(750 * s, 62.5 * s, Client));
    EXPECT_TRUE(untouched == (f.tableColour(-2.0f).rgb() & 0xffffff) ||
                untouched == (f.tableColour(-1.0f).rgb() & 0xffffff));
    // The horizontal face under the last column, at 125 m.
    EXPECT_EQ(Rgb(image, f.pixelOf(875 * s, 125 * s, Client)), 0x000000u);
    EXPECT_NE(Rgb(image, f.pixelOf(125 * s, 125 * s + 40, Client)), 0x000000u);

    f.state.settings.showWeights = false;
    EXPECT_NE(Rgb(f.render(Client), f.pixelOf(250 * s, 62.5 * s, Client)), 0x000000u);
}

TEST(FeaturePaint, HiddenPaddingColumnsHideTheirFaces) {
    SectionFixture f;
    f.loadSmallSection();
    f.document.weights.xWeights = {{0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}};
    f.document.weights.zWeights = {{1.0f, 1.0f, 1.0f, 1.0f}};
    f.document.weightsLoaded = true;
    f.state.settings.showWeights = true;
    f.state.settings.padLeft = 1;
    f.state.relayout(f.document);
    const QImage image = f.render(Client);
    const double s = f.state.layout.scale;
    // The face at 250 m is the section's left edge now: only the frame's thin line.
    EXPECT_NE(Rgb(image, f.pixelOf(0 + 15, 62.5 * s, Client)), 0x000000u);
    EXPECT_EQ(Rgb(image, f.pixelOf(250 * s, 62.5 * s, Client)), 0x000000u);
}

TEST(FeaturePaint, ConvergenceCurvesFillTheBandBelowTheSection) {
    SectionFixture f;
    f.loadSmallSection();
    f.document.history.misfit = {3.0, 2.0, 1.5};
    f.document.history.modelNorm = {0.0, 1.0, 2.0};
    f.document.history.misfitMin = 1.5;
    f.document.history.misfitMax = 3.0;
    f.document.history.normMin = 1.0;
    f.document.history.normMax = 2.0;
    f.document.convergenceLoaded = true;
    f.state.belowSection = ConvergenceLayer();
    f.state.settings.showConvergence = true;
    const QImage image = f.render(Client);
    const QPoint bandTop = f.pixelOf(0, f.state.layout.plotHeight + 1400, Client);
    const QRect band(QPoint(0, bandTop.y()), QPoint(image.width() - 1, image.height() - 1));
    EXPECT_GT(CountColour(image, band, qRgb(0, 0, 255)), 20);
    EXPECT_GT(CountColour(image, band, qRgb(255, 0, 0)), 20);
    EXPECT_GT(CountColour(image, band, qRgb(255, 255, 0)), 20);

    // Without a history nothing is drawn there, even with the flag set.
    f.document.convergenceLoaded = false;
    const QImage empty = f.render(Client);
    EXPECT_EQ(CountColour(empty, band, qRgb(0, 0, 255)), 0);
}
TEST(FeaturePaint, AOneRowMeshHasOnlyVerticalFaces) {
    SectionFixture f;
    f.load({0, 250, 500}, {0, 125}, {{-2.0f, -1.0f}});
    f.document.weights.xWeights = {{0.5f}};
    // Z weights a one-row mesh cannot have; a stray row must not be drawn.
    f.document.weights.zWeights = {{0.5f, 0.5f}};
    f.document.weightsLoaded = true;
    f.state.settings.showWeights = true;
    const QImage image = f.render(Client);
    const double s = f.state.layout.scale;
    EXPECT_EQ(Rgb(image, f.pixelOf(250 * s, 60 * s, Client)), 0x000000u);
    // Along the bottom edge only the frame's one-pixel line, not a 20-unit face.
    EXPECT_NE(Rgb(image, f.pixelOf(125 * s, 125 * s - 8, Client)), 0x000000u);
}

} // namespace

TEST(FeaturePaint, ComparisonColoursTheChangeOnTheDivergingMap) {
    SectionFixture f;
    f.loadSmallSection(); // resistivity display
    CellModel second = f.document.model;
    second.values[0][0] += std::log10(3.3f); // resistivity -69.7 %, conductivity +230 %
    second.values[0][2] -= std::log10(2.0f); // resistivity +100 %, conductivity -50 %
    second.values[1][2] = -9.0f;             // blank in the second model
    f.state.showComparison(f.document, second, ComparisonMode::Percent);
    const ColourTable diverging(true, true, ColourMap::BlueWhiteRed);
    const auto colourAt = [&](int row, int column) {
        return Rgb(f.render(Client), f.cellCentre(row, column, Client));
    };
    // The range is +-100 %, 60 entries over 200 %; no change takes the middle entry.
    EXPECT_EQ(colourAt(0, 0), diverging.entry(9) & 0xffffff);
    EXPECT_EQ(colourAt(0, 1), diverging.entry(30) & 0xffffff);
    EXPECT_EQ(colourAt(0, 2), diverging.entry(60) & 0xffffff);
    EXPECT_EQ(colourAt(1, 1), 0xffffffu); // blank in the loaded model
    EXPECT_EQ(colourAt(1, 2), 0xffffffu);

    // In conductivity the range becomes +-230 %.
    f.state.settings.showConductivity = true;
    f.state.refreshComparison(f.document);
    EXPECT_EQ(colourAt(0, 0), diverging.entry(60) & 0xffffff);
    EXPECT_EQ(colourAt(0, 2), diverging.entry(23) & 0xffffff);

    // A document update returns to the model itself.
    ApplyDocumentUpdate(f.state, f.document);
    EXPECT_EQ(colourAt(0, 0), f.tableColour(-3.0f).rgb() & 0xffffff);
}
