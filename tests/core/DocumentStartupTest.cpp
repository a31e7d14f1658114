#include "TestFiles.h"

#include "document/CTest1Doc.h"
#include "document/RecordingMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {
using Kind = RecordingMessages::Kind;
namespace fs = std::filesystem;

const char* const Mesh = "1 0 100 4\n1 0 30 2\n";
const char* const Model = "4 2\n0.01 0.02 0.03 0.04\n0.1 0.2 0.3 0.4\n";
const char* const Output = "2\n0 1000 0\n1 100 10\n2 10 20\n5 target\n";

// The temporary folder plays the launch folder; the process stays where it is.
class DocumentStartupTest : public ::testing::Test {
protected:
    // True unless the start-up load failed and the program would end with status -1.
    bool start(const std::vector<std::string>& args) { return doc.ApplyCommandLine(args); }
    std::string launchFolder() const { return folder.path().string(); }

    TestFolder folder;
    RecordingMessages messages;
    CTest1Doc doc{messages, launchFolder()};
};

TEST_F(DocumentStartupTest, NoArgumentsLeaveAnEmptyDocument) {
    EXPECT_TRUE(start({}));
    EXPECT_FALSE(doc.loaded);
    EXPECT_EQ(doc.modelKind, Conductivity);
    EXPECT_FALSE(doc.convergenceLoaded);
    EXPECT_EQ(doc.argPadLeft, -1);
    EXPECT_TRUE(doc.title.empty());
    EXPECT_EQ(doc.folder(), launchFolder());
}

