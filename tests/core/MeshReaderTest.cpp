#include "TestFiles.h"

#include "document/MeshReader.h"
#include "document/RecordingMessages.h"

#include <gtest/gtest.h>

namespace {
using Kind = RecordingMessages::Kind;
const std::string CountMessage = "Number of cells in the mesh is not the\nsame as in the model.";

class MeshReaderTest : public ::testing::Test {
protected:
    ReadResult read(int nx, int nz, const std::string& text) {
        mesh = MeshGrid{};
        mesh.nx = nx;
        mesh.nz = nz;
        messages.entries.clear();
        // A relative name: found in the folder, named as given in the messages.
        folder.write("mesh.txt", text);
        name = "mesh.txt";
        return ReadMesh(folder.path().string(), name, mesh, messages);
    }
    void expectOnlyError(const std::string& text) {
        ASSERT_EQ(messages.entries.size(), 1u);
        EXPECT_EQ(messages.entries[0], (RecordingMessages::Entry{Kind::Error, text}));
    }

    TestFolder folder;
    std::string name;
    MeshGrid mesh;
    RecordingMessages messages;
};

TEST_F(MeshReaderTest, SegmentsAreCutIntoEqualCells) {
    ASSERT_EQ(read(6, 2, "2 0 100 4 160 2\n1 0 30 2\n"), ReadResult::Ok);
    EXPECT_EQ(mesh.xNodes, (std::vector<double>{0, 25, 50, 75, 100, 130, 160}));
    EXPECT_EQ(mesh.zNodes, (std::vector<double>{0, 15, 30}));
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(MeshReaderTest, NextSegmentStartsAtTheEndAsReadNotAtTheComputedNode) {
    ASSERT_EQ(read(5, 1, "2 0.1 1.0 3 2.0 2 1 0 1 1"), ReadResult::Ok);
    // 0.1 + 3 * (0.9 / 3) misses 1.0 in the last bit...
    EXPECT_EQ(mesh.xNodes[3], 0.1 + 3 * ((1.0 - 0.1) / 3));
    EXPECT_NE(mesh.xNodes[3], 1.0);
    // ...while the next segment's width is taken from 1.0 exactly.
    EXPECT_EQ(mesh.xNodes[4], 1.5);
    EXPECT_EQ(mesh.xNodes[5], 2.0);
}

TEST_F(MeshReaderTest, SegmentWithoutCellsAddsNoNode) {
    ASSERT_EQ(read(4, 1, "3 0 100 2 150 0 200 2  1 0 10 1"), ReadResult::Ok);
    EXPECT_EQ(mesh.xNodes, (std::vector<double>{0, 50, 100, 175, 200}));
}

TEST_F(MeshReaderTest, CellCountsMustMatchTheModel) {
    EXPECT_EQ(read(4, 2, "1 0 100 5  1 0 30 2"), ReadResult::Failed); // one too many across
    expectOnlyError(CountMessage);
    EXPECT_EQ(mesh.xNodes.size(), 5u);

    EXPECT_EQ(read(4, 2, "1 0 100 4  1 0 30 1"), ReadResult::Failed); // one too few down
    expectOnlyError(CountMessage);

    EXPECT_EQ(read(4, 2, ""), ReadResult::Failed); // empty file
    expectOnlyError(CountMessage);
}

TEST_F(MeshReaderTest, NodesMustIncreaseStrictly) {
    EXPECT_EQ(read(2, 1, "1 100 0 2  1 0 10 1"), ReadResult::Failed);
    expectOnlyError("Error: Invalid mesh.");
    EXPECT_EQ(read(3, 1, "2 0 100 2 100 1  1 0 10 1"), ReadResult::Failed); // end equals start
    expectOnlyError("Error: Invalid mesh.");
    EXPECT_EQ(read(2, 2, "1 0 100 2  1 10 0 2"), ReadResult::Failed);
    expectOnlyError("Error: Invalid mesh.");
}

TEST_F(MeshReaderTest, CountWithADecimalPointLeavesItsFractionForTheNextRead) {
    // "4.0" gives 4 cells, ".0" then becomes the next segment's end and 200 its cell count.
    EXPECT_EQ(read(8, 1, "2 0 100 4.0 200 4  1 0 10 1"), ReadResult::Failed);
    expectOnlyError(CountMessage);
}

TEST_F(MeshReaderTest, HostileCountsEndQuickly) {
    EXPECT_EQ(read(4, 1, "1 0 100 2000000000 1 0 10 1"), ReadResult::Failed);
    expectOnlyError(CountMessage);
    EXPECT_EQ(read(4, 1, "2000000000 0 100 4"), ReadResult::Failed);
    expectOnlyError(CountMessage);
    EXPECT_EQ(read(4, 1, "1 0 100 4 1 0 words 1"), ReadResult::Failed);
    EXPECT_EQ(messages.entries.size(), 1u);
}

TEST_F(MeshReaderTest, MissingFileIsNotFound) {
    mesh.nx = mesh.nz = 1;
    EXPECT_EQ(ReadMesh({}, folder.at("nowhere.msh"), mesh, messages), ReadResult::NotFound);
    expectOnlyError("Mesh file not found: " + folder.at("nowhere.msh"));
}
} // namespace
