#include "document/CTest1Doc.h"

#include "document/ConvergenceReader.h"
#include "document/MeshReader.h"
#include "document/MeshStatistics.h"
#include "document/Messages.h"
#include "document/ModelReader.h"
#include "document/TextFile.h"

CTest1Doc::CTest1Doc(Messages& messages, std::string launchFolder)
    : messages_(messages), folder_(std::move(launchFolder)) {}

CTest1Doc::~CTest1Doc() {
    ClearData();
}

void CTest1Doc::ClearData() {
    for (auto& row : model.values)
        row.clear();
    model.values.clear();
    mesh.xNodes.clear();
    mesh.zNodes.clear();
    history.misfit.clear();
    history.modelNorm.clear();
    mesh.nx = 0;
    mesh.nz = 0;
}

void CTest1Doc::RecordModelPath() {
    title = ResolveAgainst(folder_, modelFileName);
    // From now on a relative name (the default convergence name among them) is found
    // beside the model. A folder that cannot be entered leaves the folder as it is.
    const std::string modelFolder = FolderPart(modelFileName);
    if (modelFolder.empty())
        return;
    if (std::string entered = EnterableFolder(ResolveAgainst(folder_, modelFolder));
        !entered.empty())
        folder_ = std::move(entered);
}

ReadResult CTest1Doc::ReadModelFile() {
    const ReadResult result = ReadModel(folder_, modelFileName, modelKind, mesh, model, messages_);
    if (result == ReadResult::Ok)
        RecordModelPath();
    return result;
}

ReadResult CTest1Doc::ReadMeshFile() {
    return ReadMesh(folder_, meshFileName, mesh, messages_);
}

ReadResult CTest1Doc::ReadConvergenceFile() {
    return ReadConvergence(folder_, outputFileName, chiText, history, messages_);
}

bool CTest1Doc::ApplyCommandLine(const std::vector<std::string>& args) {
    if (args.empty())
        return true;
    const CommandLine line = ParseCommandLine(args);
    if (line.ip)
        modelKind = Chargeability;
    convergenceLoaded = line.conv;
    if (line.conv)
        outputFileName = modelKind == Conductivity ? "ohmsolv.out" : "polsolv.out";
    argPadLeft = line.padLeft;
    argPadRight = line.padRight;
    argPadBottom = line.padBottom;
    chiText = line.chiText;
    if (!line.hasNames)
        return true;

    for (const std::string* name : {&line.meshName, &line.modelName}) {
        if (name->size() > MaxFileNameLength) {
            messages_.error("File name is too long (more than 4095 characters):\n" +
                            name->substr(0, 200) + "...");
            return false;
        }
    }
    // Names given by the user keep meaning what they meant in the launch folder,
    // although the model read moves the document's folder.
    meshFileName = ResolveAgainst(folder_, line.meshName);
    modelFileName = ResolveAgainst(folder_, line.modelName);

    if (ReadModelFile() != ReadResult::Ok)
        return false;
    if (convergenceLoaded) {
        // Only a file that is not there ends the start-up; a bad one is just not shown.
        const ReadResult conv = ReadConvergenceFile();
        if (conv != ReadResult::Ok)
            convergenceLoaded = false;
        if (conv == ReadResult::NotFound)
            return false;
    }
    if (ReadMeshFile() != ReadResult::Ok)
        return false;
    loaded = true;
    return true;
}

bool CTest1Doc::LoadFiles(const std::string& meshName, const std::string& modelName,
                          const std::string& outputName, ModelKind kind) {
    modelFileName = ResolveAgainst(folder_, modelName);
    meshFileName = ResolveAgainst(folder_, meshName);
    modelKind = kind;
    outputFileName = ResolveAgainst(folder_, outputName);

    loaded = false;
    ClearData();
    ClearWeights(weights);
    weightsLoaded = false;

    // The history is optional: a bad one is reported and the model is still read.
    convergenceLoaded = false;
    if (!outputFileName.empty()) {
        convergenceLoaded = ReadConvergenceFile() == ReadResult::Ok;
        if (!convergenceLoaded)
            messages_.warning("Error reading convergence file\n" + outputFileName);
    }
    if (ReadModelFile() != ReadResult::Ok || ReadMeshFile() != ReadResult::Ok) {
        ClearData();
        return false;
    }
    loaded = true;
    UpdateAllViews();
    return true;
}

bool CTest1Doc::OnReload() {
    // Without loaded data there is nothing to re-read against (the command is disabled).
    if (!loaded)
        return false;
    loaded = false;
    // The counts still in the mesh make a model for another mesh fail here.
    if (ReadModelFile() != ReadResult::Ok)
        return false;
    if (convergenceLoaded) {
        history.misfit.clear();
        history.modelNorm.clear();
        convergenceLoaded = ReadConvergenceFile() == ReadResult::Ok;
    }
    loaded = true;
    UpdateAllViews();
    return true;
}

void CTest1Doc::OnMeshStatistics() const {
    if (loaded)
        messages_.information(MeshStatisticsText(mesh));
}

void CTest1Doc::AddUpdateListener(std::function<void()> listener) {
    updateListeners_.push_back(std::move(listener));
}

void CTest1Doc::UpdateAllViews() {
    for (const auto& listener : updateListeners_)
        listener();
}
