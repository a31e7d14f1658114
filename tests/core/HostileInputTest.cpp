// Input nobody wrote by hand: extreme and negative counts, tokens that are no plain
// decimal number, binary bytes, folders, unreadable files and very long paths. Every
// reader must end in its own message (or, for the convergence file, a false result)
// without a crash, a hang or an allocation sized from a count the file cannot hold.
#include "TestFiles.h"

#include "document/CTest1Doc.h"
#include "document/ConvergenceReader.h"
#include "document/DoiIndex.h"
#include "document/MeshReader.h"
#include "document/ModelReader.h"
#include "document/RecordingMessages.h"
#include "doi/DoiComputation.h"
#include "weights/WeightReader.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>

namespace {
using Kind = RecordingMessages::Kind;
namespace fs = std::filesystem;

const std::string CountMessage = "Number of cells in the mesh is not the\nsame as in the model.";
const std::string BinaryBytes("\x00\x01\x7f\x80\xfe\xff 3 \x00 2\n\xc3\x28", 15);

// What one reader run gave: success, and the messages it showed (none from the
// convergence reader, whose callers decide what to say).
struct Outcome {
    bool ok = false;
    std::vector<RecordingMessages::Entry> messages;
};

// Each reader against fixed surroundings: a model of 2 x 1 cells for the mesh, a mesh
// of 3 x 2 cells for the weights and the depth of investigation.
enum class Reader { Model, Chargeability, Mesh, Convergence, Weights, XWeights, Doi, Sensitivity };

Outcome RunReader(Reader reader, const std::string& name, const TestFolder& folder) {
    const std::string dir = folder.path().string();
    RecordingMessages messages;
    Outcome out;
    switch (reader) {
    case Reader::Model:
    case Reader::Chargeability: {
        MeshGrid mesh;
        CellModel model;
        const ModelKind kind = reader == Reader::Model ? Conductivity : Chargeability;
        out.ok = ReadModel(dir, name, kind, mesh, model, messages) == ReadResult::Ok;
        if (out.ok) {
            EXPECT_EQ(model.values.size(), static_cast<std::size_t>(mesh.nz));
        }
        break;
    }
    case Reader::Mesh: {
        MeshGrid mesh;
        mesh.nx = 2;
        mesh.nz = 1;
        const ReadResult result = ReadMesh(dir, name, mesh, messages);
        out.ok = result == ReadResult::Ok;
        // Sized before the first number is read, whatever the file holds.
        if (result != ReadResult::NotFound) {
            EXPECT_EQ(mesh.xNodes.size(), 3u);
            EXPECT_EQ(mesh.zNodes.size(), 2u);
        }
        break;
    }
    case Reader::Convergence: {
        ConvergenceHistory history;
        out.ok = ReadConvergence(dir, name, std::nullopt, history, messages) == ReadResult::Ok;
        EXPECT_EQ(history.misfit.size(), history.modelNorm.size());
        break;
    }
    case Reader::Weights: {
        CellWeights weights;
        out.ok = ReadWeightFile(3, 2, dir, name, weights, messages);
        break;
    }
    case Reader::XWeights: {
        CellWeights weights;
        const std::string zName = folder.write("z.wts", "3 1 1 1 1");
        out.ok = ReadSeparateWeightFiles(3, 2, dir, name, zName, weights, messages);
        break;
    }
    case Reader::Doi:
    case Reader::Sensitivity: {
        CTest1Doc doc(messages, dir);
        doc.mesh.nx = 3;
        doc.mesh.nz = 2;
        doc.mesh.xNodes = {0, 10, 20, 30};
        doc.mesh.zNodes = {0, 5, 10};
        doc.model.values = {{-1.0f, -1.5f, -2.0f}, {-2.0f, -2.0f, -2.0f}};
        doc.loaded = true;
        DoiIndex index;
        const DoiMethod method =
            reader == Reader::Doi ? DoiMethod::RecoveredModel : DoiMethod::Sensitivity;
        out.ok = ComputeDoi(doc, name, method, index, messages);
        EXPECT_EQ(out.ok, index.shown);
        break;
    }
    }
    out.messages = messages.entries;
    return out;
}

struct HostileCase {
    const char* label;
    Reader reader;
    std::string text;
    bool ok;
    Kind kind;
    const char* message; // "@" stands for the file name; nullptr: no message at all
};

void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.label;
}

