#include "TestFiles.h"

#include "document/RecordingMessages.h"
#include "weights/WeightReader.h"

#include <gtest/gtest.h>

namespace {
using Kind = RecordingMessages::Kind;
using Block = std::vector<std::vector<float>>;

// A mesh of 3 by 2 cells: 6 cell weights, 2 rows of 2 X weights, 1 row of 3 Z weights.
class WeightReaderTest : public ::testing::Test {
protected:
    bool single(const std::string& text, int nx = 3, int nz = 2) {
        messages.entries.clear();
        // Relative names: found in the folder, named as given in the messages.
        folder.write("all.wts", text);
        name = "all.wts";
        return ReadWeightFile(nx, nz, folder.path().string(), name, weights, messages);
    }
    bool separate(const std::string& x, const std::string& z, int nx = 3, int nz = 2) {
        messages.entries.clear();
        folder.write("x.wts", x);
        folder.write("z.wts", z);
        xName = "x.wts";
        zName = "z.wts";
        return ReadSeparateWeightFiles(nx, nz, folder.path().string(), xName, zName, weights,
                                       messages);
    }
    void expectOnly(Kind kind, const std::string& text) {
        ASSERT_EQ(messages.entries.size(), 1u);
        EXPECT_EQ(messages.entries[0], (RecordingMessages::Entry{kind, text}));
    }
    void expectEmpty() {
        EXPECT_TRUE(weights.cellWeights.empty());
        EXPECT_TRUE(weights.xWeights.empty());
        EXPECT_TRUE(weights.zWeights.empty());
    }

    TestFolder folder;
    std::string name, xName, zName;
    CellWeights weights;
    RecordingMessages messages;
};

TEST_F(WeightReaderTest, SingleFileHoldsCellThenXThenZWeights) {
    ASSERT_TRUE(single("3 2\n1 1 1 1 1 1\n0.5 1\n2 1\n1 3 -4 extra numbers 9 9\n"));
    EXPECT_EQ(weights.cellWeights, Block(2, std::vector<float>(3, 1.0f)));
    EXPECT_EQ(weights.xWeights, (Block{{0.5f, 1}, {2, 1}}));
    EXPECT_EQ(weights.zWeights, (Block{{1, 3, -4}}));
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(WeightReaderTest, SingleFileHeaderMustMatchTheMesh) {
    EXPECT_FALSE(single("2 3\n1 1 1 1 1 1 1 1 1 1 1 1 1"));
    expectOnly(Kind::Warning, "Weight file is not consistent with the model file.\n" + name);
    EXPECT_FALSE(single("3 two"));
    expectOnly(Kind::Warning, "Weight file is not consistent with the model file.\n" + name);
    expectEmpty();
}

TEST_F(WeightReaderTest, SingleFileEndingAfterTheXWeightsLoadsNothing) {
    EXPECT_FALSE(single("3 2\n1 1 1 1 1 1\n0.5 1\n2 1\n"));
    expectOnly(Kind::Error, "Error reading weight file\n" + name);
    expectEmpty();
}

TEST_F(WeightReaderTest, EveryReadStartsByDroppingTheOldWeights) {
    ASSERT_TRUE(single("3 2 1 1 1 1 1 1 0.5 1 2 1 1 3 4"));
    messages.entries.clear();
    EXPECT_FALSE(ReadWeightFile(3, 2, {}, folder.at("missing.wts"), weights, messages));
    expectOnly(Kind::Error, "Weight file not found: " + folder.at("missing.wts"));
    expectEmpty();
}

TEST_F(WeightReaderTest, SeparateFilesFillXAndZAndZeroTheCellWeights) {
    ASSERT_TRUE(separate("2 2\n0.5 1\n2 1\n", "3 1\n1 3 -4\n"));
    EXPECT_EQ(weights.cellWeights, Block(2, std::vector<float>(3, 0.0f)));
    EXPECT_EQ(weights.xWeights, (Block{{0.5f, 1}, {2, 1}}));
    EXPECT_EQ(weights.zWeights, (Block{{1, 3, -4}}));
}

TEST_F(WeightReaderTest, SeparateFilesAreCheckedInOrder) {
    // The Z header gives nx and nz instead of nx and nz - 1.
    EXPECT_FALSE(separate("2 2 1 1 1 1", "3 2 1 1 1 1 1 1"));
    expectOnly(Kind::Warning, "Z weight file is not consistent with the model file.\n" + zName);

    // When the X file fails the Z file is not even opened.
    messages.entries.clear();
    EXPECT_FALSE(
        ReadSeparateWeightFiles(3, 2, {}, folder.at("nox"), folder.at("noz"), weights, messages));
    expectOnly(Kind::Error, "X weight file not found: " + folder.at("nox"));

    EXPECT_FALSE(separate("2 2 1 1 1", "3 1 1 1 1"));
    expectOnly(Kind::Error, "Error reading weight file\n" + xName);
    expectEmpty();

    messages.entries.clear();
    EXPECT_FALSE(ReadSeparateWeightFiles(3, 2, {}, xName = folder.write("x.wts", "2 2 1 1 1 1"),
                                         folder.at("noz"), weights, messages));
    expectOnly(Kind::Error, "Z weight file not found: " + folder.at("noz"));
}

TEST_F(WeightReaderTest, OneCellWideOrDeepMeshesHaveNoFacesToRead) {
    EXPECT_FALSE(separate("0 2", "1 1 5", 1, 2));
    expectOnly(Kind::Error, "Number of cells in the X weight file should be positive.\n" + xName);
    EXPECT_FALSE(separate("2 1 1 1", "3 0", 3, 1));
    expectOnly(Kind::Error, "Number of cells in the Z weight file should be positive.\n" + zName);
    // The single file of a one-row mesh has no Z weights at all.
    ASSERT_TRUE(single("3 1 1 1 1 0.5 2", 3, 1));
    EXPECT_EQ(weights.xWeights, (Block{{0.5f, 2}}));
    EXPECT_TRUE(weights.zWeights.empty());
}
} // namespace
