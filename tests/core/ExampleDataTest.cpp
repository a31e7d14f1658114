#include "document/CTest1Doc.h"
#include "document/RecordingMessages.h"

#include <gtest/gtest.h>

// The bundled example must load as the README promises.
namespace {
const std::string Examples = KORVEX_EXAMPLES_DIR;

TEST(ExampleDataTest, ConductivityModelLoadsWithItsConvergenceHistory) {
    RecordingMessages messages;
    CTest1Doc doc(messages, Examples);
    EXPECT_TRUE(
        doc.ApplyCommandLine({Examples + "/survey.msh", Examples + "/ohmsolv.con", "/conv"}));
    EXPECT_TRUE(messages.entries.empty());
    ASSERT_TRUE(doc.loaded);
    EXPECT_EQ(doc.mesh.nx, 60);
    EXPECT_EQ(doc.mesh.nz, 25);
    EXPECT_EQ(doc.mesh.xNodes.front(), -220.0);
    EXPECT_EQ(doc.mesh.xNodes[5], 0.0);
    EXPECT_EQ(doc.mesh.zNodes.back(), 280.0);
    // About 800 ohm-m in the layer, about 5 ohm-m in the body.
    EXPECT_NEAR(doc.model.valueMin, -2.9, 0.15);
    EXPECT_NEAR(doc.model.valueMax, -0.7, 0.15);
    ASSERT_TRUE(doc.convergenceLoaded);
    EXPECT_EQ(doc.history.misfit.size(), 11u);
    EXPECT_TRUE(doc.history.hasTarget);
    EXPECT_LT(doc.history.misfit.back(), doc.history.misfit.front());
}

TEST(ExampleDataTest, ChargeabilityModelLoadsOnTheSameMesh) {
    RecordingMessages messages;
    CTest1Doc doc(messages, Examples);
    EXPECT_TRUE(doc.ApplyCommandLine(
        {Examples + "/survey.msh", Examples + "/polsolv.chg", "/ip", "/conv"}));
    EXPECT_TRUE(messages.entries.empty());
    ASSERT_TRUE(doc.loaded);
    EXPECT_EQ(doc.modelKind, Chargeability);
    EXPECT_GT(doc.model.valueMax, 30.0);
    EXPECT_EQ(doc.history.misfit.size(), 10u);
}
} // namespace
