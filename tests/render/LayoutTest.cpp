#include "SectionFixture.h"

#include "plot/PageMapping.h"
#include "plot/PlotLayout.h"
#include "plot/SectionPainter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Layout, KilometreSectionAtTrueScale) {
    SectionFixture f;
    f.loadSmallSection();
    EXPECT_DOUBLE_EQ(f.state.layout.scale, 10.0);
    EXPECT_DOUBLE_EQ(f.state.layout.plotWidth, 10000.0);
    EXPECT_DOUBLE_EQ(f.state.layout.plotHeight, 2500.0);
    EXPECT_EQ(f.state.layout.pageHeight(false), 4900);
    EXPECT_EQ(f.state.layout.pageHeight(true), 4900 + 5800);

    const PageMapping mapping = MappingFor(f.state, QSize(800, 600));
    ASSERT_TRUE(mapping.isValid());
    EXPECT_DOUBLE_EQ(mapping.factor(), 0.05);
    EXPECT_EQ(mapping.toPixel(0, 0), QPointF(100, 50));
    EXPECT_EQ(mapping.toPage(100, 50), QPointF(0, 0));
    // The page fills the top 245 rows across the whole width.
    EXPECT_EQ(mapping.pageSizePixels(), QSize(800, 245));
}

TEST(Layout, PaddingNarrowsTheVisibleSection) {
    SectionFixture f;
    f.loadSmallSection();
    f.state.settings.padLeft = 1;
    f.state.settings.padRight = 1;
    f.state.settings.padBottom = 1;
    f.state.relayout(f.document);
    EXPECT_DOUBLE_EQ(f.state.layout.scale, 10000.0 / 500.0);
    EXPECT_DOUBLE_EQ(f.state.layout.plotHeight, 125.0 * 20.0);
    EXPECT_DOUBLE_EQ(f.state.layout.plotWidth, 10000.0);
}

TEST(Layout, ConvergenceShrinksAHeightLimitedPicture) {
    SectionFixture f;
    f.loadSmallSection();
    const QSize client(1600, 400); // height-limited: 400 / 4900 < 1600 / 16000
    const double before = MappingFor(f.state, client).factor();
    f.state.settings.showConvergence = true;
    const double after = MappingFor(f.state, client).factor();
    EXPECT_DOUBLE_EQ(before, 400.0 / 4900.0);
    EXPECT_DOUBLE_EQ(after, 400.0 / 10700.0);
}

TEST(Layout, DeepNarrowSectionLeavesAStripAtTheRight) {
    SectionFixture f;
    f.load({0, 10}, {0, 100}, {{-2.0f}});
    const PageMapping mapping = MappingFor(f.state, QSize(800, 600));
    EXPECT_EQ(f.state.layout.pageHeight(false), 100000 + 2400);
    EXPECT_EQ(mapping.pageSizePixels().width(), 94); // 16000 * 600 / 102400
    EXPECT_EQ(mapping.pageSizePixels().height(), 600);
}

TEST(Layout, BeforeAnyDataThePageIsEmptyButUsable) {
    const ViewState state;
    EXPECT_EQ(state.layout.plotHeight, 0.0);
    EXPECT_EQ(state.pageHeight(), 2400);
    EXPECT_EQ(MappingFor(state, QSize(1600, 1200)).pageSizePixels(), QSize(1600, 240));
}

TEST(Layout, ClientAreaOrPageWithoutSizeGivesNoMapping) {
    EXPECT_FALSE(PageMapping(0, 600, 4900).isValid());
    EXPECT_FALSE(PageMapping(800, -1, 4900).isValid());
    EXPECT_FALSE(PageMapping(800, 600, 0).isValid());
    EXPECT_TRUE(PageMapping(800, 600, 0).pageSizePixels().isEmpty());
}

