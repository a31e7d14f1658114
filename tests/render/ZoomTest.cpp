#include "SectionFixture.h"

#include "plot/PageMapping.h"
#include "plot/PlotLabels.h"
#include "plot/PointerReadout.h"
#include "plot/SectionPainter.h"
#include "plot/SectionWindow.h"

#include <gtest/gtest.h>

#include <cstdio>

// The shown window: zoom and pan in model coordinates, and the page drawn through it.
namespace {
const SectionWindow Whole{0, 1000, 0, 250};

TEST(ZoomWindow, ThePointUnderThePointerStaysAndTheLimitsHold) {
    // In by 1.25 about (300, 100): the point keeps its place, 30 % across and 40 % down.
    const SectionWindow in = ZoomWindow(Whole, Whole, 300, 100, 1.25, 100);
    EXPECT_DOUBLE_EQ(in.width(), 800);
    EXPECT_DOUBLE_EQ(in.height(), 200);
    EXPECT_DOUBLE_EQ((300 - in.left) / in.width(), 0.3);
    EXPECT_DOUBLE_EQ((100 - in.top) / in.height(), 0.4);

    // Never narrower than the limit; the last step stops on it, keeping the shape.
    SectionWindow w = Whole;
    for (int i = 0; i < 30; ++i)
        w = ZoomWindow(w, Whole, 990, 240, 1.25, 100);
    EXPECT_DOUBLE_EQ(w.width(), 100);
    EXPECT_DOUBLE_EQ(w.height(), 25);
    EXPECT_LE(w.right, 1000);
    EXPECT_LE(w.bottom, 250);

    // Out about a point near the edge: held inside, and ends on the whole section.
    for (int i = 0; i < 30; ++i)
        w = ZoomWindow(w, Whole, 5, 5, 1 / 1.25, 100);
    EXPECT_EQ(w, Whole);
}

TEST(ZoomWindow, PanStopsAtTheSectionsEdgesAndAWindowIsCutToTheSection) {
    const SectionWindow w{400, 600, 100, 150};
    EXPECT_EQ(PanWindow(w, Whole, -50, 20), (SectionWindow{350, 550, 120, 170}));
    EXPECT_EQ(PanWindow(w, Whole, 1e6, -1e6), (SectionWindow{800, 1000, 0, 50}));

    EXPECT_EQ(CutToSection({-500, 500, 50, 400}, Whole, 100), (SectionWindow{0, 500, 50, 250}));
    // Narrower than the limit: widened about its centre to it.
    EXPECT_EQ(CutToSection({490, 510, 100, 110}, Whole, 100), (SectionWindow{450, 550, 80, 130}));
    EXPECT_FALSE(CutToSection({1000, 2000, 0, 250}, Whole, 100)); // touches only the edge
    EXPECT_FALSE(CutToSection({0, 1000, 300, 400}, Whole, 100));
}

// Twelve columns of unequal widths and six rows, every cell its own value.
void LoadUnevenSection(SectionFixture& f) {
    std::vector<double> x{-60};
    for (int i = 0; i < 12; ++i)
        x.push_back(x.back() + 10 + 7 * (i % 4));
    std::vector<double> z{0, 4, 10, 18, 28, 40, 55};
    std::vector<std::vector<float>> values(6);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 12; ++c)
            values[r].push_back(-1.0f - 0.01f * (12 * r + c));
    f.load(x, z, values);
    f.state.settings.showLog = true;
    f.state.settings.showConductivity = true; // the readout shows the stored value
}