TEST_F(DocumentStartupTest, LoadsModelThenMeshAndMovesIntoTheModelFolder) {
    const std::string mesh = folder.write("mesh/grid.msh", Mesh);
    const std::string model = folder.write("run1/result.con", Model);
    EXPECT_TRUE(start({mesh, model}));
    EXPECT_TRUE(doc.loaded);
    EXPECT_EQ(doc.mesh.nx, 4);
    EXPECT_EQ(doc.mesh.zNodes.back(), 30.0);
    EXPECT_EQ(doc.title, model);
    EXPECT_EQ(doc.folder(), fs::canonical(folder.at("run1")).string());
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(DocumentStartupTest, ModelFolderIsTheOneAChangeIntoItWouldGive) {
    // Through a link and "..": the folder is the physical one, as the working
    // directory would have been after entering it.
    folder.write("real/run1/result.con", Model);
    folder.write("real/grid.msh", Mesh);
    fs::create_directory_symlink(folder.at("real"), folder.at("link"));
    ASSERT_TRUE(start({"link/run1/../grid.msh", "link/run1/../run1/result.con"}));
    EXPECT_EQ(doc.title, folder.at("link/run1/../run1/result.con"));
    EXPECT_EQ(doc.folder(), fs::canonical(folder.at("real/run1")).string());

    // A folder that cannot be entered, or a name without one, leaves the folder alone.
    const std::string before = doc.folder();
    for (const std::string& name : {folder.at("gone/result.con"), std::string("result.con")}) {
        doc.modelFileName = name;
        doc.RecordModelPath();
        EXPECT_EQ(doc.folder(), before) << name;
    }
    EXPECT_EQ(doc.title, before + "/result.con");
}

TEST_F(DocumentStartupTest, RelativeNamesKeepTheirMeaningAfterTheMove) {
    folder.write("run1/grid.msh", Mesh);
    folder.write("run1/result.con", Model);
    folder.write("run1/ohmsolv.out", Output);
    EXPECT_TRUE(start({"run1/grid.msh", "run1/result.con", "/conv"}));
    EXPECT_TRUE(doc.loaded);
    EXPECT_EQ(doc.meshFileName, (folder.path() / "run1/grid.msh").string());
    EXPECT_EQ(doc.modelFileName, (folder.path() / "run1/result.con").string());
    // The default convergence name is looked up in the model's folder.
    EXPECT_EQ(doc.outputFileName, "ohmsolv.out");
    EXPECT_TRUE(doc.convergenceLoaded);
    EXPECT_EQ(doc.history.misfit.size(), 3u);
    EXPECT_EQ(doc.history.targetMisfit, std::log10(5.0));

    // Reload looks for it beside the model again; a copy in the launch folder is not it.
    folder.write("ohmsolv.out", "1\n0 1000 0\n1 100 10\n5 target\n");
    folder.write("run1/ohmsolv.out", "3\n0 1000 0\n1 100 10\n2 10 20\n3 5 30\n5 target\n");
    ASSERT_TRUE(doc.OnReload());
    EXPECT_EQ(doc.history.misfit.size(), 4u);
}

TEST_F(DocumentStartupTest, IpSwitchReadsChargeabilityAndPicksItsOutputName) {
    folder.write("grid.msh", Mesh);
    folder.write("ip.chg", "4 2 1 2 3 4 5 6 7 -20\n");
    folder.write("polsolv.out", Output);
    EXPECT_TRUE(start({"grid.msh", "ip.chg", "/conv", "/ip", "/chi=2"}));
    EXPECT_EQ(doc.modelKind, Chargeability);
    EXPECT_EQ(doc.outputFileName, "polsolv.out");
    EXPECT_EQ(doc.model.valueMin, 1.0);
    EXPECT_EQ(doc.model.valueMax, 7.0);
    EXPECT_EQ(doc.history.targetMisfit, 1.0); // 5 times 2
}

TEST_F(DocumentStartupTest, SwitchesAloneLoadNothingButStayInForce) {
    EXPECT_TRUE(start({"/ip", "/conv"}));
    EXPECT_FALSE(doc.loaded);
    EXPECT_EQ(doc.modelKind, Chargeability);
    EXPECT_EQ(doc.outputFileName, "polsolv.out");
    EXPECT_TRUE(doc.convergenceLoaded);

    // Names must come first.
    folder.write("grid.msh", Mesh);
    folder.write("m.con", Model);
    CTest1Doc other(messages, launchFolder());
    EXPECT_TRUE(other.ApplyCommandLine({"/conv", "grid.msh", "m.con"}));
    EXPECT_FALSE(other.loaded);
    EXPECT_TRUE(other.convergenceLoaded);
    EXPECT_EQ(other.outputFileName, "ohmsolv.out");
}

TEST_F(DocumentStartupTest, FolderNamesThatLookLikeSwitchesAreNames) {
    const std::string mesh = folder.write("ip/conv/grid.msh", Mesh);
    const std::string model = folder.write("ip/conv/m.con", Model);
    EXPECT_TRUE(start({mesh, model}));
    EXPECT_EQ(doc.modelKind, Conductivity);
    EXPECT_FALSE(doc.convergenceLoaded);
}

TEST_F(DocumentStartupTest, NamesMayHoldBlanksAndQuotes) {
    folder.write("my run/grid \"a\".msh", Mesh);
    folder.write("my run/model 1.con", Model);
    EXPECT_TRUE(start({"  my run/grid \"a\".msh", "my run/model 1.con"}));
    EXPECT_TRUE(doc.loaded);
}

struct StartupFailure {
    const char* label;
    const char* mesh; // file texts; nullptr: the file is missing
    const char* model;
    bool conv;
    Kind kind;
    const char* message; // "@" is replaced by the absolute name of the failing file
    const char* failingFile;
};

class StartupFailureTest : public DocumentStartupTest,
                           public ::testing::WithParamInterface<StartupFailure> {};

TEST_P(StartupFailureTest, FailsAfterTheReadersOneMessage) {
    const StartupFailure& c = GetParam();
    if (c.mesh)
        folder.write("grid.msh", c.mesh);
    if (c.model)
        folder.write("m.con", c.model);
    std::vector<std::string> args{"grid.msh", "m.con"};
    if (c.conv)
        args.push_back("/conv");
    EXPECT_FALSE(start(args));
    std::string expected = c.message;
    if (const auto at = expected.find('@'); at != std::string::npos)
        expected.replace(at, 1,
                         c.failingFile[0] == '/' ? folder.at(c.failingFile + 1) : c.failingFile);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0], (RecordingMessages::Entry{c.kind, expected}));
    EXPECT_FALSE(doc.loaded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupFailureTest,
    ::testing::Values(StartupFailure{"MissingModel", Mesh, nullptr, false, Kind::Error,
                                     "Model file not found: @", "/m.con"},
                      StartupFailure{"MissingMesh", nullptr, Model, false, Kind::Error,
                                     "Mesh file not found: @", "/grid.msh"},
                      StartupFailure{"MissingDefaultOutput", Mesh, Model, true, Kind::Error,
                                     "Output file not found: @", "ohmsolv.out"},
                      StartupFailure{"BadModelValue", Mesh, "4 2 1 2 3 4 5 6 7 0", false,
                                     Kind::Error, "Values cannot be less than 0.\n@", "/m.con"},
                      StartupFailure{"ModelTooShort", Mesh, "4 2 1 2 3", false, Kind::Error,
                                     "Error reading model file\n@", "/m.con"},
                      StartupFailure{
                          "MeshDisagrees", "1 0 100 5\n1 0 30 2\n", Model, false, Kind::Error,
                          "Number of cells in the mesh is not the\nsame as in the model.", ""},
                      StartupFailure{"InvalidMesh", "1 100 0 4\n1 0 30 2\n", Model, false,
                                     Kind::Error, "Error: Invalid mesh.", ""}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(DocumentStartupTest, UnreadableConvergenceOnlyClearsItsFlag) {
    folder.write("grid.msh", Mesh);
    folder.write("m.con", Model);
    folder.write("ohmsolv.out", "5\n0 1 1\n");
    EXPECT_TRUE(start({"grid.msh", "m.con", "/conv"}));
    EXPECT_TRUE(doc.loaded);
    EXPECT_FALSE(doc.convergenceLoaded);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(DocumentStartupTest, OverlongNameFailsTheStartUp) {
    const std::string longName(5000, 'a');
    EXPECT_FALSE(start({longName, "m.con"}));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].kind, Kind::Error);
    EXPECT_EQ(messages.entries[0].text.rfind("File name is too long", 0), 0u);
}

TEST_F(DocumentStartupTest, PaddingSwitchIsScannedLikeScanf) {
    struct Case {
        std::vector<std::string> args;
        int left, right, bottom;
    };
    const Case cases[] = {
        {{"/padd=010,0x10,3"}, 8, 16, 3},
        {{"/padd=", "5,", "5,", "10"}, 5, 5, 10}, // "/padd= 5, 5, 10" typed unquoted
        {{"/padd= -2,+3,4"}, -2, 3, 4},
        {{"/padd=2,3"}, -1, -1, -1},
        {{"/padd=2,3", "/conv"}, -1, -1, -1},
        {{"/padd=2 ,3,4"}, -1, -1, -1}, // a comma must follow its number
        {{"/padd=1,2,3", "/padd=4,5,6"}, 1, 2, 3},
    };
    for (const Case& c : cases) {
        CTest1Doc d(messages, launchFolder());
        EXPECT_TRUE(d.ApplyCommandLine(c.args));
        EXPECT_EQ(d.argPadLeft, c.left) << c.args[0];
        EXPECT_EQ(d.argPadRight, c.right) << c.args[0];
        EXPECT_EQ(d.argPadBottom, c.bottom) << c.args[0];
    }
}

TEST_F(DocumentStartupTest, ClearDataKeepsFlagsNamesAndRange) {
    folder.write("grid.msh", Mesh);
    folder.write("m.con", Model);
    ASSERT_TRUE(start({"grid.msh", "m.con", "/padd=1,1,1"}));
    const double min = doc.model.valueMin;
    doc.ClearData();
    EXPECT_EQ(doc.mesh.nx, 0);
    EXPECT_EQ(doc.mesh.nz, 0);
    EXPECT_TRUE(doc.model.values.empty());
    EXPECT_TRUE(doc.mesh.xNodes.empty());
    EXPECT_TRUE(doc.loaded);
    EXPECT_EQ(doc.model.valueMin, min);
    EXPECT_EQ(doc.argPadBottom, 1);
    EXPECT_FALSE(doc.modelFileName.empty());
}
} // namespace