class HostileInputTest : public ::testing::TestWithParam<HostileCase> {
protected:
    TestFolder folder;
};

TEST_P(HostileInputTest, EndsInTheReadersOwnAnswer) {
    const HostileCase& c = GetParam();
    const std::string name = folder.write("input.txt", c.text);
    const Outcome out = RunReader(c.reader, name, folder);
    EXPECT_EQ(out.ok, c.ok);
    if (!c.message) {
        EXPECT_TRUE(out.messages.empty());
        return;
    }
    std::string expected = c.message;
    if (const auto at = expected.find('@'); at != std::string::npos)
        expected.replace(at, 1, name);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0], (RecordingMessages::Entry{c.kind, expected}));
}

const char* const ModelCounts = "Number of cells in the model should be positive.\n@";
const char* const ModelValue = "Error reading model file\n@";
const char* const WeightHeader = "Weight file is not consistent with the model file.\n@";
const char* const WeightValue = "Error reading weight file\n@";
const char* const DoiHeader = "Number of cells in the two model files are not equal.";
const char* const DoiValue = "Error reading DOI model file\n@";

INSTANTIATE_TEST_SUITE_P(
    Counts, HostileInputTest,
    ::testing::Values(
        HostileCase{"ModelNegative", Reader::Model, "-5 3 1 2 3", false, Kind::Error, ModelCounts},
        HostileCase{"ModelLowestInt", Reader::Model, "3 -2147483648 1", false, Kind::Error,
                    ModelCounts},
        HostileCase{"ModelBeyondInt", Reader::Model, "2147483648 1 1", false, Kind::Error,
                    ModelCounts},
        HostileCase{"ModelLargestInt", Reader::Model, "2147483647 2147483647 1 2", false,
                    Kind::Error, ModelValue},
        HostileCase{"MeshNegativeSegments", Reader::Mesh, "-1 0 100 2  1 0 10 1", false,
                    Kind::Error, CountMessage.c_str()},
        HostileCase{"MeshLowestCellCount", Reader::Mesh, "1 0 100 -2147483648  1 0 10 1", false,
                    Kind::Error, CountMessage.c_str()},
        HostileCase{"MeshLargestCellCount", Reader::Mesh, "1 0 100 2147483647  1 0 10 1", false,
                    Kind::Error, CountMessage.c_str()},
        // The loop over two billion segments ends at the end of the file; the nodes
        // read before it make a good mesh.
        HostileCase{"MeshLargestSegmentCount", Reader::Mesh, "1 0 100 2  2147483647 0 10 1", true,
                    Kind::Error, nullptr},
        HostileCase{"ConvergenceNegative", Reader::Convergence, "-3\n0 1 1\n", false, Kind::Error,
                    nullptr},
        HostileCase{"ConvergenceLargestInt", Reader::Convergence, "2147483647\n0 1 1\n1 2 2\n",
                    false, Kind::Error, nullptr},
        HostileCase{"WeightsNegative", Reader::Weights, "-3 -2 1 1 1", false, Kind::Warning,
                    WeightHeader},
        HostileCase{"WeightsLargestInt", Reader::Weights, "2147483647 2 1", false, Kind::Warning,
                    WeightHeader},
        HostileCase{"XWeightsNegative", Reader::XWeights, "-2 2 1 1 1 1", false, Kind::Warning,
                    "X weight file is not consistent with the model file.\n@"},
        HostileCase{"DoiNegative", Reader::Doi, "-3 -2 1 1 1 1 1 1", false, Kind::Warning,
                    DoiHeader},
        HostileCase{"DoiLargestInt", Reader::Doi, "3 2147483647 1 1", false, Kind::Warning,
                    DoiHeader}),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Tokens, HostileInputTest,
    ::testing::Values(
        HostileCase{"ModelNan", Reader::Chargeability, "2 1 nan 1", false, Kind::Error, ModelValue},
        HostileCase{"ModelInf", Reader::Chargeability, "2 1 1 inf", false, Kind::Error, ModelValue},
        HostileCase{"ModelBeyondDouble", Reader::Chargeability, "2 1 1 1e999", false, Kind::Error,
                    ModelValue},
        HostileCase{"ModelHex", Reader::Chargeability, "2 1 0x10 1", false, Kind::Error,
                    ModelValue},
        HostileCase{"ModelMinusZeroConductivity", Reader::Model, "2 1 -0 1", false, Kind::Error,
                    "Values cannot be less than 0.\n@"},
        HostileCase{"ModelMinusZeroChargeability", Reader::Chargeability, "2 1 -0 1", true,
                    Kind::Error, nullptr},
        HostileCase{"ModelHexCount", Reader::Model, "0x10 1 1", false, Kind::Error, ModelCounts},
        HostileCase{"MeshNanNode", Reader::Mesh, "1 nan 100 2  1 0 10 1", false, Kind::Error,
                    CountMessage.c_str()},
        HostileCase{"MeshInfNode", Reader::Mesh, "1 0 inf 2  1 0 10 1", false, Kind::Error,
                    CountMessage.c_str()},
        HostileCase{"MeshNodeBeyondDouble", Reader::Mesh, "1 0 100 2  1 0 1e999 1", false,
                    Kind::Error, CountMessage.c_str()},
        HostileCase{"MeshHexNode", Reader::Mesh, "1 0 0x10 2  1 0 10 1", false, Kind::Error,
                    CountMessage.c_str()},
        HostileCase{"MeshMinusZeroNode", Reader::Mesh, "1 -0 100 2  1 -0 10 1", true, Kind::Error,
                    nullptr},
        // Finite nodes whose distance overflows: the axis has no finite extent.
        HostileCase{"MeshExtentBeyondDouble", Reader::Mesh, "2 -1e308 0 1 1e308 1  1 0 10 1", false,
                    Kind::Error, "Error: Invalid mesh."},
        HostileCase{"MeshNodeOverflowsToInfinity", Reader::Mesh,
                    "2 -1.7e308 -1e308 1 1.7e308 1  1 0 10 1", false, Kind::Error,
                    "Error: Invalid mesh."},
        HostileCase{"ConvergenceNanMisfit", Reader::Convergence, "1\n0 nan 1\n1 2 2\n", false,
                    Kind::Error, nullptr},
        HostileCase{"ConvergenceHugeNorm", Reader::Convergence, "1\n0 1 1e999\n1 2 2\n", false,
                    Kind::Error, nullptr},
        HostileCase{"ConvergenceHexCount", Reader::Convergence, "0x10\n0 1 1\n1 2 2\n", false,
                    Kind::Error, nullptr},
        HostileCase{"WeightNan", Reader::Weights, "3 2 1 1 1 1 1 nan", false, Kind::Error,
                    WeightValue},
        HostileCase{"WeightInf", Reader::Weights, "3 2 1 1 1 1 1 1 inf", false, Kind::Error,
                    WeightValue},
        HostileCase{"DoiNan", Reader::Doi, "3 2 1 1 nan 1 1 1", false, Kind::Warning, DoiValue},
        HostileCase{"DoiBeyondFloat", Reader::Sensitivity, "3 2 1 1 1e999 1 1 1", false,
                    Kind::Warning, DoiValue}),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Binary, HostileInputTest,
    ::testing::Values(
        HostileCase{"Model", Reader::Model, BinaryBytes, false, Kind::Error, ModelCounts},
        HostileCase{"Mesh", Reader::Mesh, BinaryBytes, false, Kind::Error, CountMessage.c_str()},
        HostileCase{"Convergence", Reader::Convergence, BinaryBytes, false, Kind::Error, nullptr},
        HostileCase{"Weights", Reader::Weights, BinaryBytes, false, Kind::Warning, WeightHeader},
        HostileCase{"Doi", Reader::Doi, BinaryBytes, false, Kind::Warning, DoiHeader},
        HostileCase{"ModelValues", Reader::Chargeability, "2 1 1 " + BinaryBytes, false,
                    Kind::Error, ModelValue}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(HostileLineSkip, HundredCharacterSkipMayRunIntoTheEndOfTheFile) {
    TestFolder folder;
    ConvergenceHistory history;
    RecordingMessages messages;
    // The count's line runs on past 100 characters to the end: no row is left to read.
    const std::string countOnly = folder.write("a.out", "1" + std::string(150, ' '));
    EXPECT_EQ(ReadConvergence({}, countOnly, std::nullopt, history, messages), ReadResult::Failed);
    // The last row's remainder is longer than the skip and has no line break: the table
    // is complete and what is left is no target.
    const std::string lastRow =
        folder.write("b.out", "1\n0 100 10\n1 10 5 " + std::string(150, 'x'));
    EXPECT_EQ(ReadConvergence({}, lastRow, std::nullopt, history, messages), ReadResult::Ok);
    EXPECT_EQ(history.misfit.size(), 2u);
    EXPECT_FALSE(history.hasTarget);
    // A skip that ends exactly at the end of the file.
    const std::string exact = folder.write("c.out", "1\n0 100 10\n1 10 5" + std::string(99, ' '));
    EXPECT_EQ(ReadConvergence({}, exact, std::nullopt, history, messages), ReadResult::Ok);
    EXPECT_TRUE(messages.entries.empty());
}

// A folder where a file belongs is a file that is not there: each reader gives its own
// not-found message with the name, not a complaint about what it (did not) read. The
// model reader's case is with its own tests.
TEST(HostileFiles, FolderGivenForAFileIsNotFound) {
    TestFolder folder;
    const std::string name = folder.path().string();
    const std::pair<Reader, std::string> cases[] = {
        {Reader::Mesh, "Mesh file not found: "},
        {Reader::Convergence, "Output file not found: "},
        {Reader::Weights, "Weight file not found: "},
        {Reader::XWeights, "X weight file not found: "},
        {Reader::Doi, "DOI file not found: "},
    };
    for (const auto& [reader, message] : cases) {
        const Outcome out = RunReader(reader, name, folder);
        EXPECT_FALSE(out.ok);
        ASSERT_EQ(out.messages.size(), 1u) << message;
        EXPECT_EQ(out.messages[0].text, message + name);
    }
    // At start-up a folder as the model, the mesh or the "/conv" file ends the program.
    folder.write("grid.msh", "1 0 100 2\n1 0 50 1\n");
    folder.write("run.con", "2 1 0.1 0.2\n");
    std::filesystem::create_directory(folder.at("ohmsolv.out"));
    for (const std::vector<std::string>& args : {std::vector<std::string>{name, "run.con"},
                                                 {"grid.msh", name},
                                                 {"grid.msh", "run.con", "/conv"}}) {
        RecordingMessages messages;
        CTest1Doc doc(messages, name);
        EXPECT_FALSE(doc.ApplyCommandLine(args));
        ASSERT_EQ(messages.entries.size(), 1u);
        EXPECT_NE(messages.entries[0].text.find(" file not found: "), std::string::npos)
            << messages.entries[0].text;
    }
}

TEST(HostileFiles, UnreadableFileIsNotFound) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: file permissions do not stop reading";
    TestFolder folder;
    const std::string name = folder.write("locked.con", "1 1 0.5");
    ASSERT_EQ(::chmod(name.c_str(), 0), 0);
    MeshGrid mesh;
    CellModel model;
    RecordingMessages messages;
    EXPECT_EQ(ReadModel({}, name, Conductivity, mesh, model, messages), ReadResult::NotFound);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, "Model file not found: " + name);
    const Outcome weights = RunReader(Reader::Weights, name, folder);
    ASSERT_EQ(weights.messages.size(), 1u);
    EXPECT_EQ(weights.messages[0].text, "Weight file not found: " + name);
}

