#pragma once

#include "dialogs/DialogRunner.h"
#include "shell/BackgroundLoad.h"

#include <functional>
#include <string>

class CTest1Doc;
class QWidget;
struct LoadRequest;

// The document's commands that run a dialog or report a load: Open, Reload and the
// weights load.
class DocumentCommands {
public:
    explicit DocumentCommands(CTest1Doc& document, QWidget* dialogParent = nullptr)
        : document_(document), dialogParent_(dialogParent) {}

    // Replaces how the load dialog is run (tests answer it).
    void SetDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }
    // Runs after every Open that got past its dialog and every Reload, whether the
    // files read or not: a model read can retitle the document although the mesh
    // then fails, and a failed load must not leave the old picture on screen.
    void SetAfterLoad(std::function<void()> afterLoad) { afterLoad_ = std::move(afterLoad); }

    // "Open ...": the load dialog filled from the document, then the reads on OK.
    // Open and Reload read their files on a worker thread (see loads()) under the wait
    // cursor; the document keeps its data until the reads have ended, then takes the
    // outcome and the after-load step runs. While one load runs, another is not begun.
    void OnOpenFiles();
    void OnReload();
    // "weights": the weight dialog, then the files it names read against the mesh.
    void OnLoadWeights();

    // The loads of Open and Reload: the frame shows their progress, tests make them
    // synchronous.
    BackgroundLoad& loads() { return loads_; }

private:
    void load(LoadRequest request);

    CTest1Doc& document_;
    QWidget* dialogParent_;
    DialogRunner runDialog_ = DefaultDialogRunner();
    std::function<void()> afterLoad_;
    // The last names and mode accepted in the weight dialog, kept for the rest of the run.
    std::string weightFileName_;
    std::string xWeightFileName_;
    std::string zWeightFileName_;
    int weightFileMode_ = 0;
    BackgroundLoad loads_;
};
