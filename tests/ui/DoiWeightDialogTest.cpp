#include "AppFixture.h"

#include "dialogs/CDlgWeight.h"
#include "dialogs/CDoi.h"
#include "dialogs/CEditDrop.h"
#include "dialogs/FileChooser.h"
#include "shell/CMainFrame.h"
#include "shell/CommandIds.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {
using Kind = RecordingMessages::Kind;

// Records what a "Browse" asked the chooser for, and answers with a preset path.
struct ChooserCall {
    QString title, start, filter;
    int calls = 0;
};

// The test's folder plays the document's folder.
class DoiWeightDialogTest : public ::testing::Test {
protected:
    std::string documentFolder() const { return folder.path().string(); }
    void open(QDialog& dialog) {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    void expectOnlyWarning(const std::string& text) {
        ASSERT_EQ(messages.entries.size(), 1u);
        EXPECT_EQ(messages.entries[0], (RecordingMessages::Entry{Kind::Warning, text}));
        messages.entries.clear();
    }
    FileChooser answering(ChooserCall& call, const QString& path) {
        return [&call, path](QWidget*, const QString& title, const QString& start,
                             const QString& filter) {
            ++call.calls;
            call.title = title;
            call.start = start;
            call.filter = filter;
            return path;
        };
    }

    TestFolder folder;
    RecordingMessages messages;
};

TEST_F(DoiWeightDialogTest, DoiDialogShowsItsFieldsAndOpensOnOk) {
    CDoi dialog(messages, documentFolder());
    dialog.cutoffIndex = 2;
    dialog.useRecoveredModel = false;
    dialog.fade = true;
    open(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Depth of Investigation");
    EXPECT_EQ(dialog.cutoffList()->currentText(), "0.3");
    EXPECT_EQ(dialog.cutoffList()->count(), 9);
    // The method and the style are two separate choices.
    EXPECT_TRUE(dialog.sensitivityButton()->isChecked());
    EXPECT_TRUE(dialog.fadeButton()->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), dialog.okButton());
    QTest::mouseClick(dialog.recoveredButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.fadeButton()->isChecked());
}

TEST_F(DoiWeightDialogTest, DoiDialogRefusesAMissingOrAbsentFile) {
    CDoi dialog(messages, documentFolder());
    open(dialog);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    expectOnlyWarning("DOI model file is missing.");
    EXPECT_EQ(QApplication::focusWidget(), dialog.fileBox());
    EXPECT_TRUE(dialog.isVisible());

    dialog.fileBox()->setText("second.con");
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    expectOnlyWarning("DOI model file:\nsecond.con\nnot found.");

    folder.write("second.con", "1 1 1");
    dialog.cutoffList()->setCurrentIndex(6);
    QTest::mouseClick(dialog.fadeButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.resetRequested);
    EXPECT_TRUE(dialog.fade);
    EXPECT_EQ(dialog.fileName, folder.at("second.con"));
    EXPECT_EQ(dialog.cutoffIndex, 6);
}

TEST_F(DoiWeightDialogTest, DoiResetClosesWithoutChecks) {
    CDoi dialog(messages, documentFolder());
    open(dialog);
    QTest::mouseClick(dialog.resetButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.resetRequested);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(DoiWeightDialogTest, DoiBrowseStartsInTheDocumentsFolder) {
    ChooserCall call;
    ScopedFileChooser chooser(answering(call, QString::fromStdString(folder.at("b.con"))));
    CDoi dialog(messages, documentFolder());
    open(dialog);
    QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
    EXPECT_EQ(call.calls, 1);
    EXPECT_EQ(call.filter, "Model (*)");
    EXPECT_EQ(call.start.toStdString(), documentFolder());
    EXPECT_EQ(dialog.fileBox()->text().toStdString(), folder.at("b.con"));
}

TEST_F(DoiWeightDialogTest, WeightDialogFirstUseIsSingleFileWithXAndZDisabled) {
    CDlgWeight dialog(messages, documentFolder());
    open(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Weight file");
    EXPECT_TRUE(dialog.singleButton()->isChecked());
    EXPECT_TRUE(dialog.weightBox()->isEnabled());
    EXPECT_FALSE(dialog.xWeightBox()->isEnabled());
    EXPECT_FALSE(dialog.browseButton(2)->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), dialog.okButton());

    QTest::mouseClick(dialog.separateButton(), Qt::LeftButton, {},
                      QPoint(6, dialog.separateButton()->height() / 2));
    EXPECT_FALSE(dialog.weightBox()->isEnabled());
    EXPECT_TRUE(dialog.zWeightBox()->isEnabled());
    EXPECT_TRUE(dialog.browseButton(1)->isEnabled());
}

TEST_F(DoiWeightDialogTest, WeightDialogChecksTheBoxesOfItsMode) {
    CDlgWeight dialog(messages, documentFolder());
    open(dialog);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    expectOnlyWarning("Weight file is missing.");

    QTest::mouseClick(dialog.separateButton(), Qt::LeftButton, {},
                      QPoint(6, dialog.separateButton()->height() / 2));
    folder.write("x.wts", "");
    dialog.xWeightBox()->setText("x.wts");
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    expectOnlyWarning("Z weight file is missing.");
    EXPECT_EQ(QApplication::focusWidget(), dialog.zWeightBox());
    dialog.zWeightBox()->setText("z.wts");
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    expectOnlyWarning("Z weight file:\nz.wts\nnot found.");

    folder.write("z.wts", "");
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.fileMode, 1);
    EXPECT_EQ(dialog.zWeightFileName, folder.at("z.wts"));
}

TEST_F(DoiWeightDialogTest, WeightBrowseFillsOnlyItsOwnBox) {
    ChooserCall call;
    ScopedFileChooser chooser(answering(call, QString::fromStdString(folder.at("picked.wts"))));
    CDlgWeight dialog(messages, documentFolder());
    dialog.fileMode = 1;
    open(dialog);
    dialog.zWeightBox()->setText("typed");
    QTest::mouseClick(dialog.browseButton(1), Qt::LeftButton);
    EXPECT_EQ(call.title, "Open X weight file");
    EXPECT_EQ(call.start.toStdString(), documentFolder());
    EXPECT_EQ(call.filter, "X weight (*)");
    EXPECT_EQ(dialog.xWeightBox()->text().toStdString(), folder.at("picked.wts"));
    EXPECT_EQ(dialog.zWeightBox()->text(), "typed");
    EXPECT_TRUE(dialog.separateButton()->isChecked());
}

// The depth-of-investigation command as the view carries it out.
class DoiCommandTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        startWith(Conductivity, "4 2\n0.01 0.01 0.01 0.01\n0.01 0.01 0.01 0.01\n");
        folder.write("second.con", "4 2\n0.001 0.001 0.001 0.001\n0.001 0.001 0.001 0.001\n");
    }
    // Answers the dialog with a file, a cutoff position and the method.
    void answerWith(const std::string& file, int cutoff, bool recovered, bool reset = false) {
        answer = [=, this](QDialog& dialog) {
            auto& doi = dynamic_cast<CDoi&>(dialog);
            seenFolder = doi.folder();
            seenFile = doi.fileName;
            seenCutoff = doi.cutoffIndex;
            seenRecovered = doi.useRecoveredModel;
            doi.fileName = file;
            doi.cutoffIndex = cutoff;
            doi.useRecoveredModel = recovered;
            doi.resetRequested = reset;
            return int(QDialog::Accepted);
        };
    }
    std::string seenFolder;
    std::string seenFile;
    int seenCutoff = -5;
    bool seenRecovered = false;
};

