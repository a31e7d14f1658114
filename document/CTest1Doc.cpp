#include "document/CTest1Doc.h"

#include "document/ConvergenceReader.h"
#include "document/MeshReader.h"
#include "document/MeshStatistics.h"
#include "document/Messages.h"
#include "document/ModelReader.h"
#include "document/ProcessExit.h"
#include "document/TextFile.h"

#include <unistd.h>

CTest1Doc::CTest1Doc(Messages& messages) : messages_(messages) {}

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
    title = MakeAbsolute(modelFileName);
    const std::string folder = FolderPart(modelFileName);
    // A folder that cannot be entered leaves the working directory as it is.
    if (!folder.empty() && ::chdir(folder.c_str()) != 0)
        return;
}

ReadResult CTest1Doc::ReadModelFile() {
    const ReadResult result = ReadModel(modelFileName, modelKind, mesh, model, messages_);
    if (result == ReadResult::Ok)
        RecordModelPath();
    return result;
}

ReadResult CTest1Doc::ReadMeshFile() {
    return ReadMesh(meshFileName, mesh, messages_);
}

ReadResult CTest1Doc::ReadConvergenceFile() {
    return ReadConvergence(outputFileName, chiText, history, messages_);
}

void CTest1Doc::ApplyCommandLine(const std::vector<std::string>& args) {
    if (args.empty())
        return;
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
        return;

    for (const std::string* name : {&line.meshName, &line.modelName}) {
        if (name->size() > MaxFileNameLength) {
            messages_.error("File name is too long (more than 4095 characters):\n" +
                            name->substr(0, 200) + "...");
            EndProcess(-1);
        }
    }
    // Names given by the user keep meaning what they meant in the launch directory,
    // although every model read moves the working directory.
    meshFileName = MakeAbsolute(line.meshName);
    modelFileName = MakeAbsolute(line.modelName);

    if (ReadModelFile() != ReadResult::Ok)
        EndProcess(-1);
    if (convergenceLoaded) {
        const ReadResult conv = ReadConvergenceFile();
        if (conv == ReadResult::NotFound)
            EndProcess(-1);
        if (conv != ReadResult::Ok)
            convergenceLoaded = false;
    }
    if (ReadMeshFile() != ReadResult::Ok)
        EndProcess(-1);
    loaded = true;
}

bool CTest1Doc::LoadFiles(const std::string& meshName, const std::string& modelName,
                          const std::string& outputName, ModelKind kind) {
    modelFileName = MakeAbsolute(modelName);
    meshFileName = MakeAbsolute(meshName);
    modelKind = kind;
    outputFileName = MakeAbsolute(outputName);

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

void CTest1Doc::OnMeshStatistics() {
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
