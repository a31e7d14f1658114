#pragma once

#include "document/CellModel.h"
#include "document/ConvergenceHistory.h"
#include "document/MeshGrid.h"
#include "document/ModelKind.h"
#include "document/ReadResult.h"
#include "document/RecordingMessages.h"
#include "document/TextScanner.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One load (the start-up's, Open's or Reload's) as a job that can run on any thread: the document
// hands out a request (what to read, copied from it), RunLoad reads the files into new objects and
// records the messages instead of showing them, and the document takes the result
// back on its own thread (CTest1Doc::ApplyLoad), where the messages are shown in the
// order the reads gave them and the data is replaced. The document is never touched
// while the files are read, so a window can keep drawing it.
struct LoadRequest {
    // Startup: the command line's files, before any window (a convergence file that is
    // not there ends the start-up). Follow: a Reload of files that changed on disk while
    // the viewer follows them; it shows no message of a failed read.
    enum class Kind { Startup, Open, Reload, Follow };
    Kind kind = Kind::Open;
    std::string folder; // the document's folder when the load started
    // Open: names already made absolute against that folder.
    std::string meshFileName;
    std::string modelFileName;
    std::string outputFileName;
    ModelKind modelKind = Conductivity;
    // Reload: the loaded counts, which the model file must have.
    std::int32_t nx = 0;
    std::int32_t nz = 0;
    // Startup and Reload: whether the convergence file is read (again).
    bool convergenceLoaded = false;
    std::optional<std::string> chiText;
    // The document's history, read into as the document itself would be.
    ConvergenceHistory history;
};

struct LoadResult {
    LoadRequest request;
    std::vector<RecordingMessages::Entry> messages;
    bool modelRead = false;          // the model file was read
    bool otherCounts = false;        // Reload: the model file is for another mesh
    bool complete = false;           // everything the load needs was read
    bool convergenceRead = false;    // the convergence file was read
    bool convergenceMissing = false; // Startup: it could not be opened
    std::string title;               // after the model was read: its absolute name
    std::string folder;              // after the model was read: the folder it moves to
    CellModel model;
    MeshGrid mesh; // Startup and Open: counts and nodes; Reload and Follow: unused
    ConvergenceHistory history;
};

// The reads of the job, with the readers' messages. `progress` (optional) counts the
// bytes read against the files' total size; a cancelled load stops early and fails.
LoadResult RunLoad(LoadRequest request, ReadProgress* progress = nullptr);

// Where a model file's successful read leaves the document: the title is its absolute
// name, and relative names are taken from its folder from now on (kept when the name
// has no folder part or the folder cannot be entered).
struct ModelPath {
    std::string title;
    std::string folder;
};
ModelPath ModelPathAfterRead(const std::string& folder, const std::string& modelFileName);