TEST_F(DoiCommandTest, AcceptedDialogMasksAndIsRememberedForTheNextRun) {
    answerWith(folder.at("second.con"), 4, true);
    EXPECT_TRUE(frame().Dispatch(ID_DEPTH_OF_INVESTIGATION));
    EXPECT_EQ(seenFolder, doc().folder());
    EXPECT_EQ(seenFile, "");
    EXPECT_EQ(seenCutoff, 2); // the initial 0.3
    EXPECT_TRUE(seenRecovered);
    EXPECT_TRUE(view().state().doi.shown);
    EXPECT_EQ(view().state().doi.cutoff, 0.5f);

    answerWith("", 0, false, true); // Reset
    EXPECT_TRUE(frame().Dispatch(ID_DEPTH_OF_INVESTIGATION));
    EXPECT_EQ(seenFile, folder.at("second.con"));
    EXPECT_EQ(seenCutoff, 4);
    EXPECT_FALSE(view().state().doi.shown);
    EXPECT_EQ(view().state().doi.cutoff, 0.5f);
}

TEST_F(DoiCommandTest, CancelKeepsTheMaskAndAFailureDropsIt) {
    answerWith(folder.at("second.con"), 2, true);
    ASSERT_TRUE(frame().Dispatch(ID_DEPTH_OF_INVESTIGATION));
    ASSERT_TRUE(view().state().doi.shown);
    answer = [](QDialog&) { return int(QDialog::Rejected); };
    EXPECT_TRUE(frame().Dispatch(ID_DEPTH_OF_INVESTIGATION));
    EXPECT_TRUE(view().state().doi.shown);

    folder.write("bad.con", "3 3 1 2 3");
    answerWith(folder.at("bad.con"), 1, true);
    EXPECT_TRUE(frame().Dispatch(ID_DEPTH_OF_INVESTIGATION));
    EXPECT_FALSE(view().state().doi.shown);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, "Number of cells in the two model files are not equal.");
    // The cutoff just accepted stays although the file failed.
    EXPECT_EQ(view().state().doi.cutoff, 0.2f);
}

