#pragma once

#include "document/CellModel.h"
#include "document/CellWeights.h"
#include "document/CommandLine.h"
#include "document/ConvergenceHistory.h"
#include "document/LoadJob.h"
#include "document/MeshGrid.h"
#include "document/ModelKind.h"
#include "document/ReadResult.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class Messages;

// The one document: owns every piece of loaded data, the names of the files it came
// from and the flags that say what is loaded. Views read its members directly.
//
// Relative file names are taken from the document's folder: the folder of the last
// model read, or, before any, the launch folder the program hands in. The process's
// working directory is never consulted nor changed.
class CTest1Doc {
public:
    // launchFolder: the absolute folder the program was started in.
    CTest1Doc(Messages& messages, std::string launchFolder);
    ~CTest1Doc();
    CTest1Doc(const CTest1Doc&) = delete;
    CTest1Doc& operator=(const CTest1Doc&) = delete;

    // Parses the arguments (already stripped of the toolkit's own) and, when they
    // name a mesh and a model, loads them. False when that start-up load failed (a
    // name too long, the model or the mesh unreadable, or the "/conv" file not found)
    // after its one message: the program then ends with status -1 before any window.
    [[nodiscard]] bool ApplyCommandLine(const std::vector<std::string>& args);
    // The same in steps, so that the files can be read on another thread (RunLoad)
    // while the window is built: takes the arguments and, when they name the files,
    // gives the load's request; false (after its message) when a name is too long.
    // ApplyLoad then ends the start-up with ApplyCommandLine's outcome.
    [[nodiscard]] bool TakeCommandLine(const std::vector<std::string>& args,
                                       std::optional<LoadRequest>& request);

    // Each reads the file named by its member (a relative name taken from folder())
    // and shows its own messages. NotFound leaves it to the caller whether that is
    // the end of the program.
    ReadResult ReadModelFile();
    ReadResult ReadMeshFile();
    ReadResult ReadConvergenceFile();

    // Empties the model values, nodes and history arrays and zeroes the counts.
    void ClearData();
    // After a successful model read: the title becomes the model's absolute name, and
    // the document's folder moves to the model file's folder (kept when the name has
    // no folder part or the folder cannot be entered).
    void RecordModelPath();

    // Where relative names are taken from: absolute; once a model has moved it, the
    // physical path (links and ".." resolved), as entering the folder would give.
    const std::string& folder() const { return folder_; }

    Messages& messages() const { return messages_; }

    // "Open ..." once the load dialog has ended with OK: takes its four settings, drops
    // the data and the weights, then reads the convergence file, the model and the
    // mesh. Names are made absolute against the document's folder of this moment, so
    // they keep their meaning when the model read moves it. A file that cannot be
    // opened fails the load like any other bad read. True when everything was read and
    // the views were told to update.
    bool LoadFiles(const std::string& meshName, const std::string& modelName,
                   const std::string& outputName, ModelKind kind);
    // "Reload": the model again, with the loaded cell counts, and the convergence file
    // if one is loaded; the mesh and the weights stay. True when the views were told
    // to update. A model that cannot be read leaves the data as they were and still
    // loaded; a model for another mesh leaves the document not loaded. Does nothing
    // unless loaded.
    bool OnReload();

    // The same two loads in steps, so that the files can be read on another thread
    // while the document stays as it is (RunLoad in LoadJob.h): the request copies what
    // the reads need, ApplyLoad shows the reads' messages and then leaves the document
    // as LoadFiles or OnReload would have, with the same return value. A Reload
    // request is only made while loaded. A Follow result (a Reload request with its
    // kind set to Follow) is applied as a Reload, but shows no message unless the
    // model is for another mesh, keeps the history when only the convergence file
    // failed, and tells the views with followedUpdate set.
    LoadRequest OpenRequest(const std::string& meshName, const std::string& modelName,
                            const std::string& outputName, ModelKind kind) const;
    LoadRequest ReloadRequest() const;
    bool ApplyLoad(LoadResult&& result);

    // "mesh stat ...": the mesh summary in an information message. Needs loaded data.
    void OnMeshStatistics() const;

    // Views register here and are told after every load that changed the data.
    void AddUpdateListener(std::function<void()> listener);
    void UpdateAllViews();

    ModelKind modelKind = Conductivity;
    CellModel model;
    MeshGrid mesh;
    bool loaded = false;
    std::int32_t argPadLeft = -1;
    std::int32_t argPadRight = -1;
    std::int32_t argPadBottom = -1;
    bool convergenceLoaded = false;
    ConvergenceHistory history;
    std::string modelFileName;
    std::string meshFileName;
    bool weightsLoaded = false;
    CellWeights weights;
    std::string outputFileName;

    // The absolute name of the model file, shown in the window title; empty when none.
    std::string title;
    // The command line's text after "/chi=", looked up at every convergence read.
    std::optional<std::string> chiText;
    // "/follow" was given: the files are followed from the start.
    bool argFollow = false;
    // Set while the views are told of a followed file's new values: they keep what the
    // user set up (display settings, zoom, a typed range) instead of starting afresh.
    bool followedUpdate = false;

private:
    void ShowMessages(const std::vector<RecordingMessages::Entry>& entries);
    // A load of the files the document names now, as Startup and Reload read them.
    LoadRequest LoadOfNamedFiles(LoadRequest::Kind kind) const;

    Messages& messages_;
    std::string folder_;
    std::vector<std::function<void()>> updateListeners_;
};
