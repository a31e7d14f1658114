#include "AppFixture.h"

#include "dialogs/CAboutDlg.h"
#include "shell/CommandIds.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {
const char* const Conductivities = "4 2\n0.01 0.02 0.03 0.04\n0.1 0.2 0.3 1e-9\n";

// The menu titled `title` in the menu bar.
QMenu* menuNamed(CMainFrame& frame, const QString& title) {
    for (QAction* entry : frame.menuBar()->actions()) {
        if (entry->text() == title)
            return entry->menu();
    }
    return nullptr;
}

// What a menu shows right of the label: the text after a tab, or else Qt's name of
// the action's key.
QString shownShortcut(const QAction* action) {
    const QString text = action->text();
    return text.contains('\t') ? text.section('\t', 1)
                               : action->shortcut().toString(QKeySequence::NativeText);
}

class ShellTest : public AppFixture {};

TEST_F(ShellTest, TitleNamesTheModelFileOrUntitled) {
    ASSERT_TRUE(start({}));
    EXPECT_EQ(frame().windowTitle(), "Untitled - KORVEX Model Viewer");
    app.reset();

    // One file alone, or switches alone, must not title the window after anything.
    folder.write("lone.msh", Mesh);
    ASSERT_TRUE(start({"lone.msh", "/conv"}));
    EXPECT_EQ(frame().windowTitle(), "Untitled - KORVEX Model Viewer");
    app.reset();

    folder.write("grid.msh", Mesh);
    folder.write("sub/m [*].con", Conductivities);
    ASSERT_TRUE(start({"grid.msh", "sub/m [*].con"}));
    EXPECT_EQ(frame().windowTitle(),
              QString::fromStdString(folder.at("sub/m [*][*].con")) + " - KORVEX Model Viewer");
}

TEST_F(ShellTest, TwoFilesFromAFileManagerMayComeModelFirst) {
    folder.write("grid.msh", Mesh);
    folder.write("m.con", Conductivities);
    ASSERT_TRUE(start({"m.con", "grid.msh"}));
    EXPECT_TRUE(doc().loaded);
    EXPECT_EQ(doc().title, folder.at("m.con"));
}

TEST_F(ShellTest, FirstArgumentThatCannotBeOpenedEndsStartUp) {
    EXPECT_FALSE(start({"absent.msh"}));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, folder.at("absent.msh") + " was not found.");
    app.reset();
    messages.entries.clear();
    EXPECT_FALSE(start({"nofolder/absent.msh"}));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text,
              folder.at("nofolder/absent.msh") + " contains an incorrect path.");
}

TEST_F(ShellTest, FailedStartUpLoadEndsStartUpBeforeAnyWindow) {
    folder.write("grid.msh", Mesh);
    EXPECT_FALSE(start({"grid.msh", "missing.con"}));
    EXPECT_EQ(messages.entries, (std::vector<RecordingMessages::Entry>{
                                    {RecordingMessages::Kind::Error,
                                     "Model file not found: " + folder.at("missing.con")}}));
    EXPECT_EQ(app->frame(), nullptr);
}

TEST_F(ShellTest, WindowSizeIsLimitedByTheScreen) {
    EXPECT_EQ(CMainFrame::InitialSize({800, 600}), QSize(640, 480));
    EXPECT_EQ(CMainFrame::InitialSize({1920, 1080}), QSize(770, 550));
    EXPECT_EQ(CMainFrame::InitialSize({1000, 600}), QSize(770, 480));
}

TEST_F(ShellTest, ScaleButtonsHideForChargeabilityAndReturnToTheirPlaces) {
    startWith(Conductivity, Conductivities);
    const QList<QAction*> allButtons = frame().toolBar()->actions();
    const auto load = [this](ModelKind kind, const char* model) {
        doc().modelKind = kind;
        folder.write("model.txt", model);
        ASSERT_EQ(doc().ReadModelFile(), ReadResult::Ok);
        doc().UpdateAllViews();
    };
    load(Chargeability, "4 2 1 2 3 4 5 6 7 8");
    EXPECT_EQ(visibleButtons(), 6 + FollowTile + ZoomTiles);
    EXPECT_EQ(button(ID_LOG10), nullptr);
    // The menu items stay.
    for (int id : {ID_LOG10, ID_COND_RES}) {
        EXPECT_TRUE(frame().action(id)->isVisible());
        EXPECT_TRUE(menuNamed(frame(), "&View")->actions().contains(frame().action(id)));
    }
    load(Conductivity, Conductivities);
    EXPECT_EQ(frame().toolBar()->actions(), allButtons);
}

