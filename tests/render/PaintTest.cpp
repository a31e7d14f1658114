#include "SectionFixture.h"

#include "plot/PageMapping.h"
#include "plot/SectionPainter.h"

#include <QPainter>
#include <QRegion>

#include <gtest/gtest.h>

namespace {

const QSize Client(1600, 1200); // f = 0.1: a page unit is a tenth of a pixel

QRgb Rgb(const QImage& image, const QPoint& p) {
    return image.pixel(p) & 0xffffff;
}
QRgb Rgb(const QColor& colour) {
    return colour.rgb() & 0xffffff;
}

TEST(PaintCells, EachCellTakesItsTableColourAndBlankCellsStayWhite) {
    SectionFixture f;
    f.loadSmallSection();
    const QImage image = f.render(Client);
    ASSERT_EQ(image.size(), QSize(1600, 490));
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c) {
            SCOPED_TRACE(testing::Message() << "cell " << r << "," << c);
            const float v = f.document.model.values[r][c];
            EXPECT_EQ(Rgb(image, f.cellCentre(r, c, Client)), Rgb(f.tableColour(v)));
        }
    EXPECT_EQ(Rgb(image, f.cellCentre(1, 1, Client)), 0xffffffu); // -9 is below -8
    // The lowest value (-3) and the highest (-1) with the initial flipped colour ramp.
    EXPECT_EQ(Rgb(image, f.cellCentre(0, 0, Client)), qRgb(0, 0, 139) & 0xffffffu);
    EXPECT_EQ(Rgb(image, f.cellCentre(0, 3, Client)), qRgb(255, 70, 150) & 0xffffffu);
}

TEST(PaintCells, NeighbouringCellsLeaveNoGap) {
    SectionFixture f;
    f.loadSmallSection();
    const QImage image = f.render(Client);
    // Along the row through the first row's centres, from the left edge to the right.
    const int y = f.cellCentre(0, 0, Client).y();
    const int left = f.pixelOf(0, 0, Client).x();
    const int right = f.pixelOf(10000, 0, Client).x();
    for (int x = left + 1; x < right; ++x)
        EXPECT_NE(Rgb(image, QPoint(x, y)), 0xffffffu) << x;
}

struct MapCase {
    bool useColour, flip;
    QRgb lowest, highest;
};

class PaintColourMaps : public ::testing::TestWithParam<MapCase> {};

