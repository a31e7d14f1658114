// The cells drawn as images must give the picture that one rectangle per cell gives:
// same meshes, settings and repainted areas, both ways, compared pixel for pixel.
#include "SectionFixture.h"

#include "plot/CellImage.h"
#include "plot/PageMapping.h"
#include "plot/SectionPainter.h"
#include "plot/SectionWindow.h"

#include <QPainter>
#include <QRegion>
#include <QTransform>

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace {

// Node positions: a padding run that grows outwards on both sides (or at the bottom),
// a core of cells much narrower than a pixel, and a few wide ones.
std::vector<double> Nodes(std::mt19937& random, int cells, double start, bool bothSides) {
    std::uniform_real_distribution<double> jitter(0.6, 1.4);
    std::vector<double> widths(static_cast<std::size_t>(cells));
    const int pad = std::min(8, cells / 4);
    for (int i = 0; i < cells; ++i) {
        double w = (i % 17 == 5 ? 40.0 : 1.0) * jitter(random);
        if (i >= cells - pad)
            w *= std::pow(1.5, i - (cells - pad) + 1);
        else if (bothSides && i < pad)
            w *= std::pow(1.5, pad - i);
        widths[static_cast<std::size_t>(i)] = w;
    }
    std::vector<double> nodes{start};
    for (const double w : widths)
        nodes.push_back(nodes.back() + w);
    return nodes;
}

struct Case {
    int nx, nz;
    QSize client;
    bool padding, area, hatch, mesh, weights;
};

std::string Describe(const Case& c) {
    return std::to_string(c.nx) + "x" + std::to_string(c.nz) + " cells at " +
           std::to_string(c.client.width()) + "x" + std::to_string(c.client.height()) +
           (c.padding ? " padding" : "") + (c.area ? " area" : "") + (c.hatch ? " hatch" : "") +
           (c.mesh ? " mesh" : "") + (c.weights ? " weights" : "");
}

void Load(SectionFixture& f, const Case& c, unsigned seed) {
    std::mt19937 random(seed);
    const auto x = Nodes(random, c.nx, -37.5, true);
    const auto z = Nodes(random, c.nz, 0.0, false);
    std::uniform_real_distribution<float> noise(-0.05f, 0.05f);
    std::vector<std::vector<float>> values(static_cast<std::size_t>(c.nz));
    for (int r = 0; r < c.nz; ++r) {
        for (int k = 0; k < c.nx; ++k) {
            // Smooth, with blank cells (at or below -8) and values past both range ends.
            float v = -2.0f + 1.5f * std::sin(k * 0.11f) * std::cos(r * 0.07f) + noise(random);
            if ((r * 7 + k * 3) % 53 == 0)
                v = -9.0f;
            values[static_cast<std::size_t>(r)].push_back(v);
        }
    }
    f.load(x, z, values);
    DisplaySettings& s = f.state.settings;
    if (c.padding) {
        s.padLeft = std::min(5, c.nx / 4);
        s.padRight = std::min(6, c.nx / 4);
        s.padBottom = std::min(4, c.nz / 4);
        f.state.relayout(f.document);
    }
    s.rangeMin = -3.2;
    s.rangeMax = -0.9;
    s.showMesh = c.mesh;
    if (c.area) {
        const double x0 = x[static_cast<std::size_t>(s.padLeft)];
        const double width = x[static_cast<std::size_t>(c.nx - s.padRight)] - x0;
        s.areaLeft = x0 + 0.1 * width;
        s.areaRight = x0 + 0.93 * width;
        s.areaDepth = 0.6 * z[static_cast<std::size_t>(c.nz - s.padBottom)];
    }
    if (c.hatch) {
        DoiIndex& doi = f.state.doi;
        doi.values.assign(static_cast<std::size_t>(c.nz), std::vector<float>());
        for (int r = 0; r < c.nz; ++r)
            for (int k = 0; k < c.nx; ++k)
                doi.values[static_cast<std::size_t>(r)].push_back((k / 3 + r / 2) % 3 == 0 ? 0.9f
                                                                                           : 0.1f);
        doi.shown = true;
    }
    if (c.weights) {
        CellWeights& w = f.document.weights;
        w.xWeights.assign(static_cast<std::size_t>(c.nz),
                          std::vector<float>(static_cast<std::size_t>(c.nx - 1), 1.0f));
        w.zWeights.assign(static_cast<std::size_t>(c.nz - 1),
                          std::vector<float>(static_cast<std::size_t>(c.nx), 1.0f));
        for (int r = 0; r + 1 < c.nz; r += 3)
            w.zWeights[static_cast<std::size_t>(r)][static_cast<std::size_t>(r % c.nx)] = 0.1f;
        for (int r = 0; r < c.nz; r += 2)
            w.xWeights[static_cast<std::size_t>(r)][static_cast<std::size_t>(c.nx / 2)] = 5.0f;
        f.document.weightsLoaded = true;
        s.showWeights = true;
    }
}

// The page painted with the cells drawn one way, on magenta, clipped to `exposed` as
// the window's repaint is.
QImage Paint(SectionFixture& f, const QSize& client, CellDrawing drawing, const QRegion& exposed) {
    f.state.cellDrawing = drawing;
    const PageMapping mapping = MappingFor(f.state, client);
    QImage image(mapping.pageSizePixels(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    painter.setClipRegion(exposed);
    PaintPage(painter, f.document, f.state, mapping, exposed);
    return image;
}

// Pixels that differ; the comparison is exact, so any difference fails.
int DifferingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

void ExpectSamePicture(SectionFixture& f, const Case& c, const QRegion& exposed,
                       const std::string& what) {
    const QImage cells = Paint(f, c.client, CellDrawing::Rectangles, exposed);
    const QImage image = Paint(f, c.client, CellDrawing::Image, exposed);
    ASSERT_EQ(cells.size(), image.size());
    EXPECT_EQ(DifferingPixels(cells, image), 0) << Describe(c) << ", " << what;
}

TEST(CellImage, WholePagesMatchTheCellByCellPaint) {
    const QSize sizes[] = {{800, 600}, {1600, 1200}, {777, 555}, {160, 120}};
    unsigned seed = 1;
    for (const int nx : {4, 37, 300}) {
        for (const QSize& client : sizes) {
            for (int features = 0; features < 32; features += (nx == 300 ? 5 : 1)) {
                const Case c{nx,
                             nx == 4 ? 2 : nx / 2 + 3,
                             client,
                             (features & 1) != 0,
                             (features & 2) != 0,
                             (features & 4) != 0,
                             (features & 8) != 0,
                             (features & 16) != 0};
                SectionFixture f;
                Load(f, c, ++seed);
                const QSize page = MappingFor(f.state, c.client).pageSizePixels();
                ExpectSamePicture(f, c, QRegion(QRect(QPoint(0, 0), page)), "whole page");
            }
        }
    }
}

TEST(CellImage, ZoomedAndExaggeratedWindowsMatchTheCellByCellPaint) {
    for (int round = 0; round < 12; ++round) {
        const int f = round * 3; // the features, as for the whole pages
        const Case c{round < 6 ? 37 : 300, round < 6 ? 21 : 153, QSize(900, 700), (f & 1) != 0,
                     (f & 2) != 0,         (f & 4) != 0,         (f & 8) != 0,    (f & 16) != 0};
        SectionFixture fixture;
        Load(fixture, c, 500u + round);
        ViewState& state = fixture.state;
        // A comparison colours other values through the same paint.
        if (round % 3 == 1) {
            CellModel second = fixture.document.model;
            for (int r = 0; r < c.nz; ++r)
                for (int k = 0; k < c.nx; ++k)
                    second.values[r][k] += 0.3f * std::sin(0.2f * float(r + k));
            state.showComparison(fixture.document, second,
                                 round % 2 ? ComparisonMode::Ratio : ComparisonMode::Percent);
        }
        state.settings.verticalExaggeration = 1 + round % 4;
        const SectionWindow whole = WholeSection(fixture.document.mesh, state.settings);
        state.setZoom(fixture.document,
                      ZoomWindow(whole, whole, whole.left + 0.4 * whole.width(), 0.3 * whole.bottom,
                                 std::pow(1.25, 2 + round % 7),
                                 MinWindowWidth(fixture.document.mesh, state.settings)));
        const QSize page = MappingFor(state, c.client).pageSizePixels();
        ExpectSamePicture(fixture, c, QRegion(QRect(QPoint(0, 0), page)), "zoomed");
    }
}

TEST(CellImage, RepaintedPartsMatchTheCellByCellPaint) {
    std::mt19937 random(99);
    for (int round = 0; round < 40; ++round) {
        const Case c{150 + round,    90 + round,     QSize(700 + 13 * round, 520 + 7 * round),
                     round % 2 == 0, round % 3 == 0, true,
                     round % 4 == 0, round % 5 == 0};
        SectionFixture f;
        Load(f, c, 1000u + round);
        const QSize page = MappingFor(f.state, c.client).pageSizePixels();
        // A few rectangles at odd places, as the window system exposes them.
        QRegion exposed;
        std::uniform_int_distribution<int> x(0, page.width() - 1), y(0, page.height() - 1);
        for (int i = 0; i < 3; ++i) {
            const QPoint a(x(random), y(random)), b(x(random), y(random));
            exposed += QRect(a, b).normalized();
        }
        ExpectSamePicture(f, c, exposed, "region of " + std::to_string(exposed.rectCount()));
    }
}

TEST(CellImage, PixelsShowTheLastCellThatCoversThem) {
    // Half a device pixel per page unit and a shift of 0.75: the columns from page 0, 3
    // and 6, each filled one unit past the next node, cover the pixels [qRound(0.75),
    // qRound(2.75)) = [1, 3), [qRound(2.25), qRound(4.25)) = [2, 4) and [4, 6); where two
    // meet the later column wins. The single row covers [qRound(0.75), qRound(6.25)).
    const QTransform device(0.5, 0, 0, 0.5, 0.75, 0.75);
    const CellRaster raster({0, 3, 6, 9}, {0, 10}, device, QRect(-100, -100, 200, 200));
    EXPECT_EQ(raster.bounds(), QRect(QPoint(1, 1), QPoint(5, 5)));
    const int expected[] = {0, 1, 1, 2, 2};
    for (int x = 1; x <= 5; ++x)
        EXPECT_EQ(raster.columnAt(x), expected[x - 1]) << x;
    for (int y = 1; y <= 5; ++y)
        EXPECT_EQ(raster.rowAt(y), 0);

    // A window keeps only its own pixels; the owners inside it stay the same.
    const CellRaster part({0, 3, 6, 9}, {0, 10}, device, QRect(QPoint(3, 2), QPoint(40, 3)));
    EXPECT_EQ(part.bounds(), QRect(QPoint(3, 2), QPoint(5, 3)));
    for (int x = 3; x <= 5; ++x)
        EXPECT_EQ(part.columnAt(x), expected[x - 1]) << x;
}

} // namespace
