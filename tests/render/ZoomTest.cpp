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
TEST(ZoomWindow, ThePointUnderThePointerStaysAndTheLimitsHold) {
    const SectionWindow whole{0, 1000, 0, 250};
    // In by 1.25 about (300, 100): the point keeps its place, 30 % across and 40 % down.
    SectionWindow w = ZoomWindow(whole, whole, 300, 100, 1.25, 100);
    EXPECT_DOUBLE_EQ(w.width(), 800);
    EXPECT_DOUBLE_EQ((300 - w.left) / w.width(), 0.3);
    EXPECT_DOUBLE_EQ((100 - w.top) / w.height(), 0.4);
    // Never narrower than the limit, keeping the shape, never out of the section.
    for (int i = 0; i < 30; ++i)
        w = ZoomWindow(w, whole, 990, 240, 1.25, 100);
    EXPECT_DOUBLE_EQ(w.width(), 100);
    EXPECT_DOUBLE_EQ(w.height(), 25);
    EXPECT_TRUE(Contains(whole, w));
    EXPECT_EQ(PanWindow(w, whole, -1e6, -1e6), (SectionWindow{0, 100, 0, 25}));
    // Zooming out ends on the whole section.
    for (int i = 0; i < 30; ++i)
        w = ZoomWindow(w, whole, 5, 5, 1 / 1.25, 100);
    EXPECT_EQ(w, whole);
}

// Twelve columns of unequal widths and six rows, every cell its own value.
void LoadUnevenSection(SectionFixture& f) {
    std::vector<double> x{-60};
    for (int i = 0; i < 12; ++i)
        x.push_back(x.back() + 10 + 7 * (i % 4));
    std::vector<std::vector<float>> values(6);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 12; ++c)
            values[r].push_back(-1.0f - 0.01f * (12 * r + c));
    f.load(x, {0, 4, 10, 18, 28, 40, 55}, values);
    f.state.settings.showLog = true;
    f.state.settings.showConductivity = true; // the readout shows the stored value
}

void Zoom(SectionFixture& f, double x, double depth, double factor) {
    const MeshGrid& mesh = f.document.mesh;
    f.state.setZoom(f.document,
                    ZoomWindow(f.state.layout.window, WholeSection(mesh, f.state.settings), x,
                               depth, factor, MinWindowWidth(mesh, f.state.settings)));
}

TEST(ZoomReadout, TheCentreOfACellNamesThatCellAtEveryZoom) {
    SectionFixture f;
    LoadUnevenSection(f);
    const QSize client(900, 700);
    const MeshGrid& mesh = f.document.mesh;
    const auto check = [&](const char* zoom) {
        const PlotLayout& layout = f.state.layout;
        const SectionWindow& w = layout.window;
        const PageMapping mapping = MappingFor(f.state, client);
        int seen = 0;
        for (int r = 0; r < 6; ++r) {
            for (int c = 0; c < 12; ++c) {
                const double x = (mesh.xNodes[c] + mesh.xNodes[c + 1]) / 2;
                const double depth = (mesh.zNodes[r] + mesh.zNodes[r + 1]) / 2;
                if (x < w.left || x > w.right || depth < w.top || depth > w.bottom)
                    continue;
                const QPointF p = mapping.toPixel((x - w.left) * layout.scale,
                                                  (depth - w.top) * layout.depthScale);
                char value[32];
                std::snprintf(value, sizeof value, ",  %.4g)", f.document.model.values[r][c]);
                EXPECT_TRUE(
                    ReadoutText(f.document, f.state, mapping, p.x(), p.y())->ends_with(value))
                    << zoom << ", cell " << r << ", " << c;
                ++seen;
            }
        }
        EXPECT_GT(seen, 0) << zoom;
    };
    check("whole section");
    f.state.settings.verticalExaggeration = 2.5;
    Zoom(f, 40, 20, 2.2);
    check("zoomed 2.2 times, exaggerated");
    for (int i = 0; i < 20; ++i)
        Zoom(f, 75, 33, 1.25);
    EXPECT_DOUBLE_EQ(f.state.layout.window.width(), 40); // four of the 10 m columns
    check("at the zoom limit");
    // Below the window the section is not shown, though the mesh goes on there.
    const PageMapping mapping = MappingFor(f.state, client);
    const QPointF below = mapping.toPixel(5000, f.state.layout.plotHeight + 100);
    EXPECT_EQ(*ReadoutText(f.document, f.state, mapping, below.x(), below.y()), "");
}

TEST(ZoomPaint, TheWindowFillsTheSectionAndIsCutAtItsEdges) {
    SectionFixture f;
    LoadUnevenSection(f);
    f.state.settings.showMesh = true;
    const QSize client(900, 700);
    const QImage whole = f.render(client);
    f.state.setZoom(f.document, {-30, 50, 10, 40});
    const QImage zoomed = f.render(client);
    const auto x = XAxisTicks(f.document.mesh, f.state.settings, f.state.layout);
    EXPECT_EQ(x.front().text + " " + x.back().text, "-30 50");
    EXPECT_EQ(DepthAxisTicks(f.document.mesh, f.state.settings, f.state.layout).front().text, "10");

    // Cells and mesh lines stop at the frame: above, right of and below the section
    // (between the x ticks) the page stays white.
    const PlotLayout& layout = f.state.layout;
    const auto white = [&](double left, double top, double right, double bottom) {
        return AllPixels(zoomed,
                         QRect(f.pixelOf(left, top, client), f.pixelOf(right, bottom, client)),
                         qRgb(255, 255, 255));
    };
    EXPECT_TRUE(white(200, -150, layout.plotWidth - 200, -20));
    EXPECT_TRUE(
        white(layout.plotWidth + 20, 100, layout.plotWidth + 1300, layout.plotHeight - 100));
    EXPECT_TRUE(white(300, layout.plotHeight + 20, 1400, layout.plotHeight + 150));
    ApplyDocumentUpdate(f.state, f.document); // shows the whole section again
    EXPECT_EQ(f.render(client), whole);
}
} // namespace
