#include "AppFixture.h"

#include "dialogs/CEditDrop.h"
#include "dialogs/CFileLoad.h"
#include "shell/CommandIds.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <filesystem>

namespace {
using Kind = RecordingMessages::Kind;
using Entry = RecordingMessages::Entry;
namespace fs = std::filesystem;

const char* const Conductivities = "4 2\n0.01 0.02 0.03 0.04\n0.1 0.2 0.3 0.4\n";
const char* const Chargeabilities = "4 2\n1 2 3 4\n5 6 7 -20\n";
const char* const Output = "2\n0 1000 0\n1 100 10\n2 10 20\n5 target\n";

// File, "Open ...": the load dialog is filled through its boxes and OK is pressed, as a
// user would.
class OpenCommandTest : public AppFixture {
protected:
    struct Entries {
        QString mesh, model, output;
        int kind = 0;
    };
    void answerWith(const Entries& entries) {
        answer = [entries](QDialog& dialog) {
            auto& load = dynamic_cast<CFileLoad&>(dialog);
            load.show();
            load.meshBox()->setText(entries.mesh);
            load.modelBox()->setText(entries.model);
            load.outputBox()->setText(entries.output);
            load.kindButton(entries.kind)->click();
            QTest::mouseClick(load.okButton(), Qt::LeftButton);
            const int result = load.result();
            load.hide();
            return result;
        };
    }
    bool openFiles(const Entries& entries) {
        answerWith(entries);
        return frame().Dispatch(ID_OPEN_FILES);
    }
    void writeSurvey() {
        folder.write("data/grid.msh", Mesh);
        folder.write("data/run1/ohmsolv.con", Conductivities);
        folder.write("data/run1/polsolv.chg", Chargeabilities);
        folder.write("data/run1/ohmsolv.out", Output);
        folder.write("data/run1/polsolv.out", Output);
    }
    QString title() const { return app->frame()->windowTitle(); }
    // The plain R key, as the user presses it in the main window.
    void pressR() {
        frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
        QTest::keyClick(&frame(), Qt::Key_R);
    }
};

TEST_F(OpenCommandTest, CancelChangesNothing) {
    startWith(Conductivity, Conductivities, true);
    const std::string modelName = doc().modelFileName;
    const QString before = title();
    EXPECT_TRUE(frame().Dispatch(ID_OPEN_FILES));
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_TRUE(doc().loaded);
    EXPECT_TRUE(doc().convergenceLoaded);
    EXPECT_EQ(doc().modelFileName, modelName);
    EXPECT_EQ(title(), before);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(OpenCommandTest, TypedRelativeNamesLoadAndReloadFindsThemAfterTheFolderMoved) {
    writeSurvey();
    ASSERT_TRUE(start({}, folder.at("data")));
    ASSERT_TRUE(openFiles({"grid.msh", "run1/polsolv.chg", "run1/polsolv.out", 1}));
    EXPECT_TRUE(messages.entries.empty());
    ASSERT_TRUE(doc().loaded);
    EXPECT_EQ(doc().modelKind, Chargeability);
    EXPECT_TRUE(doc().convergenceLoaded);
    EXPECT_EQ(doc().modelFileName, folder.at("data/run1/polsolv.chg"));
    EXPECT_EQ(title().toStdString(), folder.at("data/run1/polsolv.chg") + " - KORVEX Model Viewer");
    // The view took the chargeability model: Log10 and Cond / Res buttons hidden.
    EXPECT_EQ(visibleButtons(), 6 + FollowTile + ZoomTiles);
    EXPECT_EQ(view().state().settings.rangeMax, 7.0);
    EXPECT_TRUE(enabled(ID_RELOAD));
    EXPECT_TRUE(enabled(ID_MESH_STATISTICS));
    EXPECT_TRUE(enabled(ID_LOAD_WEIGHTS));
    EXPECT_EQ(doc().folder(), fs::canonical(folder.at("data/run1")).string());

    // The inversion rewrites its model; R reloads it from wherever we are now.
    folder.write("data/run1/polsolv.chg", "4 2\n1 2 3 4\n5 6 7 9\n");
    pressR();
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_TRUE(doc().loaded);
    EXPECT_EQ(doc().model.valueMax, 9.0);
    EXPECT_EQ(view().state().settings.rangeMax, 9.0);

    // The next Open starts from the document's kind, names and folder; OK at once passes.
    answer = [this](QDialog& dialog) {
        auto& load = dynamic_cast<CFileLoad&>(dialog);
        load.show();
        EXPECT_EQ(load.folder(), doc().folder());
        EXPECT_TRUE(load.kindButton(1)->isChecked());
        EXPECT_EQ(load.modelBox()->text().toStdString(), folder.at("data/run1/polsolv.chg"));
        QTest::mouseClick(load.okButton(), Qt::LeftButton);
        return load.result();
    };
    frame().Dispatch(ID_OPEN_FILES);
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_TRUE(doc().loaded);

    // Back to a conductivity model, typed relative to the model's folder now: all
    // eight buttons show again.
    ASSERT_TRUE(openFiles({"../grid.msh", "ohmsolv.con", "", 0}));
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_EQ(fs::canonical(doc().meshFileName), fs::canonical(folder.at("data/grid.msh")));
    EXPECT_EQ(doc().modelFileName, doc().folder() + "/ohmsolv.con");
    EXPECT_EQ(visibleButtons(), 8 + FollowTile + ZoomTiles);
    EXPECT_FALSE(doc().convergenceLoaded);
    EXPECT_FALSE(view().state().settings.showConvergence);
}

TEST_F(OpenCommandTest, FailedOpenRetitlesAfterTheModelDropsWeightsAndDisablesDataCommands) {
    startWith(Conductivity, Conductivities);
    doc().weights.cellWeights = {{1, 1, 1, 1}, {1, 1, 1, 1}};
    doc().weightsLoaded = true;
    const std::string otherModel = folder.write("other/model.con", "2 2\n1 2\n3 4\n");
    ASSERT_TRUE(openFiles({"grid.msh", QString::fromStdString(otherModel), "", 0}));
    EXPECT_EQ(messages.entries,
              (std::vector<Entry>{{Kind::Error, "Number of cells in the mesh is not the\n"
                                                "same as in the model."}}));
    EXPECT_FALSE(doc().loaded);
    EXPECT_FALSE(doc().weightsLoaded);
    EXPECT_TRUE(doc().weights.cellWeights.empty());
    // The model did read, so the document is named after it.
    EXPECT_EQ(title().toStdString(), otherModel + " - KORVEX Model Viewer");
    EXPECT_FALSE(enabled(ID_RELOAD));
    EXPECT_FALSE(enabled(ID_MESH_STATISTICS));
    EXPECT_FALSE(enabled(ID_LOAD_WEIGHTS));
    EXPECT_TRUE(enabled(ID_OPEN_FILES));
}

TEST_F(OpenCommandTest, ReloadAfterTheMeshChangedWarnsAndStaysDisabled) {
    startWith(Conductivity, Conductivities);
    folder.write("model.txt", "2 2\n1 2\n3 4\n");
    EXPECT_TRUE(frame().Dispatch(ID_RELOAD));
    EXPECT_EQ(messages.entries,
              (std::vector<Entry>{{Kind::Warning, "Cannot reload model if the mesh has changed.\n"
                                                  "Use File | Open  instead."}}));
    EXPECT_FALSE(doc().loaded);
    EXPECT_FALSE(enabled(ID_RELOAD));
    EXPECT_FALSE(button(ID_RELOAD)->isEnabled());
    messages.entries.clear();
    EXPECT_FALSE(frame().Dispatch(ID_RELOAD));
    pressR();
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(OpenCommandTest, ModelRemovedBeforeReloadIsReportedAndTheModelStays) {
    startWith(Conductivity, Conductivities, true);
    doc().weightsLoaded = true;
    const auto values = doc().model.values;
    fs::remove(folder.at("model.txt"));
    EXPECT_NO_THROW(frame().Dispatch(ID_RELOAD));
    EXPECT_EQ(messages.entries, (std::vector<Entry>{{Kind::Error, "Model file not found: " +
                                                                      folder.at("model.txt")}}));
    // What was shown stays, and Reload can try again.
    EXPECT_TRUE(doc().loaded);
    EXPECT_EQ(doc().model.values, values);
    EXPECT_TRUE(doc().weightsLoaded);
    EXPECT_TRUE(frame().isVisible());
    EXPECT_TRUE(enabled(ID_RELOAD));

    // Open still leads on.
    folder.write("model.txt", Conductivities);
    doc().outputFileName.clear();
    messages.entries.clear();
    answer = [](QDialog& dialog) {
        auto& load = dynamic_cast<CFileLoad&>(dialog);
        load.show();
        QTest::mouseClick(load.okButton(), Qt::LeftButton);
        return load.result();
    };
    frame().Dispatch(ID_OPEN_FILES);
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_TRUE(doc().loaded);
    EXPECT_FALSE(doc().weightsLoaded);
}
} // namespace