TEST(Layout, SectionTooDeepForThePageIsNotDrawable) {
    SectionFixture f;
    // A sliver 1e-300 m wide makes the page taller than page positions can hold, and
    // with a deep mesh the height is not even finite.
    f.load({0, 1e-300}, {0, 1}, {{-2.0f}});
    EXPECT_EQ(f.state.pageHeight(), 0);
    EXPECT_TRUE(f.render(QSize(800, 600)).isNull());
    f.load({0, 1e-300}, {0, 1e10}, {{-2.0f}});
    EXPECT_FALSE(std::isfinite(f.state.layout.plotHeight));
    EXPECT_EQ(f.state.pageHeight(), 0);
    EXPECT_TRUE(f.render(QSize(800, 600)).isNull());
}

struct PaddingCase {
    int left, right, bottom;
    int expectLeft, expectRight, expectBottom;
};

class PaddingFit : public ::testing::TestWithParam<PaddingCase> {};

TEST_P(PaddingFit, CountsThatDoNotFitAreReset) {
    const PaddingCase c = GetParam();
    MeshGrid mesh;
    mesh.nx = 10;
    mesh.nz = 6;
    for (int i = 0; i <= 10; ++i)
        mesh.xNodes.push_back(i * 10.0);
    for (int k = 0; k <= 6; ++k)
        mesh.zNodes.push_back(k * 5.0);
    DisplaySettings settings;
    settings.padLeft = c.left;
    settings.padRight = c.right;
    settings.padBottom = c.bottom;
    FitPaddingToMesh(settings, mesh);
    EXPECT_EQ(settings.padLeft, c.expectLeft);
    EXPECT_EQ(settings.padRight, c.expectRight);
    EXPECT_EQ(settings.padBottom, c.expectBottom);
    EXPECT_TRUE(PaddingFits(settings.padLeft, settings.padRight, settings.padBottom, mesh));
}

INSTANTIATE_TEST_SUITE_P(Counts, PaddingFit,
                         ::testing::Values(PaddingCase{4, 5, 5, 4, 5, 5}, // one column left
                                           PaddingCase{5, 5, 0, 0, 0, 0}, // no column left
                                           PaddingCase{-1, 2, 1, 0, 0, 1},
                                           PaddingCase{2, -3, 1, 0, 0, 1},
                                           PaddingCase{1, 1, 6, 1, 1, 0},
                                           PaddingCase{1, 1, -2, 1, 1, 0},
                                           PaddingCase{2147483647, 2147483647, 0, 0, 0, 0}));

TEST(DocumentUpdate, NothingHappensWithoutLoadedData) {
    SectionFixture f;
    f.state.settings.showLog = true;
    f.state.settings.rangeMin = 5;
    const DocumentUpdateResult result = ApplyDocumentUpdate(f.state, f.document);
    EXPECT_FALSE(result.applied);
    EXPECT_TRUE(f.state.settings.showLog);
    EXPECT_EQ(f.state.settings.rangeMin, 5);
}

TEST(DocumentUpdate, ModelKindSetsFlagsAndScaleButtons) {
    SectionFixture f;
    f.loadSmallSection();
    f.document.modelKind = Chargeability;
    DocumentUpdateResult result = ApplyDocumentUpdate(f.state, f.document);
    EXPECT_EQ(result.hideScaleButtons, true);
    EXPECT_TRUE(f.state.settings.showLog);
    EXPECT_TRUE(f.state.settings.showConductivity);

    // A conductivity model afterwards does not reset the two flags.
    f.document.modelKind = Conductivity;
    result = ApplyDocumentUpdate(f.state, f.document);
    EXPECT_EQ(result.hideScaleButtons, false);
    EXPECT_TRUE(f.state.settings.showLog);
    EXPECT_TRUE(f.state.settings.showConductivity);

    f.document.modelKind = Sensitivity;
    result = ApplyDocumentUpdate(f.state, f.document);
    EXPECT_EQ(result.hideScaleButtons, false);
    EXPECT_FALSE(f.state.settings.showLog);
    EXPECT_TRUE(f.state.settings.showConductivity);
}