// A path of PATH_MAX - 1 characters still opens; one longer than the platform takes
// cannot, and says so with the name.
TEST(HostileFiles, PathsAtAndBeyondThePlatformLimit) {
    TestFolder folder;
    std::string path = folder.path().string();
    while (path.size() + 1 + 200 < 4095)
        path += "/" + std::string(200, 'd');
    const std::size_t last = 4095 - path.size() - 1;
    ASSERT_GT(last, 0u);
    fs::create_directories(path);
    // Appended in two steps: GCC 12 at -O3 warns falsely about the concatenated form.
    path.push_back('/');
    path.append(last, 'm');
    ASSERT_EQ(path.size(), 4095u);
    {
        std::FILE* file = std::fopen(path.c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs("1 1 0.5", file);
        std::fclose(file);
    }
    MeshGrid mesh;
    CellModel model;
    RecordingMessages messages;
    EXPECT_EQ(ReadModel({}, path, Conductivity, mesh, model, messages), ReadResult::Ok);

    const std::string tooLong = path + "x";
    mesh = MeshGrid{};
    EXPECT_EQ(ReadModel({}, tooLong, Conductivity, mesh, model, messages), ReadResult::NotFound);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, "Model file not found: " + tooLong);

    // Open with such a name fails like any other file that cannot be opened.
    messages.entries.clear();
    CTest1Doc doc(messages, folder.path().string());
    EXPECT_FALSE(doc.LoadFiles(tooLong, tooLong, "", Conductivity));
    EXPECT_FALSE(doc.loaded);
    EXPECT_EQ(messages.entries.size(), 1u);
}

