// "Compare with model ..." and "Export data ..." in the window, with the dialogs and the
// save chooser answered by the test.
#include "AppFixture.h"

#include "dialogs/CCompare.h"
#include "dialogs/CMinMax.h"
#include "dialogs/FileChooser.h"
#include "shell/CommandIds.h"

#include <QFile>
#include <QPushButton>
#include <QTest>

#include <fstream>
#include <sstream>

namespace {
using Kind = RecordingMessages::Kind;
const char* const Conductivities = "4 2\n0.01 0.02 0.03 0.04\n0.1 0.2 0.3 1e-9\n";

class CompareExportTest : public AppFixture {
protected:
    void SetUp() override { startWith(Conductivity, Conductivities); }

    // Answers the comparison dialog with a file and a mode.
    void answerCompare(const std::string& file, bool ratio, bool reset = false) {
        answer = [=](QDialog& dialog) {
            auto& compare = dynamic_cast<CCompare&>(dialog);
            compare.fileName = file;
            compare.ratio = ratio;
            compare.resetRequested = reset;
            return int(QDialog::Accepted);
        };
    }
    const ModelComparison& comparison() { return view().state().comparison; }
    std::string readFile(const std::string& name) {
        std::ifstream in(name);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

TEST_F(CompareExportTest, DialogNeedsAnExistingFileUnlessReset) {
    CCompare dialog(messages, folder.path().string());
    dialog.show();
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0],
              (RecordingMessages::Entry{Kind::Warning, "Comparison model file is missing."}));
    QTest::mouseClick(dialog.resetButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.resetRequested);
}

TEST_F(CompareExportTest, ASecondModelOfOtherCountsChangesNothing) {
    folder.write("doubled.con", "4 2\n0.02 0.04 0.06 0.08\n0.2 0.4 0.6 0.8\n");
    answerCompare(folder.at("doubled.con"), false);
    ASSERT_TRUE(frame().Dispatch(ID_COMPARE_MODEL));
    ASSERT_TRUE(comparison().shown);
    EXPECT_NEAR(comparison().values.values[0][0], -50.0f, 1e-3); // resistivity halved

    folder.write("wide.con", "5 2\n1 1 1 1 1\n1 1 1 1 1\n");
    answerCompare(folder.at("wide.con"), true);
    ASSERT_TRUE(frame().Dispatch(ID_COMPARE_MODEL));
    EXPECT_EQ(messages.entries.back(),
              (RecordingMessages::Entry{Kind::Warning, DoesNotFitMessage()}));
    EXPECT_TRUE(comparison().shown);
    EXPECT_EQ(comparison().mode, ComparisonMode::Percent);

    // Min / Max shows and takes the range in percent; 0 and 0 go back to the symmetric one.
    double seenMax = 0.0;
    const auto answerRange = [&](double min, double max) {
        answer = [&seenMax, min, max](QDialog& dialog) {
            auto& range = dynamic_cast<CMinMax&>(dialog);
            seenMax = range.max;
            range.min = min;
            range.max = max;
            return int(QDialog::Accepted);
        };
    };
    answerRange(-20.0, 30.0);
    ASSERT_TRUE(frame().Dispatch(ID_MIN_MAX));
    EXPECT_NEAR(seenMax, 50.0, 1e-3);
    EXPECT_EQ(comparison().rangeMax, 30.0);
    answerRange(0.0, 0.0);
    ASSERT_TRUE(frame().Dispatch(ID_MIN_MAX));
    EXPECT_NEAR(comparison().rangeMin, -50.0, 1e-3);

    // Conductivity / Resistivity takes the comparison along; Reload ends it.
    ASSERT_TRUE(frame().Dispatch(ID_COND_RES));
    EXPECT_NEAR(comparison().values.values[0][0], 100.0f, 1e-3);
    EXPECT_NEAR(comparison().rangeMax, 100.0, 1e-3);
    ASSERT_TRUE(frame().Dispatch(ID_RELOAD));
    EXPECT_FALSE(comparison().shown);
}

TEST_F(CompareExportTest, ExportWritesTheChosenFormatOrWarns) {
    QString offered;
    std::string answerName = folder.at("cells");
    const QString answerFilter = "XYZ (*.xyz)";
    ScopedSaveChooser chooser(
        [&](QWidget*, const QString&, const QString&, const QString& filters, QString* selected) {
            offered = filters;
            *selected = answerFilter;
            return QString::fromStdString(answerName);
        });
    ASSERT_TRUE(frame().Dispatch(ID_EXPORT_DATA));
    EXPECT_EQ(offered, "CSV (*.csv);;XYZ (*.xyz);;VTK rectilinear grid (*.vtr)");
    // A name without an ending takes the chosen filter's; the blank cell is left out.
    const std::string xyz = readFile(folder.at("cells.xyz"));
    EXPECT_EQ(std::count(xyz.begin(), xyz.end(), '\n'), 7);

    answerName = folder.at("gone/cells.csv");
    ASSERT_TRUE(frame().Dispatch(ID_EXPORT_DATA));
    EXPECT_EQ(messages.entries.back(),
              (RecordingMessages::Entry{Kind::Warning, "Cannot write " + answerName}));
}
} // namespace