TEST(DocumentUpdate, ResetsRangeConvergenceWeightsAndMask) {
    SectionFixture f;
    f.loadSmallSection();
    f.state.doi.values = {{1.0f}};
    f.state.doi.shown = true;
    f.state.settings.rangeMin = -10;
    f.state.settings.showConvergence = true;
    f.state.settings.showWeights = true;
    f.state.settings.showMesh = true;
    f.state.settings.fontHeight = 200;
    f.document.weightsLoaded = false;
    ApplyDocumentUpdate(f.state, f.document);
    EXPECT_EQ(f.state.settings.rangeMin, -3.0);
    EXPECT_EQ(f.state.settings.rangeMax, -1.0);
    EXPECT_FALSE(f.state.settings.showConvergence);
    EXPECT_FALSE(f.state.settings.showWeights);
    EXPECT_FALSE(f.state.doi.shown);
    EXPECT_TRUE(f.state.doi.values.empty());
    // Colour choices, mesh overlay and font survive.
    EXPECT_TRUE(f.state.settings.showMesh);
    EXPECT_EQ(f.state.settings.fontHeight, 200);

    f.document.convergenceLoaded = true;
    f.document.weightsLoaded = true;
    f.state.settings.showConvergence = true;
    ApplyDocumentUpdate(f.state, f.document);
    EXPECT_TRUE(f.state.settings.showConvergence);
    EXPECT_TRUE(f.state.settings.showWeights);
}

TEST(DocumentUpdate, CommandLinePaddingReplacesCountsOtherwiseTheyStay) {
    SectionFixture f;
    f.loadSmallSection();
    f.state.settings.padLeft = 1;
    f.state.settings.padRight = 2;
    f.state.settings.padBottom = 1;
    ApplyDocumentUpdate(f.state, f.document); // argPadLeft is -1: no "/padd="
    EXPECT_EQ(f.state.settings.padLeft, 1);
    EXPECT_EQ(f.state.settings.padRight, 2);
    EXPECT_DOUBLE_EQ(f.state.layout.scale, 10000.0 / 250.0);

    f.document.argPadLeft = 2;
    f.document.argPadRight = 1;
    f.document.argPadBottom = 0;
    ApplyDocumentUpdate(f.state, f.document);
    EXPECT_EQ(f.state.settings.padLeft, 2);
    EXPECT_EQ(f.state.settings.padRight, 1);
    EXPECT_EQ(f.state.settings.padBottom, 0);

    // "/padd=" counts that leave no column are brought back into range.
    f.document.argPadLeft = 3;
    f.document.argPadRight = 3;
    f.document.argPadBottom = -4;
    ApplyDocumentUpdate(f.state, f.document);
    EXPECT_EQ(f.state.settings.padLeft, 0);
    EXPECT_EQ(f.state.settings.padRight, 0);
    EXPECT_EQ(f.state.settings.padBottom, 0);
    EXPECT_DOUBLE_EQ(f.state.layout.scale, 10.0);
}

TEST(DocumentUpdate, AllBlankModelGetsAFiniteRange) {
    SectionFixture f;
    f.load({0, 1, 2}, {0, 1}, {{-9.0f, -8.0f}});
    EXPECT_EQ(f.document.model.valueMin, 1e20);
    EXPECT_TRUE(std::isfinite(f.state.settings.rangeMin));
    EXPECT_TRUE(std::isfinite(f.state.settings.rangeMax));
    EXPECT_LE(f.state.settings.rangeMin, f.state.settings.rangeMax);
}

TEST(SectionRect, CoversTheSectionAndItsLabels) {
    SectionFixture f;
    f.loadSmallSection();
    const QSize client(800, 600);
    const QRect rect = SectionRect(f.state.layout, MappingFor(f.state, client));
    // Logical (-400, -50) .. (10400, 3100) at f = 0.05.
    EXPECT_EQ(rect.left(), 80);
    EXPECT_EQ(rect.top(), 47);
    EXPECT_EQ(rect.right() + 1, 620);
    EXPECT_EQ(rect.bottom() + 1, 205);
}

} // namespace
