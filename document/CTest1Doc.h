#pragma once

#include "document/CellModel.h"
#include "document/CellWeights.h"
#include "document/CommandLine.h"
#include "document/ConvergenceHistory.h"
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
class CTest1Doc {
public:
    explicit CTest1Doc(Messages& messages);
    ~CTest1Doc();
    CTest1Doc(const CTest1Doc&) = delete;
    CTest1Doc& operator=(const CTest1Doc&) = delete;

    // Parses the arguments (already stripped of the toolkit's own) and, when they
    // name a mesh and a model, loads them. A failed start-up read ends the process
    // with status -1 after the reader's message.
    void ApplyCommandLine(const std::vector<std::string>& args);

    // Each reads the file named by its member and shows its own messages. NotFound
    // leaves the decision whether to end the process to the caller.
    ReadResult ReadModelFile();
    ReadResult ReadMeshFile();
    ReadResult ReadConvergenceFile();

    // Empties the model values, nodes and history arrays and zeroes the counts.
    void ClearData();
    // After a successful model read: title after the model file, and the working
    // directory moved into the model file's folder.
    void RecordModelPath();

    Messages& messages() const { return messages_; }

    // "Open ..." once the load dialog has ended with OK: takes its four settings, drops
    // the data and the weights, then reads the convergence file, the model and the
    // mesh. Names are made absolute against the working directory of this moment, so
    // later reads find them wherever a model read has moved it. A file that cannot be
    // opened fails the load like any other bad read. True when everything was read and
    // the views were told to update.
    bool LoadFiles(const std::string& meshName, const std::string& modelName,
                   const std::string& outputName, ModelKind kind);
    // "Reload": the model again, with the loaded cell counts, and the convergence file
    // if one is loaded; the mesh and the weights stay. True when the views were told
    // to update; otherwise the document is left not loaded. Does nothing unless loaded.
    bool OnReload();

    // "mesh stat ...": the mesh summary in an information message. Needs loaded data.
    void OnMeshStatistics();

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

private:
    Messages& messages_;
    std::vector<std::function<void()>> updateListeners_;
};