TEST_P(PaintColourMaps, CellsAndSwatchesFollowTheTable) {
    const MapCase c = GetParam();
    SectionFixture f;
    f.loadSmallSection();
    f.state.settings.useColour = c.useColour;
    f.state.settings.flipColours = c.flip;
    f.state.rebuildColours();
    for (bool conductivity : {true, false}) {
        SCOPED_TRACE(conductivity ? "conductivity display" : "resistivity display");
        f.state.settings.showConductivity = conductivity;
        const QImage image = f.render(Client);
        EXPECT_EQ(Rgb(image, f.cellCentre(0, 0, Client)), c.lowest & 0xffffff);
        EXPECT_EQ(Rgb(image, f.cellCentre(0, 3, Client)), c.highest & 0xffffff);
        // Swatches: 300 units wide from plotWidth + 1400, bottom swatch at the section's
        // bottom; the lowest values sit at the bottom in conductivity display only.
        const double w = 2500.0 / 61.0;
        const QPoint bottom = f.pixelOf(10000 + 1550, 2500 - w / 2, Client);
        const QPoint top = f.pixelOf(10000 + 1550, w / 2, Client);
        EXPECT_EQ(Rgb(image, bottom), (conductivity ? c.lowest : c.highest) & 0xffffff);
        EXPECT_EQ(Rgb(image, top), (conductivity ? c.highest : c.lowest) & 0xffffff);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Maps, PaintColourMaps,
    ::testing::Values(MapCase{true, true, qRgb(0, 0, 139), qRgb(255, 70, 150)},
                      MapCase{true, false, qRgb(255, 70, 150), qRgb(0, 0, 139)},
                      MapCase{false, true, qRgb(250, 250, 250), qRgb(0, 0, 0)},
                      MapCase{false, false, qRgb(0, 0, 0), qRgb(250, 250, 250)}));

TEST(PaintCells, LogAndResistivityChangeNoCellColour) {
    SectionFixture f;
    f.loadSmallSection();
    const QImage before = f.render(Client);
    f.state.settings.showLog = true;
    f.state.settings.showConductivity = true;
    const QImage after = f.render(Client);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(Rgb(before, f.cellCentre(r, c, Client)),
                      Rgb(after, f.cellCentre(r, c, Client)));
}

// A 1000 m wide, 200 m deep section of 10 m cells, all one value.
void LoadUniform(SectionFixture& f) {
    std::vector<double> x, z;
    for (int i = 0; i <= 100; ++i)
        x.push_back(i * 10.0);
    for (int k = 0; k <= 20; ++k)
        z.push_back(k * 10.0);
    f.load(x, z, std::vector<std::vector<float>>(20, std::vector<float>(100, -2.0f)));
}

TEST(PaintArea, OnlyTheTrapezoidIsColoured) {
    SectionFixture f;
    LoadUniform(f);
    const double s = f.state.layout.scale; // 10 units per metre
    const QRgb colour = Rgb(f.tableColour(-2.0f));
    auto at = [&](double xm, double zm) { return f.pixelOf(xm * s, zm * s, Client); };

    QImage image = f.render(Client);
    EXPECT_EQ(Rgb(image, at(20, 90)), colour);
    EXPECT_EQ(Rgb(image, at(500, 150)), colour);

    f.state.settings.areaLeft = 0;
    f.state.settings.areaRight = 1000;
    f.state.settings.areaDepth = 100;
    image = f.render(Client);
    // The sides lean in by 57.7 m at 100 m depth: 52 m at 90 m.
    EXPECT_EQ(Rgb(image, at(500, 50)), colour);
    EXPECT_EQ(Rgb(image, at(60, 90)), colour);
    EXPECT_EQ(Rgb(image, at(40, 90)), 0xffffffu);
    EXPECT_EQ(Rgb(image, at(960, 90)), 0xffffffu);
    EXPECT_EQ(Rgb(image, at(500, 150)), 0xffffffu);
    // The frame still encloses the whole section: its left edge below the trapezoid.
    const QPoint frameLeft = at(0, 150);
    EXPECT_TRUE(HasDarkPixel(image, QRect(frameLeft - QPoint(1, 0), QSize(3, 1))));
}

TEST(PaintArea, MeshLinesStayInsideTheArea) {
    SectionFixture f;
    LoadUniform(f);
    f.state.settings.showMesh = true;
    const double s = f.state.layout.scale;
    auto at = [&](double xm, double zm) { return f.pixelOf(xm * s, zm * s, Client); };
    QImage image = f.render(Client);
    // A vertical mesh line at x = 500 m, one pixel wide.
    const QPoint line = at(500, 150);
    EXPECT_TRUE(HasDarkPixel(image, QRect(line - QPoint(1, 0), QSize(3, 1))));

    f.state.settings.areaLeft = 0;
    f.state.settings.areaRight = 1000;
    f.state.settings.areaDepth = 100;
    image = f.render(Client);
    EXPECT_FALSE(HasDarkPixel(image, QRect(line - QPoint(1, 0), QSize(3, 1))));
    EXPECT_TRUE(HasDarkPixel(image, QRect(at(500, 45) - QPoint(1, 0), QSize(3, 1))));
}

TEST(PaintArea, FarAwayAreaValuesDoNotOverflow) {
    SectionFixture f;
    LoadUniform(f);
    f.state.settings.areaLeft = -1e300;
    f.state.settings.areaRight = 1e300;
    f.state.settings.areaDepth = 1e300;
    const QImage image = f.render(Client);
    ASSERT_FALSE(image.isNull());
    // The cut-out reaches past the section's edges, so the whole section is drawn.
    const double s = f.state.layout.scale;
    EXPECT_EQ(Rgb(image, f.pixelOf(500 * s, 150 * s, Client)), Rgb(f.tableColour(-2.0f)));
}

TEST(PaintRegion, CellsOutsideTheRepaintedAreaAreNotLookedAt) {
    SectionFixture f;
    f.loadSmallSection();
    int lookups = 0;
    f.state.cellLookObserver = [&](int, int) { ++lookups; };
    const PageMapping mapping = MappingFor(f.state, Client);
    QImage image(mapping.pageSizePixels(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    const QRegion outsideSection = QRegion(image.rect()) - SectionRect(f.state.layout, mapping);
    {
        QPainter painter(&image);
        painter.setClipRegion(outsideSection);
        PaintPage(painter, f.document, f.state, mapping, outsideSection);
    }
    EXPECT_EQ(lookups, 0);
    EXPECT_EQ(Rgb(image, f.cellCentre(0, 0, Client)), QColor(Qt::magenta).rgb() & 0xffffff);
    // The title above the section was drawn.
    EXPECT_TRUE(
        HasDarkPixel(image, QRect(f.pixelOf(3000, -700, Client), f.pixelOf(7000, -300, Client))));

    // Repainting one cell's pixels asks about that cell (and its overlapping neighbours).
    const QPoint centre = f.cellCentre(0, 2, Client);
    const QRegion oneCell(QRect(centre, QSize(2, 2)));
    {
        QPainter painter(&image);
        PaintPage(painter, f.document, f.state, mapping, oneCell);
    }
    EXPECT_EQ(lookups, 1);
}

TEST(PaintHatch, MaskedCellsAreCrossHatchedAndBlankCellsStayWhite) {
    SectionFixture f;
    f.loadSmallSection();
    f.state.doi.values = {{0.0f, 0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f, 1.0f}};
    f.state.doi.shown = true;
    const QImage image = f.render(Client);
    const QPoint centre = f.cellCentre(1, 0, Client);
    const QRect box(centre - QPoint(8, 8), QSize(16, 16));
    const QRgb colour = Rgb(f.tableColour(f.document.model.values[1][0]));
    int white = 0, coloured = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const QRgb p = Rgb(image, QPoint(x, y));
            white += p == 0xffffffu;
            coloured += p == colour;
        }
    EXPECT_GT(white, 0);
    EXPECT_GT(coloured, 0);
    EXPECT_EQ(white + coloured, box.width() * box.height());
    EXPECT_TRUE(AllPixels(image, QRect(f.cellCentre(1, 1, Client), QSize(4, 4)), 0xffffff));
    EXPECT_EQ(Rgb(image, f.cellCentre(0, 0, Client)), Rgb(f.tableColour(-3.0f)));
}

TEST(PaintLayers, TheLayerBelowTheSectionIsDrawnOnlyWhenSwitchedOn) {
    SectionFixture f;
    f.loadSmallSection();
    int curves = 0;
    f.state.belowSection = [&](QPainter&, const CTest1Doc&, const ViewState&, const PageFonts&) {
        ++curves;
    };
    f.render(Client);
    EXPECT_EQ(curves, 0);
    f.state.settings.showConvergence = true;
    f.render(Client);
    EXPECT_EQ(curves, 1);
}

TEST(PaintPage, UnloadedDocumentGivesAWhitePage) {
    SectionFixture f;
    const QImage image = f.render(Client);
    ASSERT_EQ(image.size(), QSize(1600, 240));
    EXPECT_TRUE(AllPixels(image, image.rect(), 0xffffff));
}

TEST(PaintPage, FrameAxesTitleAndColourBarLabelsAreDrawn) {
    SectionFixture f;
    f.loadSmallSection();
    const QImage image = f.render(Client);
    // Frame corners.
    EXPECT_EQ(Rgb(image, f.pixelOf(0, 1250, Client)), 0u);
    EXPECT_EQ(Rgb(image, f.pixelOf(10000, 1250, Client)), 0u);
    // x labels below the section, depth labels to the left, the rotated axis title.
    EXPECT_TRUE(
        HasDarkPixel(image, QRect(f.pixelOf(4700, 2700, Client), f.pixelOf(5300, 3100, Client))));
    EXPECT_TRUE(
        HasDarkPixel(image, QRect(f.pixelOf(-1000, 2200, Client), f.pixelOf(-200, 2500, Client))));
    EXPECT_TRUE(
        HasDarkPixel(image, QRect(f.pixelOf(-1600, 800, Client), f.pixelOf(-1200, 1700, Client))));
    // Colour-bar labels from plotWidth + 2000 and the unit below the bar.
    EXPECT_TRUE(
        HasDarkPixel(image, QRect(f.pixelOf(12000, 2200, Client), f.pixelOf(13000, 2500, Client))));
    EXPECT_TRUE(
        HasDarkPixel(image, QRect(f.pixelOf(11400, 2600, Client), f.pixelOf(12400, 2900, Client))));
    // Nothing between the bar's ticks and the page's right end beyond the labels.
    EXPECT_TRUE(AllPixels(image, QRect(f.pixelOf(13950, -900, Client), QSize(4, 40)), 0xffffff));
}

TEST(PaintPage, FontHeightScalesTheLabels) {
    SectionFixture f;
    f.loadSmallSection();
    auto inkRows = [&](int fontHeight) {
        f.state.settings.fontHeight = fontHeight;
        const QImage image = f.render(Client);
        // Rows with ink in the title band above the section.
        int rows = 0;
        for (int y = 0; y < f.pixelOf(0, -100, Client).y(); ++y)
            rows += HasDarkPixel(image, QRect(0, y, image.width(), 1));
        return rows;
    };
    const int small = inkRows(200);
    const int large = inkRows(600);
    EXPECT_GT(small, 0);
    EXPECT_GT(large, small + 10);
    EXPECT_GT(inkRows(0), 0); // the application font's size
}

} // namespace
