#include "TestFiles.h"

#include "document/CTest1Doc.h"
#include "document/DoiIndex.h"
#include "document/RecordingMessages.h"
#include "doi/DoiComputation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
using Kind = RecordingMessages::Kind;

TEST(DoiCutoffTest, ListPositionsAndCutoffsRoundTrip) {
    EXPECT_EQ(CutoffListPosition(0.3f), 2);
    for (int p = 0; p <= 8; ++p)
        EXPECT_EQ(CutoffListPosition(CutoffForPosition(p)), p) << p;
    EXPECT_EQ(CutoffForPosition(8), 0.9f);
}

TEST(DoiCleanUpTest, IndexNeverRisesAboveTheDeepestCellUnderTheCutoff) {
    // Top row first; read from the bottom up this is 0.9, 0.5, 0.2, 0.4, 0.1.
    Grid column = {{0.1f}, {0.4f}, {0.2f}, {0.5f}, {0.9f}};
    ColumnCleanUp(column, 0.3f);
    EXPECT_EQ(column, (Grid{{0.1f}, {0.2f}, {0.2f}, {0.5f}, {0.9f}}));

    Grid neverBelow = {{0.2f, 0.7f}, {0.8f, 0.1f}, {0.9f, 0.25f}};
    ColumnCleanUp(neverBelow, 0.3f);
    // Left column: the 0.2 at the top is the first at or under the cutoff and stays;
    // right column: the bottom is under the cutoff, so nothing above it rises.
    EXPECT_EQ(neverBelow, (Grid{{0.2f, 0.1f}, {0.8f, 0.1f}, {0.9f, 0.25f}}));
}

class DoiComputationTest : public ::testing::Test {
protected:
    // A 2 x 2 mesh, columns 10 m and 30 m wide.
    void load(ModelKind kind, Grid values) {
        doc.modelKind = kind;
        doc.mesh.nx = 2;
        doc.mesh.nz = 2;
        doc.mesh.xNodes = {0, 10, 40};
        doc.mesh.zNodes = {0, 5, 10};
        doc.model.values = std::move(values);
        doc.loaded = true;
    }
    bool compute(const std::string& text, DoiMethod method) {
        messages.entries.clear();
        // A relative name, taken from the document's folder.
        folder.write("second.txt", text);
        return ComputeDoi(doc, "second.txt", method, index, messages);
    }
    void expectWarning(const std::string& text) {
        ASSERT_EQ(messages.entries.size(), 1u);
        EXPECT_EQ(messages.entries[0], (RecordingMessages::Entry{Kind::Warning, text}));
        EXPECT_FALSE(index.shown);
    }

    TestFolder folder;
    RecordingMessages messages;
    CTest1Doc doc{messages, folder.path().string()};
    DoiIndex index;
};

