#include "../core/TestFiles.h"

#include "dialogs/CEditDrop.h"
#include "dialogs/CFileLoad.h"
#include "dialogs/FileChooser.h"
#include "document/RecordingMessages.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {
using Kind = RecordingMessages::Kind;
using Entry = RecordingMessages::Entry;

const char* const WrongNameQuestion = "Warning: The convergence file should be\nohmsolv.out for "
                                      "DC, or polsolv.out for IP.\nDo you want to continue?";

class LoadDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        mesh = folder.write("grid.msh", "x");
        model = folder.write("model.con", "x");
    }
    void open() {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    void fill(const QString& meshText, const QString& modelText, const QString& outputText) {
        dialog.meshBox()->setText(meshText);
        dialog.modelBox()->setText(modelText);
        dialog.outputBox()->setText(outputText);
    }
    void pressOk() { QTest::mouseClick(dialog.okButton(), Qt::LeftButton); }
    bool accepted() const { return dialog.result() == QDialog::Accepted; }
    // Expects exactly one warning with this text and clears the record.
    void expectOnlyWarning(const std::string& text) {
        EXPECT_EQ(messages.entries, (std::vector<Entry>{{Kind::Warning, text}}));
        messages.entries.clear();
    }

    // The folder plays the document's folder: names are checked and choosers start there.
    TestFolder folder;
    RecordingMessages messages;
    CFileLoad dialog{messages, folder.path().string()};
    std::string mesh, model;
};

TEST_F(LoadDialogTest, OpensWithTheCallersValuesAndTheFocusOnOk) {
    dialog.meshFileName = mesh;
    dialog.modelFileName = model;
    dialog.outputFileName = "polsolv.out";
    dialog.modelKind = 1;
    open();
    EXPECT_EQ(dialog.windowTitle(), "Load mesh and model file");
    EXPECT_EQ(dialog.meshBox()->text().toStdString(), mesh);
    EXPECT_EQ(dialog.modelBox()->text().toStdString(), model);
    EXPECT_EQ(dialog.outputBox()->text(), "polsolv.out");
    EXPECT_TRUE(dialog.kindButton(1)->isChecked());
    EXPECT_EQ(dialog.kindButton(0)->text(), "Resistivity");
    EXPECT_EQ(dialog.kindButton(2)->text(), "sensitivity");
    EXPECT_EQ(QApplication::focusWidget(), dialog.okButton());

    // The keyboard order runs through the buttons, then the rows; the radio buttons are
    // set with the mouse only.
    const std::vector<QWidget*> order{dialog.cancelButton(),       dialog.meshBox(),
                                      dialog.meshBrowseButton(),   dialog.modelBox(),
                                      dialog.modelBrowseButton(),  dialog.outputBox(),
                                      dialog.outputBrowseButton(), dialog.okButton()};
    for (QWidget* expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected);
    }

    // A radio button set with the mouse hands Tab on to the model box.
    QTest::mouseClick(dialog.kindButton(2), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), dialog.kindButton(2));
    QTest::keyClick(dialog.kindButton(2), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.modelBox());

    // Of all the dialog's controls only the three name boxes take dropped files.
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        const bool nameBox = widget == dialog.meshBox() || widget == dialog.modelBox() ||
                             widget == dialog.outputBox();
        EXPECT_EQ(widget->acceptDrops(), nameBox) << widget->metaObject()->className();
    }
    EXPECT_FALSE(dialog.acceptDrops());
}

TEST_F(LoadDialogTest, OkChecksInOrderAndFocusesTheFailingBox) {
    open();
    fill("", "", "");
    pressOk();
    // Only the first failing check speaks.
    expectOnlyWarning("Mesh file is missing.");
    EXPECT_EQ(QApplication::focusWidget(), dialog.meshBox());

    // Blanks are a name, not a missing one: they fail the existence test.
    fill("  ", "", "");
    pressOk();
    expectOnlyWarning("Mesh file:\n  \nnot found.");

    fill("grid.msh", "", "");
    pressOk();
    expectOnlyWarning("Model file is missing.");
    EXPECT_EQ(QApplication::focusWidget(), dialog.modelBox());

    fill("grid.msh", "nowhere/model.con", "");
    pressOk();
    expectOnlyWarning("Model file:\nnowhere/model.con\nnot found.");
    EXPECT_EQ(QApplication::focusWidget(), dialog.modelBox());

    fill("grid.msh", "model.con", "ohmsolv.out");
    pressOk();
    expectOnlyWarning("Convergence file:\nohmsolv.out\nnot found.");
    EXPECT_EQ(QApplication::focusWidget(), dialog.outputBox());
    EXPECT_FALSE(accepted());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.outputBox()->text(), "ohmsolv.out");
}