TEST_F(ShellTest, StatusPaneShowsPromptsAndTheIdleText) {
    ASSERT_TRUE(start({}));
    EXPECT_EQ(frame().StatusText(), " Norhaven");
    QStatusTipEvent prompt(frame().action(ID_MESH)->statusTip());
    QCoreApplication::sendEvent(&frame(), &prompt);
    EXPECT_EQ(frame().StatusText(), "Draw the mesh on top of the model");
    // The font items have no prompt: the pane goes blank rather than idle.
    QStatusTipEvent font(frame().action(ID_FONT_DECREASE)->statusTip());
    QCoreApplication::sendEvent(&frame(), &font);
    EXPECT_EQ(frame().StatusText(), "");
    QStatusTipEvent leave{QString()};
    QCoreApplication::sendEvent(&frame(), &leave);
    EXPECT_EQ(frame().StatusText(), " Norhaven");
}

TEST_F(ShellTest, MenusShowTheirOwnShortcutTexts) {
    ASSERT_TRUE(start({}));
    EXPECT_EQ(shownShortcut(frame().action(ID_RELOAD)), "r");
    EXPECT_EQ(shownShortcut(frame().action(ID_FONT_DECREASE)), "[Alt]-1");
    // Copy and Open have keys but show none.
    for (int id : {ID_EDIT_COPY, ID_OPEN_FILES}) {
        EXPECT_FALSE(frame().action(id)->shortcut().isEmpty());
        EXPECT_EQ(shownShortcut(frame().action(id)), "");
    }
    EXPECT_EQ(button(ID_RELOAD)->toolTip(), "Reload (r)");
}

class AcceleratorTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        startWith(Conductivity, Conductivities, true);
        frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&view(), key, modifiers);
    }
};

TEST_F(AcceleratorTest, LettersWithoutModifiersToggleMeshAndCurves) {
    press(Qt::Key_M);
    EXPECT_TRUE(view().state().settings.showMesh);
    press(Qt::Key_C);
    EXPECT_TRUE(view().state().settings.showConvergence);
    press(Qt::Key_M);
    EXPECT_FALSE(view().state().settings.showMesh);
    EXPECT_FALSE(button(ID_MESH)->isChecked());
}

TEST_F(AcceleratorTest, MenuItemButtonAndKeyAreOneActionThatFollowsItsRule) {
    QAction* mesh = frame().action(ID_MESH);
    EXPECT_TRUE(menuNamed(frame(), "&View")->actions().contains(mesh));
    EXPECT_EQ(button(ID_MESH)->defaultAction(), mesh);
    QSignalSpy triggered(mesh, &QAction::triggered);
    press(Qt::Key_M);
    EXPECT_EQ(triggered.count(), 1);
    // Without data the item, the button and the key are all off.
    doc().loaded = false;
    doc().UpdateAllViews();
    EXPECT_FALSE(mesh->isEnabled());
    EXPECT_FALSE(button(ID_MESH)->isEnabled());
    press(Qt::Key_M);
    EXPECT_EQ(triggered.count(), 1);
    EXPECT_TRUE(view().state().settings.showMesh);
}

TEST_F(AcceleratorTest, AltDigitsStepTheFont) {
    press(Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(view().state().settings.fontHeight, 380);
    press(Qt::Key_2, Qt::AltModifier);
    press(Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(view().state().settings.fontHeight, 420);
}

TEST_F(AcceleratorTest, BothCopyKeysPutThePageOnTheClipboard) {
    for (auto key : {Qt::Key_C, Qt::Key_Insert}) {
        QGuiApplication::clipboard()->clear();
        press(key, Qt::ControlModifier);
        const QImage image = QGuiApplication::clipboard()->image();
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), view().pageImage().size());
    }
}

TEST_F(ShellTest, AboutBoxTextIsReadOnly) {
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), "About KORVEX Model Viewer");
    QPlainTextEdit* box = about.informationBox();
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->toPlainText().split('\n').at(2), "  modelling codes.");
    EXPECT_EQ(CAboutDlg::InformationText().count("\r\n"), 7);
    QTest::keyClicks(box, "typed");
    EXPECT_FALSE(box->toPlainText().contains("typed"));
}

TEST_F(ShellTest, AboutCommandRunsTheBox) {
    ASSERT_TRUE(start({}));
    QString title;
    answer = [&](QDialog& dialog) {
        title = dialog.windowTitle();
        return int(QDialog::Accepted);
    };
    EXPECT_TRUE(frame().Dispatch(ID_APP_ABOUT));
    EXPECT_EQ(title, "About KORVEX Model Viewer");
}
} // namespace