TEST_F(DoiCommandTest, ReloadWeightsAndOpenDropTheMask) {
    const auto showMask = [&] {
        answerWith(folder.at("second.con"), 2, true);
        ASSERT_TRUE(frame().Dispatch(ID_DEPTH_OF_INVESTIGATION));
        ASSERT_TRUE(view().state().doi.shown);
    };
    showMask();
    EXPECT_TRUE(frame().Dispatch(ID_RELOAD));
    EXPECT_FALSE(view().state().doi.shown);

    showMask();
    folder.write("all.wts", "4 2  1 1 1 1 1 1 1 1  0.5 1 1 1 1 2  1 1 1 1\n");
    answer = [&](QDialog& dialog) {
        dynamic_cast<CDlgWeight&>(dialog).weightFileName = folder.at("all.wts");
        return int(QDialog::Accepted);
    };
    EXPECT_TRUE(frame().Dispatch(ID_LOAD_WEIGHTS));
    EXPECT_TRUE(doc().weightsLoaded);
    EXPECT_FALSE(view().state().doi.shown);

    showMask();
    answer = [](QDialog&) { return int(QDialog::Accepted); }; // the load dialog as filled
    EXPECT_TRUE(frame().Dispatch(ID_OPEN_FILES));
    EXPECT_TRUE(doc().loaded);
    EXPECT_FALSE(doc().weightsLoaded);
    EXPECT_FALSE(view().state().doi.shown);
}
// The weights command: the dialog, the read, and the view update whatever the outcome.
class WeightsCommandTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        startWith(Conductivity, "4 2\n0.01 0.02 0.03 0.04\n0.1 0.2 0.3 0.4\n");
        // 4 x 2 cells: 8 cell weights, 2 rows of 3 X weights, 1 row of 4 Z weights.
        folder.write("all.wts", "4 2  1 1 1 1 1 1 1 1  0.5 1 1 1 1 2  1 1 1 1\n");
    }
    void answerWith(int mode, const std::string& single, const std::string& x = "",
                    const std::string& z = "") {
        answer = [=, this](QDialog& dialog) {
            auto& weights = dynamic_cast<CDlgWeight&>(dialog);
            seenFolder = weights.folder();
            seenSingle = weights.weightFileName;
            seenMode = weights.fileMode;
            weights.fileMode = mode;
            weights.weightFileName = single;
            weights.xWeightFileName = x;
            weights.zWeightFileName = z;
            return int(QDialog::Accepted);
        };
    }
    std::string seenFolder;
    std::string seenSingle;
    int seenMode = -1;
};