TEST_F(LoadDialogTest, AcceptedNamesAreMadeAbsoluteWhereTheyWereChecked) {
    folder.write("sub/folder/keep", "");
    open();
    // A folder passes the existence test; the reader reports it later.
    fill("grid.msh", "sub/folder", "");
    dialog.kindButton(2)->click();
    pressOk();
    EXPECT_TRUE(messages.entries.empty());
    ASSERT_TRUE(accepted());
    EXPECT_EQ(dialog.meshFileName, mesh);
    EXPECT_EQ(dialog.modelFileName, folder.at("sub/folder"));
    EXPECT_EQ(dialog.outputFileName, "");
    EXPECT_EQ(dialog.modelKind, 2);
}

struct NameCheck {
    int kind;
    const char* output;
    bool asks;
};

class OutputNameTest : public LoadDialogTest, public ::testing::WithParamInterface<NameCheck> {};

TEST_P(OutputNameTest, WrongNameAsksAndNoKeepsEveryEntry) {
    const NameCheck& c = GetParam();
    folder.write(c.output, "x");
    open();
    fill("grid.msh", "model.con", QString::fromLatin1(c.output));
    dialog.kindButton(c.kind)->click();
    dialog.meshBox()->setFocus();
    messages.answer = false;
    pressOk();
    if (!c.asks) {
        EXPECT_TRUE(messages.entries.empty());
        EXPECT_TRUE(accepted());
        return;
    }
    EXPECT_EQ(messages.entries, (std::vector<Entry>{{Kind::Question, WrongNameQuestion}}));
    EXPECT_FALSE(accepted());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.meshBox()->text(), "grid.msh");
    EXPECT_EQ(dialog.modelBox()->text(), "model.con");
    EXPECT_EQ(dialog.outputBox()->text(), c.output);
    EXPECT_TRUE(dialog.kindButton(c.kind)->isChecked());

    messages.answer = true;
    pressOk();
    EXPECT_TRUE(accepted());
    EXPECT_EQ(dialog.outputFileName, folder.at(c.output));
}

INSTANTIATE_TEST_SUITE_P(
    Names, OutputNameTest,
    ::testing::Values(NameCheck{0, "ohmsolv.out", false}, NameCheck{0, "run2ohmsolv.out", false},
                      NameCheck{0, "polsolv.out", true}, NameCheck{0, "OHMSOLV.OUT", true},
                      NameCheck{0, "ohmsolv.out.bak", true}, NameCheck{1, "ip/polsolv.out", false},
                      NameCheck{1, "ohmsolv.out", true}, NameCheck{2, "anything.txt", false}));

TEST_F(LoadDialogTest, BrowseStartsInTheFolderByTheKindCheckedNowAndFillsOnlyItsBox) {
    struct Call {
        QString title, start, filter;
    };
    std::vector<Call> calls;
    QString choice;
    ScopedFileChooser chooser(
        [&](QWidget* parent, const QString& title, const QString& start, const QString& filter) {
            EXPECT_EQ(parent, &dialog);
            calls.push_back({title, start, filter});
            return choice;
        });
    dialog.modelKind = 0;
    open();

    dialog.kindButton(1)->click();
    dialog.modelBox()->setText("typed/model.chg");
    choice = QString::fromStdString(mesh);
    QTest::mouseClick(dialog.meshBrowseButton(), Qt::LeftButton);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].title, "Open mesh file");
    const auto in = [this](const char* name) { return QString::fromStdString(folder.at(name)); };
    EXPECT_EQ(calls[0].start, in("ohmsolv.msh"));
    EXPECT_EQ(calls[0].filter, "Mesh (*)");
    EXPECT_EQ(dialog.meshBox()->text().toStdString(), mesh);
    EXPECT_EQ(dialog.modelBox()->text(), "typed/model.chg");
    EXPECT_TRUE(dialog.kindButton(1)->isChecked());

    // Cancelling the chooser changes nothing.
    choice.clear();
    QTest::mouseClick(dialog.modelBrowseButton(), Qt::LeftButton);
    EXPECT_EQ(calls.back().title, "Open model file");
    EXPECT_EQ(calls.back().start, in("polsolv.chg"));
    EXPECT_EQ(calls.back().filter, "Model (*)");
    EXPECT_EQ(dialog.modelBox()->text(), "typed/model.chg");

    QTest::mouseClick(dialog.outputBrowseButton(), Qt::LeftButton);
    EXPECT_EQ(calls.back().title, "");
    EXPECT_EQ(calls.back().start, in("polsolv.out"));
    EXPECT_EQ(calls.back().filter, "Convergence files (*.out)");

    dialog.kindButton(2)->click();
    QTest::mouseClick(dialog.modelBrowseButton(), Qt::LeftButton);
    EXPECT_EQ(calls.back().start, in("sensitivity.txt"));
    // No name to offer: the folder itself.
    QTest::mouseClick(dialog.outputBrowseButton(), Qt::LeftButton);
    EXPECT_EQ(calls.back().start, QString::fromStdString(folder.path().string()));

    EXPECT_TRUE(messages.entries.empty());
}