class HostileDocumentTest : public ::testing::Test {
protected:
    // True unless the start-up load failed and the program would end with status -1.
    bool start(const std::vector<std::string>& args) { return doc.ApplyCommandLine(args); }

    TestFolder folder;
    RecordingMessages messages;
    CTest1Doc doc{messages, folder.path().string()};
};

TEST_F(HostileDocumentTest, StartUpNamesAreLimitedToThePlatformsPathLength) {
    // 4095 characters pass the length check and are then simply not found...
    EXPECT_FALSE(start({std::string(4095, 'a'), "m.con"}));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text.rfind("Model file not found: ", 0), 0u);
    // ...while 4096 are refused before any read.
    messages.entries.clear();
    EXPECT_FALSE(start({"grid.msh", std::string(4096, 'b')}));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text.rfind("File name is too long", 0), 0u);
}

TEST_F(HostileDocumentTest, SameFileAsMeshAndModelIsRefusedAsAMesh) {
    const std::string model = folder.write("m.con", "4 2\n0.01 0.02 0.03 0.04\n0.1 0.2 0.3 0.4\n");
    EXPECT_FALSE(start({model, model}));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0], (RecordingMessages::Entry{Kind::Error, CountMessage}));

    messages.entries.clear();
    CTest1Doc other(messages, folder.path().string());
    EXPECT_FALSE(other.LoadFiles(model, model, "", Conductivity));
    EXPECT_FALSE(other.loaded);
    EXPECT_EQ(other.mesh.nx, 0);
    EXPECT_EQ(messages.entries.size(), 1u);
}

