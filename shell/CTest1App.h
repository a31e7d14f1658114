#pragma once

#include "dialogs/DialogRunner.h"

#include <memory>
#include <string>
#include <vector>

class BackgroundLoad;
class CMainFrame;
class CTest1Doc;
class CTest1View;
class DocumentCommands;
class FileFollower;
class Messages;
class ViewCommands;

// The application: builds the document (which loads the command line's files), the
// main frame and the view, in that order, and wires the commands to them.
class CTest1App {
public:
    explicit CTest1App(Messages& messages);
    ~CTest1App();

    // The start-up sequence; false when start-up failed (after its message) and the
    // program must end with status -1. launchFolder is the absolute folder the program
    // was started in: names on the command line are taken from it. Exactly two files,
    // the model before the mesh, are read the other way round (FileManagerOrder).
    bool InitInstance(const std::vector<std::string>& args, const std::string& launchFolder);

    CTest1Doc& document() { return *document_; }
    CMainFrame* frame() { return frame_.get(); }
    CTest1View* view() { return view_; }

    ViewCommands& viewCommands() { return *viewCommands_; }
    // Replaces how every modal dialog of the commands is run (tests answer them).
    void SetDialogRunner(DialogRunner runner);

    // Open and Reload read on a worker thread (the default), or on the spot: tests that
    // look at the outcome right after the command turn the worker off.
    void SetLoadsInBackground(bool background);
    // Waits for a running Open or Reload and lets it end.
    void WaitForLoad();
    BackgroundLoad& loads();
    // "Follow file changes".
    FileFollower& follower() { return *follower_; }

    // "&About ...": the About box.
    void OnAppAbout();

    // The first argument that is not a switch, as the framework would open it.
    static std::string FirstFileArgument(const std::vector<std::string>& args);

private:
    Messages& messages_;
    std::unique_ptr<CTest1Doc> document_;
    std::unique_ptr<DocumentCommands> documentCommands_;
    std::unique_ptr<CMainFrame> frame_;
    CTest1View* view_ = nullptr;
    std::unique_ptr<ViewCommands> viewCommands_;
    std::unique_ptr<FileFollower> follower_;
    DialogRunner runDialog_ = DefaultDialogRunner();
    bool loadsInBackground_ = true;
};
