// Settings and meshes at the edge of what doubles and page positions hold: the page is
// still drawn with the right colours, or not drawn at all, and never overflows.
#include "SectionFixture.h"

#include "plot/ColourTable.h"
#include "plot/PageMapping.h"
#include "plot/PlotLabels.h"
#include "plot/PlotLayout.h"
#include "plot/PointerReadout.h"
#include "plot/SectionPainter.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const QSize Client(800, 600);
constexpr double Max = std::numeric_limits<double>::max();

QRgb Rgb(const QImage& image, const QPoint& p) {
    return image.pixel(p) & 0xffffff;
}

// Every cell of the loaded section shows its table colour.
void ExpectCellColours(const SectionFixture& f, const QImage& image) {
    ASSERT_FALSE(image.isNull());
    for (int r = 0; r < f.document.mesh.nz; ++r)
        for (int c = 0; c < f.document.mesh.nx; ++c) {
            SCOPED_TRACE(testing::Message() << "cell " << r << "," << c);
            EXPECT_EQ(Rgb(image, f.cellCentre(r, c, Client)),
                      f.tableColour(f.document.model.values[r][c]).rgb() & 0xffffff);
        }
}

TEST(HostileRange, RangeWiderThanTheLargestDoubleStillSpreadsTheColours) {
    SectionFixture f;
    f.loadSmallSection();
    f.state.settings.rangeMin = -1e308;
    f.state.settings.rangeMax = 1e308;
    // Values near 0 sit in the middle of such a range, not at its lowest colour.
    EXPECT_EQ(ColourIndex(-2.0f, -8.0f, -1e308, 1e308), 30);
    EXPECT_EQ(ColourIndex(-2.0f, -8.0f, -Max, Max), 30);
    EXPECT_EQ(ColourIndex(-2.0f, -8.0f, -1e308, -1e308), 60);
    ExpectCellColours(f, f.render(Client));
    // In log display the colour bar's labels run from end to end, none left blank.
    f.state.settings.showLog = true;
    f.state.settings.showConductivity = true;
    const auto labels = ColourBarLabels(f.state.settings, f.state.layout);
    ASSERT_EQ(labels.size(), 7u);
    EXPECT_EQ(labels.front().text, "-1e+308");
    EXPECT_EQ(labels[3].text, "0");
    EXPECT_EQ(labels.back().text, "1e+308");
}

TEST(HostileRange, EqualOrHugeEndsDrawWithoutOverflow) {
    SectionFixture f;
    f.loadSmallSection();
    for (const auto& [low, high] : {std::pair{1e308, 1e308}, std::pair{-1e308, -1e308},
                                    std::pair{-Max, Max}, std::pair{0.0, 1e308}}) {
        SCOPED_TRACE(testing::Message() << low << " .. " << high);
        f.state.settings.rangeMin = low;
        f.state.settings.rangeMax = high;
        for (bool showLog : {true, false}) {
            f.state.settings.showLog = showLog;
            ExpectCellColours(f, f.render(Client));
        }
    }
}

TEST(HostileArea, AreaOfInterestOfTheLargestDoublesKeepsOrCutsTheWholeSection) {
    SectionFixture f;
    f.loadSmallSection();
    // Around the whole section: every cell is drawn.
    for (double far : {1e308, Max}) {
        f.state.settings.areaLeft = -far;
        f.state.settings.areaRight = far;
        f.state.settings.areaDepth = far;
        ExpectCellColours(f, f.render(Client));
    }
    // Far to the right or left of the section: nothing of it is drawn.
    for (double at : {1e308, -1e308}) {
        f.state.settings.areaLeft = at;
        f.state.settings.areaRight = at;
        f.state.settings.areaDepth = 1e308;
        const QImage image = f.render(Client);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(Rgb(image, f.cellCentre(0, 0, Client)), 0xffffffu) << at;
        EXPECT_EQ(Rgb(image, f.cellCentre(1, 3, Client)), 0xffffffu) << at;
    }
}

TEST(HostileMesh, OneCellModelFillsTheSection) {
    SectionFixture f;
    f.load({0, 10}, {0, 5}, {{-2.0f}});
    EXPECT_EQ(f.state.settings.rangeMin, f.state.settings.rangeMax);
    f.state.settings.showMesh = true;
    const QImage image = f.render(Client);
    ExpectCellColours(f, image);
    EXPECT_NE(Rgb(image, f.cellCentre(0, 0, Client)), 0xffffffu);
    // The readout over the cell names its value.
    const auto text = ReadoutText(f.document, f.state, MappingFor(f.state, Client),
                                  f.cellCentre(0, 0, Client).x(), f.cellCentre(0, 0, Client).y());
    ASSERT_TRUE(text.has_value());
    // 0.01 S/m shown as a resistivity.
    EXPECT_NE(text->find("100"), std::string::npos) << *text;
}

TEST(HostileMesh, PageTallerThanThePagePositionsLimitIsNotDrawn) {
    SectionFixture f;
    // 1 m wide and 150 km deep: 1.5e9 page units, beyond the billion that page
    // positions are limited to although within an int. Drawn, it would be cut short.
    f.load({0, 1}, {0, 75000, 150000}, {{-2.0f}, {-3.0f}});
    EXPECT_EQ(f.state.pageHeight(), 0);
    EXPECT_TRUE(f.render(Client).isNull());
    // 99 km deep fits, also with the convergence curves below it.
    f.load({0, 1}, {0, 49500, 99000}, {{-2.0f}, {-3.0f}});
    EXPECT_EQ(f.state.pageHeight(), 990002400);
    EXPECT_EQ(f.state.layout.pageHeight(true), 990008200);
    const QImage image = f.render(Client);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.height(), Client.height());
    for (const TickLabel& tick : DepthAxisTicks(f.document.mesh, f.state.settings, f.state.layout))
        EXPECT_LT(tick.position, 1000000000);
}

TEST(HostileMesh, NodesCloserThanAPageUnitDrawTheirNeighbours) {
    SectionFixture f;
    // A first column a nanometre wide and a last one a kilometre wide.
    f.load({0, 1e-9, 1000}, {0, 1e-9, 250}, {{-1.0f, -2.0f}, {-3.0f, -2.5f}});
    const QImage image = f.render(Client);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(Rgb(image, f.cellCentre(1, 1, Client)), f.tableColour(-2.5f).rgb() & 0xffffff);
}
} // namespace
