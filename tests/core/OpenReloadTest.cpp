#include "TestFiles.h"

#include "document/CTest1Doc.h"
#include "document/RecordingMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {
using Kind = RecordingMessages::Kind;
using Entry = RecordingMessages::Entry;
namespace fs = std::filesystem;

const char* const Mesh = "1 0 100 4\n1 0 30 2\n";
const char* const OtherMesh = "1 0 100 2\n1 0 30 2\n";
const char* const Model = "4 2\n0.01 0.02 0.03 0.04\n0.1 0.2 0.3 0.4\n";
const char* const NewModel = "4 2\n1 2 3 4\n5 6 7 8\n";
const char* const TwoColumnModel = "2 2\n1 2\n3 4\n";
const char* const Output = "2\n0 1000 0\n1 100 10\n2 10 20\n5 target\n";
const char* const LongerOutput = "3\n0 1000 0\n1 100 10\n2 10 20\n3 5 30\n5 target\n";

class OpenReloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.AddUpdateListener([this] { ++updates; });
        mesh = folder.write("grid.msh", Mesh);
        model = folder.write("run1/model.con", Model);
        output = folder.write("run1/ohmsolv.out", Output);
        // Weights from an earlier command; Open must drop them, Reload keep them.
        doc.weights.cellWeights = {{1, 2, 3, 4}, {5, 6, 7, 8}};
        doc.weights.xWeights = {{1, 1, 1}, {1, 1, 1}};
        doc.weights.zWeights = {{2, 2, 2, 2}};
        doc.weightsLoaded = true;
    }

    bool open(const std::string& meshName, const std::string& modelName,
              const std::string& outputName, ModelKind kind = Conductivity) {
        return doc.LoadFiles(meshName, modelName, outputName, kind);
    }
    void openAll() {
        ASSERT_TRUE(open(mesh, model, output));
        ASSERT_TRUE(doc.loaded);
        messages.entries.clear();
        updates = 0;
    }
    void expectWeightsGone() const {
        EXPECT_FALSE(doc.weightsLoaded);
        EXPECT_TRUE(doc.weights.cellWeights.empty());
        EXPECT_TRUE(doc.weights.xWeights.empty());
        EXPECT_TRUE(doc.weights.zWeights.empty());
    }

    TestFolder folder;
    RecordingMessages messages;
    // Started in the temporary folder; the process itself stays where it is.
    CTest1Doc doc{messages, folder.path().string()};
    int updates = 0;
    std::string mesh, model, output;
};

TEST_F(OpenReloadTest, OpenReadsEverythingDropsWeightsAndUpdatesOnce) {
    // Relative names: the mesh lies beside the starting folder, not in the model's
    // folder where the model read moves the document's folder.
    ASSERT_TRUE(open("grid.msh", "run1/model.con", "run1/ohmsolv.out"));
    EXPECT_EQ(doc.meshFileName, mesh);
    EXPECT_EQ(doc.outputFileName, output);
    EXPECT_TRUE(doc.loaded);
    EXPECT_EQ(updates, 1);
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_EQ(doc.mesh.nx, 4);
    EXPECT_EQ(doc.mesh.zNodes.back(), 30.0);
    EXPECT_FLOAT_EQ(doc.model.values[1][3], std::log10(0.4f));
    EXPECT_TRUE(doc.convergenceLoaded);
    EXPECT_EQ(doc.history.misfit.size(), 3u);
    EXPECT_EQ(doc.title, model);
    EXPECT_EQ(doc.folder(), fs::canonical(folder.at("run1")).string());
    expectWeightsGone();
}

TEST_F(OpenReloadTest, BadConvergenceFileIsReportedAndTheModelStillLoads) {
    const std::string shortTable = folder.write("short.out", "5\n0 1 1\n");
    ASSERT_TRUE(open(mesh, model, shortTable));
    EXPECT_EQ(
        messages.entries,
        (std::vector<Entry>{{Kind::Warning, "Error reading convergence file\n" + shortTable}}));
    EXPECT_TRUE(doc.loaded);
    EXPECT_FALSE(doc.convergenceLoaded);

    // A convergence file that has gone since the dialog checked it: the reader's own
    // message, then the same warning; the program goes on.
    messages.entries.clear();
    const std::string gone = folder.at("gone.out");
    ASSERT_TRUE(open(mesh, model, gone));
    EXPECT_EQ(messages.entries,
              (std::vector<Entry>{{Kind::Error, "Output file not found: " + gone},
                                  {Kind::Warning, "Error reading convergence file\n" + gone}}));
    EXPECT_TRUE(doc.loaded);
    EXPECT_FALSE(doc.convergenceLoaded);
}

struct FailingOpen {
    const char* name;
    const char* modelText; // nullptr: the model file does not exist
    const char* meshText;  // nullptr: the mesh file does not exist
    const char* firstMessageStart;
};

class FailingOpenTest : public OpenReloadTest, public ::testing::WithParamInterface<FailingOpen> {};

