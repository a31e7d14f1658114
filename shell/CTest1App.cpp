#include "shell/CTest1App.h"

#include "convergence/ConvergencePlot.h"
#include "dialogs/CAboutDlg.h"
#include "document/CTest1Doc.h"
#include "document/CommandLine.h"
#include "document/LaunchArguments.h"
#include "document/LoadJob.h"
#include "document/Messages.h"
#include "document/TextFile.h"
#include "plot/CTest1View.h"
#include "shell/CMainFrame.h"
#include "shell/DocumentCommands.h"
#include "shell/FileFollower.h"
#include "shell/ReadoutController.h"
#include "shell/ViewCommands.h"

#include <optional>
#include <thread>

CTest1App::CTest1App(Messages& messages) : messages_(messages) {}

CTest1App::~CTest1App() {
    // The view lives inside the frame; its command helpers must go first.
    follower_.reset();
    viewCommands_.reset();
    frame_.reset();
}

std::string CTest1App::FirstFileArgument(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (!IsSwitchArgument(arg))
            return arg;
    }
    return {};
}

void CTest1App::SetDialogRunner(DialogRunner runner) {
    runDialog_ = runner;
    if (documentCommands_)
        documentCommands_->SetDialogRunner(runner);
    if (viewCommands_)
        viewCommands_->SetDialogRunner(std::move(runner));
}

bool CTest1App::InitInstance(const std::vector<std::string>& given,
                             const std::string& launchFolder) {
    // Two files chosen in a file manager may come model first; taken the right way round.
    const std::vector<std::string> args = FileManagerOrder(given, launchFolder);
    // The framework's file, like the document's names, is taken from the launch folder.
    std::string file = FirstFileArgument(args);
    if (!file.empty())
        file = ResolveAgainst(launchFolder, file);

    document_ = std::make_unique<CTest1Doc>(messages_, launchFolder);
    std::optional<LoadRequest> startup;
    if (!document_->TakeCommandLine(args, startup))
        return false;
    // The command line's files are read on another thread while the frame is built:
    // the document is not touched until the read has ended, and the frame is shown
    // only after that. A failed start-up load says why and no window is shown.
    LoadResult read;
    bool built = false;
    {
        std::jthread reader;
        if (startup)
            reader = std::jthread([&] { read = RunLoad(std::move(*startup)); });
        frame_ = std::make_unique<CMainFrame>(*document_);
        built = frame_->Create();
    }
    if (startup && !document_->ApplyLoad(std::move(read))) {
        frame_.reset();
        return false;
    }
    if (!built) {
        messages_.warning("Failed to create empty document.");
        return false;
    }
    view_ = new CTest1View(*document_, ConvergenceLayer(), frame_.get());
    frame_->SetView(view_);
    viewCommands_ = std::make_unique<ViewCommands>(*view_, messages_);
    viewCommands_->SetDialogRunner(runDialog_);
    documentCommands_ = std::make_unique<DocumentCommands>(*document_, frame_.get());
    documentCommands_->SetDialogRunner(runDialog_);
    BackgroundLoad& loads = documentCommands_->loads();
    follower_ = std::make_unique<FileFollower>(*document_, *view_, *viewCommands_, loads);
    const auto afterLoad = [this] {
        follower_->retarget();
        frame_->UpdateTitle();
        view_->update();
        frame_->RefreshCommandStates();
    };
    documentCommands_->SetAfterLoad(afterLoad);
    QObject::connect(follower_.get(), &FileFollower::loaded, frame_.get(), afterLoad);
    QObject::connect(follower_.get(), &FileFollower::idleTextChanged, frame_.get(),
                     &CMainFrame::SetIdleText);
    loads.setSynchronous(!loadsInBackground_);
    QObject::connect(&loads, &BackgroundLoad::progressed, frame_.get(),
                     &CMainFrame::ShowLoadProgress);
    QObject::connect(&loads, &BackgroundLoad::finished, frame_.get(),
                     &CMainFrame::HideLoadProgress);
    frame_->SetCommandContext({.view = *view_,
                               .viewCommands = *viewCommands_,
                               .document = *document_,
                               .documentCommands = *documentCommands_,
                               .frame = *frame_,
                               .app = *this});
    new ReadoutController(*view_, *frame_);
    view_->setHideScaleButtonsHandler(
        [frame = frame_.get()](bool hide) { frame->HideScaleButtons(hide); });
    // The wheel and drags zoom outside the command route; the zoom items follow.
    view_->setWindowChangedHandler([frame = frame_.get()] { frame->RefreshCommandStates(); });
    document_->AddUpdateListener([this] {
        view_->OnUpdate();
        frame_->UpdateTitle();
        frame_->RefreshCommandStates();
    });

    if (!file.empty()) {
        // Opened as the document's file: nothing is read from it.
        const std::string error = OpenForReadingError(file);
        if (!error.empty()) {
            messages_.warning(error);
            return false;
        }
        // Only a model names the document; a lone file or switches leave it "Untitled".
        if (!document_->modelFileName.empty())
            document_->RecordModelPath();
    }
    frame_->UpdateTitle();
    frame_->ApplyInitialSize();
    frame_->show();
    view_->OnUpdate();
    if (document_->argFollow)
        follower_->setOn(true);
    frame_->RefreshCommandStates();
    return true;
}

void CTest1App::SetLoadsInBackground(bool background) {
    loadsInBackground_ = background;
    if (documentCommands_)
        documentCommands_->loads().setSynchronous(!background);
}

void CTest1App::WaitForLoad() {
    if (documentCommands_)
        documentCommands_->loads().wait();
}

BackgroundLoad& CTest1App::loads() {
    return documentCommands_->loads();
}

void CTest1App::OnAppAbout() {
    CAboutDlg about(frame_.get());
    runDialog_(about);
}
