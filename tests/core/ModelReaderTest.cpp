#include "TestFiles.h"

#include "document/ModelReader.h"
#include "document/RecordingMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sys/stat.h>

namespace {
using Kind = RecordingMessages::Kind;

class ModelReaderTest : public ::testing::Test {
protected:
    ReadResult read(const std::string& text, ModelKind kind = Conductivity) {
        // A relative name: found in the folder, named as given in the messages.
        folder.write("model.txt", text);
        name = "model.txt";
        return ReadModel(folder.path().string(), name, kind, mesh, model, messages);
    }
    void expectOnly(Kind kind, const std::string& text) {
        ASSERT_EQ(messages.entries.size(), 1u);
        EXPECT_EQ(messages.entries[0], (RecordingMessages::Entry{kind, text}));
    }

    TestFolder folder;
    std::string name;
    MeshGrid mesh;
    CellModel model;
    RecordingMessages messages;
};

TEST_F(ModelReaderTest, ConductivityIsStoredAsSinglePrecisionLog10AndBlankValuesLeaveTheRange) {
    ASSERT_EQ(read("2 1 0.01 1e-9"), ReadResult::Ok);
    EXPECT_EQ(mesh.nx, 2);
    EXPECT_EQ(mesh.nz, 1);
    ASSERT_EQ(model.values.size(), 1u);
    EXPECT_EQ(model.values[0][0], std::log10(0.01f));
    EXPECT_EQ(model.values[0][1], std::log10(1e-9f));
    EXPECT_FLOAT_EQ(model.values[0][1], -9.0f);
    EXPECT_EQ(model.valueMin, static_cast<double>(std::log10(0.01f)));
    EXPECT_EQ(model.valueMax, model.valueMin);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(ModelReaderTest, RowsRunFromTheTopAndEachRowFromTheLeft) {
    ASSERT_EQ(read("3 2\r\n1 2 3\r\n4 5 6\r\n", Chargeability), ReadResult::Ok);
    ASSERT_EQ(model.values.size(), 2u);
    EXPECT_EQ(model.values, (ValueGrid{{1, 2, 3}, {4, 5, 6}}));
    EXPECT_EQ(model.valueMin, 1.0);
    EXPECT_EQ(model.valueMax, 6.0);
}

TEST_F(ModelReaderTest, BlankLevelDependsOnTheKind) {
    // -10 is blank for chargeability, while 0 and negative values are kept.
    ASSERT_EQ(read("4 1 -10 -9.5 0 5", Chargeability), ReadResult::Ok);
    EXPECT_EQ(model.values[0][0], -10.0f);
    EXPECT_EQ(model.valueMin, -9.5);
    EXPECT_EQ(model.valueMax, 5.0);

    // Sensitivities down to 1e-20 are blank; 1e-19 is not.
    mesh = MeshGrid{};
    ASSERT_EQ(read("2 1 1e-20 1e-19", Sensitivity), ReadResult::Ok);
    EXPECT_EQ(model.valueMin, static_cast<double>(std::log10(1e-19f)));
    EXPECT_EQ(model.valueMax, model.valueMin);
}

TEST_F(ModelReaderTest, EveryValueBlankKeepsTheStartingRange) {
    ASSERT_EQ(read("2 2 1e-8 1e-9 1e-12 1e-30"), ReadResult::Ok);
    EXPECT_EQ(model.valueMax, -1e20);
    EXPECT_EQ(model.valueMin, 1e20);
}

TEST_F(ModelReaderTest, ZeroOrNegativeConductivityIsRefused) {
    EXPECT_EQ(read("2 1 0.5 0"), ReadResult::Failed);
    expectOnly(Kind::Error, "Values cannot be less than 0.\n" + name);
    // The values before the failing one are kept, and the range covers them.
    EXPECT_EQ(model.values[0][0], std::log10(0.5f));
    EXPECT_EQ(model.valueMax, static_cast<double>(std::log10(0.5f)));
}

TEST_F(ModelReaderTest, NonPositiveCountsAreRefusedAndKept) {
    EXPECT_EQ(read("0 5 1 2 3"), ReadResult::Failed);
    expectOnly(Kind::Error, "Number of cells in the model should be positive.\n" + name);
    EXPECT_EQ(mesh.nx, 0);
    EXPECT_EQ(mesh.nz, 5);
    EXPECT_TRUE(model.values.empty());
}

TEST_F(ModelReaderTest, ReloadWithOtherCountsLeavesEverythingAlone) {
    mesh.nx = 2;
    mesh.nz = 3;
    model.values.assign(3, std::vector<float>(2, 7.0f));
    // Same number of cells, counts swapped.
    EXPECT_EQ(read("3 2 1 1 1 1 1 1"), ReadResult::OtherCounts);
    expectOnly(Kind::Warning,
               "Cannot reload model if the mesh has changed.\nUse File | Open  instead.");
    EXPECT_EQ(mesh.nx, 2);
    EXPECT_EQ(mesh.nz, 3);
    EXPECT_EQ(model.values[2][1], 7.0f);
}

TEST_F(ModelReaderTest, ReloadWithTheSameCountsReplacesTheValues) {
    mesh.nx = 2;
    mesh.nz = 1;
    model.values.assign(1, std::vector<float>(2, 7.0f));
    ASSERT_EQ(read("2 1 0.1 10"), ReadResult::Ok);
    EXPECT_EQ(model.values[0][0], std::log10(0.1f));
    EXPECT_EQ(model.values[0][1], std::log10(10.0f));
}

TEST_F(ModelReaderTest, SurplusValuesAreNotRead) {
    EXPECT_EQ(read("1 1 0.1 what ever follows"), ReadResult::Ok);
}

// Each of these ends in the reader's own message, never a crash or a huge allocation.
struct BadModel {
    const char* label;
    const char* text;
    ModelKind kind;
};

class BadModelTest : public ModelReaderTest, public ::testing::WithParamInterface<BadModel> {};

TEST_P(BadModelTest, ReportsAReadError) {
    EXPECT_EQ(read(GetParam().text, GetParam().kind), ReadResult::Failed);
    expectOnly(Kind::Error, "Error reading model file\n" + name);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, BadModelTest,
    ::testing::Values(BadModel{"OneValueShort", "2 2 1 2 3", Chargeability},
                      BadModel{"Word", "2 1 1 abc", Chargeability},
                      BadModel{"NotANumber", "2 1 1 nan", Chargeability},
                      BadModel{"Infinity", "2 1 inf 1", Chargeability},
                      BadModel{"ExponentBeyondFloat", "2 1 1e39 1", Chargeability},
                      BadModel{"BinaryBytes", "2 1 1 \x01\x02\xff", Chargeability},
                      BadModel{"HugeCounts", "2000000000 2000000000 1 2 3", Conductivity},
                      BadModel{"CountsBeyondTheFile", "100000 1000 1 2 3 4", Conductivity}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(ModelReaderTest, HugeCountsNeverSizeTheValues) {
    EXPECT_EQ(read("2000000000 2000000000 1"), ReadResult::Failed);
    EXPECT_TRUE(model.values.empty());
}

TEST_F(ModelReaderTest, MissingFileIsNotFound) {
    name = folder.at("absent.con");
    EXPECT_EQ(ReadModel({}, name, Conductivity, mesh, model, messages), ReadResult::NotFound);
    expectOnly(Kind::Error, "Model file not found: " + name);
}

TEST_F(ModelReaderTest, FolderIsNotFoundAndFifoNeverBlocks) {
    name = folder.path().string();
    EXPECT_EQ(ReadModel({}, name, Conductivity, mesh, model, messages), ReadResult::NotFound);
    expectOnly(Kind::Error, "Model file not found: " + name);

    messages.entries.clear();
    const std::string fifo = folder.at("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadModel({}, fifo, Conductivity, mesh, model, messages), ReadResult::NotFound);
    expectOnly(Kind::Error, "Model file not found: " + fifo);
}
} // namespace