TEST_F(HostileDocumentTest, OneCellModelLoadsAndItsFeaturesAnswerSensibly) {
    folder.write("one.msh", "1 0 10 1\n1 0 5 1\n");
    folder.write("one.con", "1 1\n0.01\n");
    ASSERT_TRUE(start({"one.msh", "one.con"}));
    ASSERT_TRUE(doc.loaded);
    EXPECT_EQ(doc.model.valueMin, doc.model.valueMax);

    // One cell has no inner faces: the single file holds only the cell weight...
    CellWeights weights;
    EXPECT_TRUE(ReadWeightFile(1, 1, {}, folder.write("w.wts", "1 1 2"), weights, messages));
    EXPECT_TRUE(weights.xWeights.empty());
    EXPECT_TRUE(weights.zWeights.empty());
    // ...and separate files have nothing to give.
    EXPECT_FALSE(ReadSeparateWeightFiles(1, 1, {}, folder.write("x.wts", "0 1"),
                                         folder.write("z.wts", "1 0"), weights, messages));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text.rfind("Number of cells in the X weight file", 0), 0u);

    // One sensitivity cannot be normalised; a second recovered model can be compared.
    DoiIndex index;
    messages.entries.clear();
    EXPECT_FALSE(
        ComputeDoi(doc, folder.write("s.txt", "1 1 0.5"), DoiMethod::Sensitivity, index, messages));
    EXPECT_EQ(messages.entries.size(), 1u);
    EXPECT_TRUE(ComputeDoi(doc, folder.write("r.txt", "1 1 0.001"), DoiMethod::RecoveredModel,
                           index, messages));
    EXPECT_FLOAT_EQ(index.values[0][0], 1.0f); // (-2 - -3) / (-2 - -3)
}
} // namespace