TEST_F(WeightsCommandTest, LoadedWeightsShowAtOnceAndTheNamesAreRemembered) {
    EXPECT_FALSE(enabled(ID_VIEW_WEIGHTS));
    view().state().settings.rangeMin = -1.9;
    answerWith(0, folder.at("all.wts"));
    EXPECT_TRUE(frame().Dispatch(ID_LOAD_WEIGHTS));
    EXPECT_EQ(seenFolder, doc().folder());
    EXPECT_EQ(seenSingle, "");
    EXPECT_EQ(seenMode, 0);
    EXPECT_TRUE(doc().weightsLoaded);
    EXPECT_EQ(doc().weights.xWeights[1][2], 2.0f);
    EXPECT_TRUE(view().state().settings.showWeights);
    EXPECT_TRUE(enabled(ID_VIEW_WEIGHTS));
    EXPECT_TRUE(checked(ID_VIEW_WEIGHTS));
    // A weights load is a document update: the range goes back to the model's own.
    EXPECT_EQ(view().state().settings.rangeMin, doc().model.valueMin);

    EXPECT_TRUE(frame().Dispatch(ID_VIEW_WEIGHTS));
    EXPECT_FALSE(view().state().settings.showWeights);
    EXPECT_FALSE(checked(ID_VIEW_WEIGHTS));

    answerWith(0, folder.at("all.wts"));
    EXPECT_TRUE(frame().Dispatch(ID_LOAD_WEIGHTS));
    EXPECT_EQ(seenSingle, folder.at("all.wts"));
}

TEST_F(WeightsCommandTest, AFailedLoadTurnsTheWeightsOff) {
    answerWith(0, folder.at("all.wts"));
    ASSERT_TRUE(frame().Dispatch(ID_LOAD_WEIGHTS));
    folder.write("x.wts", "3 2 1 1 1 1 1 1");
    folder.write("z.wts", "4 2 1 1 1 1 1 1 1 1");
    answerWith(1, "", folder.at("x.wts"), folder.at("z.wts"));
    EXPECT_TRUE(frame().Dispatch(ID_LOAD_WEIGHTS));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text,
              "Z weight file is not consistent with the model file.\n" + folder.at("z.wts"));
    EXPECT_FALSE(doc().weightsLoaded);
    EXPECT_FALSE(view().state().settings.showWeights);
    EXPECT_FALSE(enabled(ID_VIEW_WEIGHTS));
}

TEST_F(WeightsCommandTest, CancelChangesNothing) {
    answer = [](QDialog&) { return int(QDialog::Rejected); };
    EXPECT_TRUE(frame().Dispatch(ID_LOAD_WEIGHTS));
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_FALSE(doc().weightsLoaded);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(WeightsCommandTest, ReloadKeepsTheWeightsAndShowsThemAgain) {
    answerWith(0, folder.at("all.wts"));
    ASSERT_TRUE(frame().Dispatch(ID_LOAD_WEIGHTS));
    ASSERT_TRUE(frame().Dispatch(ID_VIEW_WEIGHTS));
    ASSERT_FALSE(view().state().settings.showWeights);
    EXPECT_TRUE(frame().Dispatch(ID_RELOAD));
    EXPECT_TRUE(doc().weightsLoaded);
    EXPECT_TRUE(view().state().settings.showWeights);
}

} // namespace