// Drops arrive as the file manager sends them: a uri-list of local files.
class DropTest : public LoadDialogTest {
protected:
    static QMimeData* files(const QStringList& paths) {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        data->setUrls(urls);
        data->setText(paths.join(QLatin1Char('\n')));
        return data;
    }
    // Offers the drag, then drops it; returns whether the widget accepted the offer.
    static bool drop(QWidget* target, QMimeData* data) {
        const std::unique_ptr<QMimeData> owned(data);
        const QPoint centre = target->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction | Qt::LinkAction, data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent dropped(centre, Qt::CopyAction | Qt::LinkAction, data, Qt::LeftButton,
                           Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        return enter.isAccepted();
    }
};

TEST_F(DropTest, FirstFileReplacesTheTextAndItsNameIsSelected) {
    open();
    dialog.modelBox()->setText("old text");
    const QString first = folder.path().c_str() + QStringLiteral("/run 1/model.con");
    EXPECT_TRUE(drop(dialog.modelBox(),
                     files({first, QStringLiteral("/tmp/b.con"), QStringLiteral("/tmp/c.con")})));
    EXPECT_EQ(dialog.modelBox()->text(), first);
    EXPECT_EQ(QApplication::focusWidget(), dialog.modelBox());
    EXPECT_EQ(dialog.modelBox()->selectedText(), "model.con");
    EXPECT_EQ(dialog.modelBox()->cursorPosition(), first.size());
    // The field learns of it only when the controls are read.
    EXPECT_EQ(dialog.modelFileName, "");

    // Typing replaces just the file's own name.
    QTest::keyClicks(dialog.modelBox(), "other.con");
    EXPECT_EQ(dialog.modelBox()->text(),
              folder.path().c_str() + QStringLiteral("/run 1/other.con"));
}

TEST_F(DropTest, LongPathIsKeptWholeAndReachesTheReaderUnchanged) {
    const std::string deep = std::string(120, 'd') + "/" + std::string(120, 'e') + "/" +
                             std::string(120, 'f') + "/" + std::string(120, 'g') + "/model.con";
    const std::string path = folder.write(deep, "x");
    ASSERT_GT(path.size(), 499u);
    open();
    dialog.meshBox()->setText("grid.msh");
    drop(dialog.modelBox(), files({QString::fromStdString(path)}));
    EXPECT_EQ(dialog.modelBox()->text().toStdString(), path);
    EXPECT_EQ(dialog.modelBox()->selectedText(), "model.con");
    pressOk();
    EXPECT_TRUE(accepted());
    EXPECT_EQ(dialog.modelFileName, path);
}

TEST_F(DropTest, WithoutASlashTheWholeTextIsSelectedAndAFolderIsTakenLikeAFile) {
    open();
    auto* data = new QMimeData;
    data->setUrls({QUrl(QStringLiteral("file:model.con"))});
    drop(dialog.outputBox(), data);
    EXPECT_EQ(dialog.outputBox()->text(), "model.con");
    EXPECT_EQ(dialog.outputBox()->selectedText(), "model.con");

    const QString runFolder = folder.path().c_str() + QStringLiteral("/run1");
    auto* folderDrop = new QMimeData;
    folderDrop->setUrls({QUrl::fromLocalFile(runFolder + QLatin1Char('/'))});
    drop(dialog.meshBox(), folderDrop);
    EXPECT_EQ(dialog.meshBox()->text(), runFolder);
    EXPECT_EQ(dialog.meshBox()->selectedText(), "run1");
}

TEST_F(DropTest, OnlyLocalFilesAreTakenAndOnlyByTheNameBoxes) {
    open();
    dialog.meshBox()->setText("kept");
    auto* text = new QMimeData;
    text->setText(QStringLiteral("/tmp/a.msh"));
    EXPECT_FALSE(drop(dialog.meshBox(), text));
    auto* remote = new QMimeData;
    remote->setUrls({QUrl(QStringLiteral("https://example.org/a.msh"))});
    EXPECT_FALSE(drop(dialog.meshBox(), remote));
    EXPECT_EQ(dialog.meshBox()->text(), "kept");

    drop(dialog.okButton(), files({QStringLiteral("/tmp/a.msh")}));
    drop(&dialog, files({QStringLiteral("/tmp/a.msh")}));
    EXPECT_EQ(dialog.meshBox()->text(), "kept");
    EXPECT_EQ(dialog.modelBox()->text(), "");
    EXPECT_EQ(dialog.outputBox()->text(), "");
    EXPECT_FALSE(accepted());
}
} // namespace