TEST_F(DoiComputationTest, RecoveredModelDividesByTheReferenceDifference) {
    // log10 conductivities; the bottom row is -2 throughout, the second model's -3.
    load(Conductivity, {{-1.5f, -2.0f}, {-2.0f, -2.0f}});
    ASSERT_TRUE(compute("2 2\n0.01 0.001\n0.001 0.001\n", DoiMethod::RecoveredModel));
    EXPECT_TRUE(index.shown);
    EXPECT_FLOAT_EQ(index.values[0][0], 0.5f); // (-1.5 - -2) / 1
    EXPECT_FLOAT_EQ(index.values[0][1], 1.0f);
    EXPECT_FLOAT_EQ(index.values[1][0], 1.0f);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(DoiComputationTest, ReferenceLevelsAreWidthWeighted) {
    load(Chargeability, {{0, 0}, {10, 30}});
    EXPECT_DOUBLE_EQ(ReferenceLevel(doc.model.values, doc.mesh.xNodes), 25.0);
}

TEST_F(DoiComputationTest, IdenticalOrZeroReferenceLevelsAreRefused) {
    load(Conductivity, {{-1.5f, -2.0f}, {-2.0f, -2.0f}});
    EXPECT_FALSE(compute("2 2\n0.0316 0.01\n0.01 0.01\n", DoiMethod::RecoveredModel));
    expectWarning("The two reference models appear to be identical.");

    // Both levels 0: the relative test would divide 0 by 0.
    load(Chargeability, {{5, 1}, {0, 0}});
    EXPECT_FALSE(compute("2 2 1 2 0 0", DoiMethod::RecoveredModel));
    expectWarning("The two reference models appear to be identical.");
}

TEST_F(DoiComputationTest, OppositeReferenceLevelsStillGiveAnIndex) {
    // mA = 1 and mB = -1: their mean is 0, but their difference is a fine denominator.
    load(Chargeability, {{3, 1}, {1, 1}});
    ASSERT_TRUE(compute("2 2 -1 -1 -1 -1", DoiMethod::RecoveredModel));
    EXPECT_FLOAT_EQ(index.values[0][0], 2.0f);
    EXPECT_FLOAT_EQ(index.values[1][1], 1.0f);
}

TEST_F(DoiComputationTest, UnusableFilesAreRefusedWithTheirWarning) {
    load(Conductivity, {{-1.5f, -2.0f}, {-2.0f, -2.0f}});
    messages.entries.clear();
    EXPECT_FALSE(ComputeDoi(doc, folder.at("absent"), DoiMethod::RecoveredModel, index, messages));
    expectWarning("DOI file not found: " + folder.at("absent"));

    EXPECT_FALSE(compute("2 3 1 1 1 1 1 1", DoiMethod::RecoveredModel));
    expectWarning("Number of cells in the two model files are not equal.");
    EXPECT_FALSE(compute("two by two", DoiMethod::RecoveredModel));
    expectWarning("Number of cells in the two model files are not equal.");

    // One value short: nothing is masked from partial data.
    EXPECT_FALSE(compute("2 2 0.001 0.001 0.001", DoiMethod::RecoveredModel));
    expectWarning("Error reading DOI model file\nsecond.txt");
    EXPECT_TRUE(index.values.empty());
}

TEST_F(DoiComputationTest, SensitivityIndexRunsFromMostToLeastSensitive) {
    load(Chargeability, {{1, 1}, {1, 1}});
    // log10: -1, -3, -2 and a zero sensitivity, which takes no part in the range.
    ASSERT_TRUE(compute("2 2 0.1 0.001 0.01 0", DoiMethod::Sensitivity));
    EXPECT_FLOAT_EQ(index.values[0][0], 0.0f);
    EXPECT_FLOAT_EQ(index.values[0][1], 1.0f);
    EXPECT_FLOAT_EQ(index.values[1][0], 0.5f);
    EXPECT_GT(index.values[1][1], 1.0f);
    EXPECT_TRUE(index.Masks(1, 1));
    index.cutoff = 0.6f;
    EXPECT_FALSE(index.Masks(1, 0));
    EXPECT_TRUE(index.Masks(0, 1));
}

TEST_F(DoiComputationTest, FlatOrNegligibleSensitivitiesAreRefused) {
    load(Chargeability, {{1, 1}, {1, 1}});
    const std::string message = "The sensitivities in the DOI model file are all equal or "
                                "negligible;\nno depth of investigation can be computed.";
    EXPECT_FALSE(compute("2 2 0.01 0.01 0.01 0", DoiMethod::Sensitivity));
    expectWarning(message);
    EXPECT_FALSE(compute("2 2 0 1e-25 0 0", DoiMethod::Sensitivity));
    expectWarning(message);
}

TEST(DoiMaskTest, NotANumberCountsAsAtOrAboveTheCutoff) {
    DoiIndex index;
    index.values = {{std::nanf(""), 0.1f, 0.3f}};
    EXPECT_FALSE(index.Masks(0, 0)); // not shown
    index.shown = true;
    EXPECT_TRUE(index.Masks(0, 0));
    EXPECT_FALSE(index.Masks(0, 1));
    EXPECT_TRUE(index.Masks(0, 2)); // exactly at the cutoff
}
} // namespace