TEST_P(FailingOpenTest, LeavesNothingLoadedButKeepsNamesKindAndHistoryResult) {
    const FailingOpen& c = GetParam();
    // Start from loaded data so that clearing is visible.
    openAll();
    doc.weightsLoaded = true;
    doc.weights.cellWeights = {{1}};

    const std::string badModel =
        c.modelText ? folder.write("new/model.con", c.modelText) : folder.at("new/model.con");
    const std::string badMesh =
        c.meshText ? folder.write("new/grid.msh", c.meshText) : folder.at("new/grid.msh");
    EXPECT_FALSE(open(badMesh, badModel, output, Sensitivity));

    ASSERT_FALSE(messages.entries.empty());
    EXPECT_EQ(messages.entries[0].text.rfind(c.firstMessageStart, 0), 0u)
        << messages.entries[0].text;
    EXPECT_FALSE(doc.loaded);
    EXPECT_EQ(updates, 0);
    EXPECT_EQ(doc.mesh.nx, 0);
    EXPECT_EQ(doc.mesh.nz, 0);
    EXPECT_TRUE(doc.model.values.empty());
    EXPECT_TRUE(doc.mesh.xNodes.empty());
    EXPECT_TRUE(doc.mesh.zNodes.empty());
    EXPECT_TRUE(doc.history.misfit.empty());
    expectWeightsGone();
    EXPECT_EQ(doc.meshFileName, badMesh);
    EXPECT_EQ(doc.modelFileName, badModel);
    EXPECT_EQ(doc.modelKind, Sensitivity);
    EXPECT_TRUE(doc.convergenceLoaded); // the convergence read itself succeeded
}

INSTANTIATE_TEST_SUITE_P(
    Reads, FailingOpenTest,
    ::testing::Values(FailingOpen{"ModelMissing", nullptr, Mesh, "Model file not found: "},
                      FailingOpen{"ModelBadValue", "4 2\n1 2 3 -4\n5 6 7 8\n", Mesh,
                                  "Values cannot be less than 0."},
                      FailingOpen{"MeshMissing", NewModel, nullptr, "Mesh file not found: "},
                      FailingOpen{"MeshForOtherCounts", NewModel, OtherMesh,
                                  "Number of cells in the mesh is not the\nsame as in the model."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpenReloadTest, ReloadTakesNewValuesAndHistoryAndKeepsMeshAndWeights) {
    openAll();
    doc.weights.cellWeights = {{9, 9, 9, 9}, {9, 9, 9, 9}};
    doc.weightsLoaded = true;
    const auto nodes = doc.mesh.xNodes;
    // The mesh file may change on disk; Reload does not read it.
    folder.write("grid.msh", "garbage");
    folder.write("run1/model.con", NewModel);
    folder.write("run1/ohmsolv.out", LongerOutput);

    ASSERT_TRUE(doc.OnReload());
    EXPECT_TRUE(doc.loaded);
    EXPECT_EQ(updates, 1);
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_FLOAT_EQ(static_cast<float>(doc.model.valueMin), 0.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(doc.model.valueMax), std::log10(8.0f));
    EXPECT_EQ(doc.history.misfit.size(), 4u);
    EXPECT_EQ(doc.mesh.xNodes, nodes);
    EXPECT_TRUE(doc.weightsLoaded);
    EXPECT_EQ(doc.weights.cellWeights.size(), 2u);
}

TEST_F(OpenReloadTest, ReloadOfAModelForAnotherMeshKeepsTheOldDataButUnloads) {
    openAll();
    const auto values = doc.model.values;
    folder.write("run1/model.con", TwoColumnModel);

    EXPECT_FALSE(doc.OnReload());
    EXPECT_EQ(messages.entries,
              (std::vector<Entry>{{Kind::Warning, "Cannot reload model if the mesh has changed.\n"
                                                  "Use File | Open  instead."}}));
    EXPECT_FALSE(doc.loaded);
    EXPECT_EQ(updates, 0);
    EXPECT_EQ(doc.mesh.nx, 4);
    EXPECT_EQ(doc.mesh.xNodes.size(), 5u);
    EXPECT_EQ(doc.model.values, values);

    // Only Open leads on: a second Reload reads nothing.
    messages.entries.clear();
    EXPECT_FALSE(doc.OnReload());
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(OpenReloadTest, ReloadOfAHalfWrittenModelKeepsWhatWasShownAndCanTryAgain) {
    openAll();
    const auto values = doc.model.values;
    const auto misfit = doc.history.misfit;
    // Cut inside the second row, as a model caught while it is written.
    folder.write("run1/model.con", "4 2\n1 2 3 4\n5 6");
    folder.write("run1/ohmsolv.out", LongerOutput);

    EXPECT_FALSE(doc.OnReload());
    EXPECT_EQ(messages.entries,
              (std::vector<Entry>{{Kind::Error, "Error reading model file\n" + model}}));
    EXPECT_TRUE(doc.loaded);
    EXPECT_EQ(updates, 0);
    EXPECT_EQ(doc.model.values, values);
    EXPECT_EQ(doc.history.misfit, misfit);
    EXPECT_TRUE(doc.convergenceLoaded);

    folder.write("run1/model.con", NewModel);
    messages.entries.clear();
    ASSERT_TRUE(doc.OnReload());
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_EQ(updates, 1);
    EXPECT_FLOAT_EQ(doc.model.values[1][3], std::log10(8.0f));
    EXPECT_EQ(doc.history.misfit.size(), 4u);
}

TEST_F(OpenReloadTest, ReloadDropsABrokenOrMissingHistoryWithoutAWarningOfItsOwn) {
    openAll();
    folder.write("run1/ohmsolv.out", "0\n");
    ASSERT_TRUE(doc.OnReload());
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_FALSE(doc.convergenceLoaded);
    EXPECT_TRUE(doc.history.misfit.empty());
    EXPECT_TRUE(doc.loaded);

    // Once dropped, the history is not read again by Reload.
    folder.write("run1/ohmsolv.out", Output);
    ASSERT_TRUE(doc.OnReload());
    EXPECT_FALSE(doc.convergenceLoaded);

    ASSERT_TRUE(open(mesh, model, output));
    fs::remove(output);
    messages.entries.clear();
    EXPECT_TRUE(doc.OnReload());
    EXPECT_EQ(messages.entries,
              (std::vector<Entry>{{Kind::Error, "Output file not found: " + output}}));
    EXPECT_FALSE(doc.convergenceLoaded);
    EXPECT_TRUE(doc.history.misfit.empty());
}
} // namespace
