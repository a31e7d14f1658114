#include "../core/TestFiles.h"

#include "dialogs/CAreaIntrst.h"
#include "dialogs/CMinMax.h"
#include "dialogs/CPadDlg.h"
#include "dialogs/CVertExag.h"
#include "dialogs/NumberBox.h"
#include "document/RecordingMessages.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {
using Kind = RecordingMessages::Kind;

class DialogTest : public ::testing::Test {
protected:
    // Shows the dialog (which writes its fields into the boxes), then types the texts.
    void open(QDialog& dialog) {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    void type(QLineEdit* box, const QString& text) { box->setText(text); }
    void pressOk(SettingsDialog& dialog) { QTest::mouseClick(dialog.okButton(), Qt::LeftButton); }
    void expectOnlyWarning(const std::string& text) {
        ASSERT_EQ(messages.entries.size(), 1u);
        EXPECT_EQ(messages.entries[0], (RecordingMessages::Entry{Kind::Warning, text}));
        messages.entries.clear();
    }

    RecordingMessages messages;
};

TEST_F(DialogTest, RangeDialogWritesFifteenDigitsAndOpensOnOk) {
    CMinMax dialog(messages);
    dialog.max = 1.0 / 3;
    dialog.min = -2e-9;
    open(dialog);
    EXPECT_EQ(dialog.maxBox()->text(), "0.333333333333333");
    EXPECT_EQ(dialog.minBox()->text(), "-2e-09");
    EXPECT_EQ(dialog.windowTitle(), "Set data range");
    // The keyboard order starts with the buttons.
    EXPECT_EQ(QApplication::focusWidget(), dialog.okButton());
}

TEST_F(DialogTest, RangeDialogChecksMinAgainstMax) {
    CMinMax dialog(messages);
    open(dialog);
    type(dialog.maxBox(), "2");
    type(dialog.minBox(), "5");
    pressOk(dialog);
    expectOnlyWarning("Min should be less than max.");
    EXPECT_TRUE(dialog.isVisible());

    type(dialog.minBox(), "2");
    pressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.min, 2.0);
    EXPECT_EQ(dialog.max, 2.0);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(DialogTest, NumberBoxesReadLikeScanfAndRefuseWhatIsNoNumber) {
    CMinMax dialog(messages);
    open(dialog);
    type(dialog.maxBox(), "12abc");
    type(dialog.minBox(), "letters");
    pressOk(dialog);
    expectOnlyWarning("Enter a number.");
    EXPECT_EQ(dialog.max, 12.0); // read before the failing box
    EXPECT_EQ(QApplication::focusWidget(), dialog.minBox());
    EXPECT_EQ(dialog.minBox()->selectedText(), "letters");
    EXPECT_TRUE(dialog.isVisible());

    for (const char* bad : {"", "nan", "inf", "1e999"}) {
        type(dialog.minBox(), "1");
        type(dialog.maxBox(), bad);
        pressOk(dialog);
        expectOnlyWarning("Enter a number.");
        EXPECT_EQ(QApplication::focusWidget(), dialog.maxBox()) << bad;
    }
}

TEST_F(DialogTest, ResetEndsWithZerosWithoutReadingTheBoxes) {
    CMinMax dialog(messages);
    dialog.max = 3;
    dialog.min = 1;
    open(dialog);
    type(dialog.maxBox(), "not a number");
    QTest::mouseClick(dialog.resetButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.max, 0.0);
    EXPECT_EQ(dialog.min, 0.0);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(DialogTest, PaddingDialogTakesDigitsOnlyAndHandsBackAnyCounts) {
    CPadDlg dialog(messages);
    dialog.left = 2;
    open(dialog);
    EXPECT_EQ(dialog.leftBox()->text(), "2");
    EXPECT_EQ(dialog.windowTitle(), "Remove Padding Cells");
    dialog.leftBox()->clear();
    QTest::keyClicks(dialog.leftBox(), "-3x");
    EXPECT_EQ(dialog.leftBox()->text(), "3");
    type(dialog.rightBox(), "3");
    type(dialog.bottomBox(), "");
    pressOk(dialog);
    expectOnlyWarning("Enter an integer.");
    EXPECT_EQ(QApplication::focusWidget(), dialog.bottomBox());

    type(dialog.bottomBox(), "5");
    pressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.left, 3);
    EXPECT_EQ(dialog.right, 3);
    EXPECT_EQ(dialog.bottom, 5);
}

TEST_F(DialogTest, PaddingCountBeyondThirtyTwoBitsIsRefused) {
    CPadDlg dialog(messages);
    open(dialog);
    type(dialog.bottomBox(), "1");
    type(dialog.leftBox(), "4294967297");
    pressOk(dialog);
    expectOnlyWarning("Enter an integer.");
    EXPECT_EQ(QApplication::focusWidget(), dialog.leftBox());
}

TEST_F(DialogTest, AreaDialogChecksLeftRightBeforeDepth) {
    CAreaIntrst dialog(messages);
    open(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Area of Interest");
    type(dialog.leftBox(), "100");
    type(dialog.rightBox(), "50");
    type(dialog.depthBox(), "-1");
    pressOk(dialog);
    expectOnlyWarning("Left point cannot be greater than\nthe right one.");

    type(dialog.rightBox(), "150");
    pressOk(dialog);
    expectOnlyWarning("Depth cannot be negative.");

    type(dialog.rightBox(), "oops");
    pressOk(dialog);
    expectOnlyWarning("Enter a number.");
    EXPECT_EQ(QApplication::focusWidget(), dialog.rightBox());

    type(dialog.leftBox(), "50");
    type(dialog.rightBox(), "50");
    type(dialog.depthBox(), "0");
    pressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.left, 50.0);
    EXPECT_EQ(dialog.depth, 0.0);
}

TEST_F(DialogTest, ExaggerationDialogTakesNumbersFromOneToAHundred) {
    CVertExag dialog(messages);
    open(dialog);
    type(dialog.factorBox(), "100.5");
    pressOk(dialog);
    expectOnlyWarning("Vertical exaggeration must be from 1 to 100.");
    type(dialog.factorBox(), "tall");
    pressOk(dialog);
    expectOnlyWarning("Enter a number.");
    type(dialog.factorBox(), "1");
    pressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(DialogTest, EscapeCancelsAtOnceAndBoxesTakeNoDrops) {
    CAreaIntrst dialog(messages);
    open(dialog);
    EXPECT_FALSE(dialog.leftBox()->acceptDrops());
    type(dialog.leftBox(), "not checked");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(messages.entries.empty());
}
} // namespace
