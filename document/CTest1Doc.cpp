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
    model.values.clear();
    mesh.xNodes.clear();
    mesh.zNodes.clear();
    history.misfit.clear();
    history.modelNorm.clear();
    mesh.nx = 0;
    mesh.nz = 0;
}

void CTest1Doc::RecordModelPath() {
    // From now on a relative name (the default convergence name among them) is found
    // beside the model. A folder that cannot be entered leaves the folder as it is.
    ModelPath path = ModelPathAfterRead(folder_, modelFileName);
    title = std::move(path.title);
    folder_ = std::move(path.folder);
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
    std::optional<LoadRequest> request;
    if (!TakeCommandLine(args, request))
        return false;
    return !request || ApplyLoad(RunLoad(std::move(*request)));
}

bool CTest1Doc::TakeCommandLine(const std::vector<std::string>& args,
                                std::optional<LoadRequest>& request) {
    request.reset();
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
    argFollow = line.follow;
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

    request = LoadOfNamedFiles(LoadRequest::Kind::Startup);
    return true;
}

bool CTest1Doc::LoadFiles(const std::string& meshName, const std::string& modelName,
                          const std::string& outputName, ModelKind kind) {
    return ApplyLoad(RunLoad(OpenRequest(meshName, modelName, outputName, kind)));
}

bool CTest1Doc::OnReload() {
    // Without loaded data there is nothing to re-read against (the command is disabled).
    if (!loaded)
        return false;
    return ApplyLoad(RunLoad(ReloadRequest()));
}

LoadRequest CTest1Doc::OpenRequest(const std::string& meshName, const std::string& modelName,
                                   const std::string& outputName, ModelKind kind) const {
    LoadRequest request;
    request.kind = LoadRequest::Kind::Open;
    request.folder = folder_;
    // Absolute now, so that they keep their meaning when the model read moves the folder.
    request.meshFileName = ResolveAgainst(folder_, meshName);
    request.modelFileName = ResolveAgainst(folder_, modelName);
    request.outputFileName = ResolveAgainst(folder_, outputName);
    request.modelKind = kind;
    request.chiText = chiText;
    request.history = history;
    return request;
}

LoadRequest CTest1Doc::ReloadRequest() const {
    LoadRequest request = LoadOfNamedFiles(LoadRequest::Kind::Reload);
    // The counts still in the mesh make a model for another mesh fail.
    request.nx = mesh.nx;
    request.nz = mesh.nz;
    return request;
}

LoadRequest CTest1Doc::LoadOfNamedFiles(LoadRequest::Kind kind) const {
    LoadRequest request;
    request.kind = kind;
    request.folder = folder_;
    request.meshFileName = meshFileName;
    request.modelFileName = modelFileName;
    request.outputFileName = outputFileName;
    request.modelKind = modelKind;
    request.convergenceLoaded = convergenceLoaded;
    request.chiText = chiText;
    request.history = history;
    return request;
}

bool CTest1Doc::ApplyLoad(LoadResult&& result) {
    const LoadRequest& request = result.request;
    const bool open = request.kind == LoadRequest::Kind::Open;
    const bool startup = request.kind == LoadRequest::Kind::Startup;
    const bool follow = request.kind == LoadRequest::Kind::Follow;
    const bool reload = request.kind == LoadRequest::Kind::Reload || follow;
    if (open) {
        // Open drops the data and the weights whatever its outcome.
        modelFileName = request.modelFileName;
        meshFileName = request.meshFileName;
        modelKind = request.modelKind;
        outputFileName = request.outputFileName;
        ClearData();
        ClearWeights(weights);
        weightsLoaded = false;
        convergenceLoaded = result.convergenceRead;
    }
    // A re-read that could not read the model keeps the data shown, so the next try is
    // one key away; a model for another mesh leaves only Open to go on with.
    if (!(reload && loaded && !result.complete && !result.otherCounts))
        loaded = false;
    // A followed file is often caught half-written: such a read is not reported, only
    // the model for another mesh that ends the following.
    if (!follow || result.otherCounts)
        ShowMessages(result.messages);
    // A model that was read retitles the document although a later read failed.
    if (result.modelRead) {
        title = std::move(result.title);
        folder_ = std::move(result.folder);
    }
    // Open reads into the document's history before anything can fail.
    if (open)
        history = std::move(result.history);
    // At start-up a bad history is just not shown.
    if (startup && result.modelRead && convergenceLoaded)
        convergenceLoaded = result.convergenceRead;
    if (!result.complete) {
        if (open)
            ClearData();
        return false;
    }
    model = std::move(result.model);
    if (open || startup) {
        mesh = std::move(result.mesh);
        if (startup)
            history = std::move(result.history);
    } else if (convergenceLoaded && (result.convergenceRead || !follow)) {
        // While following, a convergence file caught mid-write keeps the history shown.
        history = std::move(result.history);
        convergenceLoaded = result.convergenceRead;
    }
    loaded = true;
    // At start-up nothing shows the document yet: its views are brought up to date as
    // they are made.
    if (!startup) {
        followedUpdate = follow;
        UpdateAllViews();
        followedUpdate = false;
    }
    return true;
}

void CTest1Doc::ShowMessages(const std::vector<RecordingMessages::Entry>& entries) {
    for (const RecordingMessages::Entry& entry : entries) {
        switch (entry.kind) {
        case RecordingMessages::Kind::Error:
            messages_.error(entry.text);
            break;
        case RecordingMessages::Kind::Warning:
            messages_.warning(entry.text);
            break;
        case RecordingMessages::Kind::Information:
            messages_.information(entry.text);
            break;
        case RecordingMessages::Kind::Question:
            messages_.askYesNo(entry.text);
            break;
        }
    }
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