TEST(ZoomReadout, TheCentreOfACellNamesThatCellAtEveryZoom) {
    SectionFixture f;
    LoadUnevenSection(f);
    const QSize client(900, 700);
    const MeshGrid& mesh = f.document.mesh;
    const auto check = [&](const char* zoom) {
        const PlotLayout& layout = f.state.layout;
        const PageMapping mapping = MappingFor(f.state, client);
        int seen = 0;
        for (int r = 0; r < 6; ++r) {
            for (int c = 0; c < 12; ++c) {
                const double x = (mesh.xNodes[c] + mesh.xNodes[c + 1]) / 2;
                const double depth = (mesh.zNodes[r] + mesh.zNodes[r + 1]) / 2;
                const SectionWindow& w = layout.window;
                if (x < w.left || x > w.right || depth < w.top || depth > w.bottom)
                    continue;
                const QPointF pixel = mapping.toPixel((x - w.left) * layout.scale,
                                                      (depth - w.top) * layout.depthScale);
                const auto text = ReadoutText(f.document, f.state, mapping, pixel.x(), pixel.y());
                char value[32];
                std::snprintf(value, sizeof value, ",  %.4g)", f.document.model.values[r][c]);
                ASSERT_TRUE(text);
                EXPECT_TRUE(text->ends_with(value))
                    << zoom << " cell " << r << "," << c << ": " << *text;
                ++seen;
            }
        }
        EXPECT_GT(seen, 0) << zoom;
    };
    check("whole section");
    f.state.settings.verticalExaggeration = 2.5;
    f.state.setZoom(f.document,
                    ZoomWindow(f.state.layout.window, WholeSection(mesh, f.state.settings), 40, 20,
                               2.2, MinWindowWidth(mesh, f.state.settings)));
    check("zoomed 2.2 times, exaggerated");
    for (int i = 0; i < 20; ++i)
        f.state.setZoom(f.document,
                        ZoomWindow(f.state.layout.window, WholeSection(mesh, f.state.settings), 75,
                                   33, 1.25, MinWindowWidth(mesh, f.state.settings)));
    EXPECT_DOUBLE_EQ(f.state.layout.window.width(), 40); // four of the 10 m columns
    check("at the zoom limit");
    // Below the window the section is not shown, though the mesh goes on there.
    const PageMapping mapping = MappingFor(f.state, client);
    const QPointF below = mapping.toPixel(5000, f.state.layout.plotHeight + 100);
    EXPECT_LT(f.state.layout.window.bottom, mesh.zNodes[6]);
    EXPECT_EQ(*ReadoutText(f.document, f.state, mapping, below.x(), below.y()), "");
}

TEST(ZoomPaint, TheWindowFillsTheSectionAndIsCutAtItsEdges) {
    SectionFixture f;
    LoadUnevenSection(f);
    f.state.settings.showMesh = true;
    const QSize client(900, 700);
    const QImage whole = f.render(client);
    f.state.setZoom(f.document, {-30, 50, 10, 40});
    ASSERT_TRUE(f.state.layout.zoomed);
    const QImage zoomed = f.render(client);

    const auto x = XAxisTicks(f.document.mesh, f.state.settings, f.state.layout);
    EXPECT_EQ(x.front().text, "-30");
    EXPECT_EQ(x.back().text, "50");
    const auto depth = DepthAxisTicks(f.document.mesh, f.state.settings, f.state.layout);
    EXPECT_EQ(depth.front().text, "10");
    EXPECT_EQ(depth.back().text, "40");

    // Cells and mesh lines stop at the frame: above, right of and below the section
    // (between the x ticks) the page stays white.
    const double w = f.state.layout.plotWidth;
    const double h = f.state.layout.plotHeight;
    const auto white = [&](double left, double top, double right, double bottom) {
        return AllPixels(zoomed,
                         QRect(f.pixelOf(left, top, client), f.pixelOf(right, bottom, client)),
                         qRgb(255, 255, 255));
    };
    EXPECT_TRUE(white(200, -150, w - 200, -20));
    EXPECT_TRUE(white(w + 20, 100, w + 1300, h - 100));
    EXPECT_TRUE(white(300, h + 20, 1400, h + 150));
    // The cell at x = 10 m and depth 25 m (row 3, column 3) lies at its place in the window.
    const QPoint cell =
        f.pixelOf((10 - -30) * f.state.layout.scale, (25 - 10) * f.state.layout.depthScale, client);
    EXPECT_EQ(zoomed.pixel(cell) & 0xffffff, f.tableColour(-1.0f - 0.01f * 39).rgb() & 0xffffffu);

    // A document update shows the whole section again.
    ApplyDocumentUpdate(f.state, f.document);
    EXPECT_FALSE(f.state.layout.zoomed);
    EXPECT_EQ(f.render(client), whole);
}
} // namespace
