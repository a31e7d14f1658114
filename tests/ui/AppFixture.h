#pragma once

#include "../core/TestFiles.h"

#include "document/CTest1Doc.h"
#include "document/RecordingMessages.h"
#include "plot/CTest1View.h"
#include "shell/CMainFrame.h"
#include "shell/CTest1App.h"

#include <QDialog>

class QToolButton;

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// A whole application on the offscreen platform, with recorded messages and dialogs
// answered by the test instead of a person.
class AppFixture : public ::testing::Test {
protected:
    // A 4 x 2 cell mesh 0..100 m across and 0..30 m deep.
    static constexpr const char* Mesh = "1 0 100 4\n1 0 30 2\n";

    void TearDown() override;

    // Starts the application with these arguments as if launched in the folder (the
    // test's folder unless given); false when start-up failed.
    bool start(const std::vector<std::string>& args, const std::string& launchFolder = {});
    // Starts it on a model file of the given kind written from `model`.
    void startWith(ModelKind kind, const std::string& model, bool convergence = false);

    CTest1Doc& doc() { return app->document(); }
    CMainFrame& frame() { return *app->frame(); }
    CTest1View& view() { return *app->view(); }
    bool enabled(int id) { return frame().IsEnabled(id); }
    bool checked(int id) { return frame().IsChecked(id); }
    // The command's toolbar button; nullptr while it has none on the toolbar.
    QToolButton* button(int id);
    // Buttons on the toolbar, gaps not counted: the eight of the display, then the
    // follow tile and the three zoom tiles.
    int visibleButtons();
    static constexpr int ZoomTiles = 3;
    static constexpr int FollowTile = 1;

    // Every dialog run goes through this; by default it is cancelled.
    std::function<int(QDialog&)> answer = [](QDialog&) { return int(QDialog::Rejected); };
    int dialogsRun = 0;

    TestFolder folder;
    RecordingMessages messages;
    std::unique_ptr<CTest1App> app;
};
