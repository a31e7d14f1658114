#include "document/LoadJob.h"

#include "document/ConvergenceReader.h"
#include "document/MeshReader.h"
#include "document/ModelReader.h"
#include "document/TextFile.h"

#include <sys/stat.h>

namespace {
std::uint64_t FileSize(const std::string& folder, const std::string& name) {
    struct stat info {};
    const std::string path = ResolveAgainst(folder, name);
    if (name.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return 0;
    return static_cast<std::uint64_t>(info.st_size);
}
} // namespace

ModelPath ModelPathAfterRead(const std::string& folder, const std::string& modelFileName) {
    ModelPath path{ResolveAgainst(folder, modelFileName), folder};
    const std::string modelFolder = FolderPart(modelFileName);
    if (modelFolder.empty())
        return path;
    if (std::string entered = EnterableFolder(ResolveAgainst(folder, modelFolder));
        !entered.empty())
        path.folder = std::move(entered);
    return path;
}

LoadResult RunLoad(LoadRequest request, ReadProgress* progress) {
    LoadResult result;
    RecordingMessages messages;
    ReadOptions options;
    options.progress = progress;
    const LoadRequest& r = request;
    const bool open = r.kind == LoadRequest::Kind::Open;
    const bool reload = r.kind == LoadRequest::Kind::Reload || r.kind == LoadRequest::Kind::Follow;
    if (progress) {
        std::uint64_t total = FileSize(r.folder, r.modelFileName);
        if (!reload)
            total += FileSize(r.folder, r.meshFileName);
        if (open ? !r.outputFileName.empty() : r.convergenceLoaded)
            total += FileSize(r.folder, r.outputFileName);
        progress->bytesTotal = total;
    }
    result.history = r.history;
    result.folder = r.folder;

    // The order of the document's own reads: for Open the history first (optional: a
    // bad one is reported and the model is still read), then the model and the mesh;
    // at start-up the model, the history from the model's folder (one that is not there
    // ends the start-up) and the mesh; for Reload the model, then the history.
    if (open && !r.outputFileName.empty()) {
        result.convergenceRead =
            ReadConvergence(result.folder, r.outputFileName, r.chiText, result.history, messages,
                            options) == ReadResult::Ok;
        if (!result.convergenceRead)
            messages.warning("Error reading convergence file\n" + r.outputFileName);
    }
    result.mesh.nx = reload ? r.nx : 0;
    result.mesh.nz = reload ? r.nz : 0;
    const ReadResult modelResult = ReadModel(result.folder, r.modelFileName, r.modelKind,
                                             result.mesh, result.model, messages, options);
    result.modelRead = modelResult == ReadResult::Ok;
    result.otherCounts = modelResult == ReadResult::OtherCounts;
    if (result.modelRead) {
        ModelPath path = ModelPathAfterRead(result.folder, r.modelFileName);
        result.title = std::move(path.title);
        result.folder = std::move(path.folder);
        if (r.kind == LoadRequest::Kind::Startup && r.convergenceLoaded) {
            // Only a file that is not there ends the start-up; a bad one is not shown.
            const ReadResult history = ReadConvergence(result.folder, r.outputFileName, r.chiText,
                                                       result.history, messages, options);
            result.convergenceRead = history == ReadResult::Ok;
            result.convergenceMissing = history == ReadResult::NotFound;
        }
        if (!reload) {
            if (!result.convergenceMissing)
                result.complete = ReadMesh(result.folder, r.meshFileName, result.mesh, messages,
                                           options) == ReadResult::Ok;
        } else {
            result.complete = true;
            if (r.convergenceLoaded) {
                result.history.misfit.clear();
                result.history.modelNorm.clear();
                result.convergenceRead =
                    ReadConvergence(result.folder, r.outputFileName, r.chiText, result.history,
                                    messages, options) == ReadResult::Ok;
            }
        }
    }
    result.messages = std::move(messages.entries);
    result.request = std::move(request);
    return result;
}
