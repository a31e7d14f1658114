#include "AppFixture.h"

#include "dialogs/CMinMax.h"
#include "dialogs/CPadDlg.h"
#include "dialogs/NumberBox.h"
#include "plot/PageMapping.h"
#include "plot/PointerReadout.h"
#include "shell/CommandIds.h"
#include "shell/ViewCommands.h"

#include <QTest>

#include <cmath>

namespace {
// Columns 0..100 m in 25 m cells, rows 0..15 and 15..30 m; the last cell is blank.
const char* const Conductivities = "4 2\n0.01 0.02 0.03 0.04\n0.1 0.2 0.3 1e-9\n";

class ViewCommandsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        startWith(Conductivity, Conductivities, true);
    }
    // The client pixel of a point in metres, through the view's own mapping.
    QPointF pixelAt(double x, double depth) {
        const ViewState& s = view().state();
        const double x0 = doc().mesh.xNodes[s.settings.padLeft];
        return view().mapping().toPixel((x - x0) * s.layout.scale, depth * s.layout.scale);
    }
    std::optional<std::string> readout(double x, double depth) {
        const QPointF p = pixelAt(x, depth);
        return ReadoutText(doc(), view().state(), view().mapping(), p.x(), p.y());
    }
};

TEST_F(ViewCommandsTest, ReadoutReportsPositionAndShownValue) {
    // Resistivity display, linear: a cell stored as -2 reads 100.
    const auto text = readout(12.5, 7.5);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "(x, depth, value) = (12.5,  7.5,  100)");
    view().state().settings.showLog = true;
    EXPECT_EQ(*readout(12.5, 7.5), "(x, depth, value) = (12.5,  7.5,  2)");
}

TEST_F(ViewCommandsTest, ReadoutOfABlankCellShowsItsStoredValue) {
    view().state().settings.showConductivity = true;
    EXPECT_EQ(*readout(87.5, 22.5), "(x, depth, value) = (87.5,  22.5,  1e-09)");
    view().state().settings.showLog = true;
    EXPECT_EQ(*readout(87.5, 22.5), "(x, depth, value) = (87.5,  22.5,  -9)");
}

TEST_F(ViewCommandsTest, ReadoutInTheMarginsIsEmpty) {
    EXPECT_EQ(*readout(-10, 5), "");
    EXPECT_EQ(*readout(50, 40), "");
    EXPECT_EQ(*ReadoutText(doc(), view().state(), view().mapping(), 790, 5), "");
}

TEST_F(ViewCommandsTest, ReadoutOnANodeLineBelongsToTheCellBefore) {
    view().state().settings.showConductivity = true;
    view().state().settings.showLog = true;
    EXPECT_EQ(*readout(25, 15), "(x, depth, value) = (25.0,  15.0,  -2)");
}

TEST_F(ViewCommandsTest, ReadoutAtThePaddedLeftEdgeReportsTheFirstVisibleColumn) {
    app->viewCommands().ApplyPadding(1, 0, 0);
    view().state().settings.showConductivity = true;
    view().state().settings.showLog = true;
    const auto text = readout(25, 7.5);
    ASSERT_TRUE(text);
    // Column 1 holds 0.02 S/m, stored as log10(0.02).
    EXPECT_EQ(*text, "(x, depth, value) = (25.0,  7.5,  -1.699)");
}

TEST_F(ViewCommandsTest, MouseDragUpdatesTheStatusBarAndReleaseRestoresIdle) {
    const QPoint inside = pixelAt(12.5, 7.5).toPoint();
    QTest::mousePress(&view(), Qt::LeftButton, {}, inside);
    EXPECT_TRUE(frame().StatusText().startsWith("(x, depth, value) = ("));
    QMouseEvent drag(QEvent::MouseMove, pixelAt(62.5, 22.5),
                     view().mapToGlobal(pixelAt(62.5, 22.5)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&view(), &drag);
    EXPECT_TRUE(frame().StatusText().contains("62.5"));
    QTest::mouseRelease(&view(), Qt::LeftButton, {}, inside);
    EXPECT_EQ(frame().StatusText(), " Norhaven");
    // Moving without the button changes nothing.
    QTest::mouseMove(&view(), inside);
    EXPECT_EQ(frame().StatusText(), " Norhaven");
}

TEST_F(ViewCommandsTest, PaddingIsTakenOnlyWhereItFits) {
    ViewCommands& commands = app->viewCommands();
    DisplaySettings& s = view().state().settings;
    commands.ApplyPadding(2, 2, 1); // 4 is not less than 4 columns
    EXPECT_EQ(s.padLeft, 0);
    EXPECT_EQ(s.padRight, 0);
    EXPECT_EQ(s.padBottom, 1);
    commands.ApplyPadding(1, 2, 2);
    EXPECT_EQ(s.padLeft, 1);
    EXPECT_EQ(s.padRight, 2);
    EXPECT_EQ(s.padBottom, 1);
    commands.ApplyPadding(-1, 2, -5);
    EXPECT_EQ(s.padLeft, 1);
    EXPECT_EQ(s.padBottom, 1);
    commands.ApplyPadding(2147483647LL, 2147483647LL, 0);
    EXPECT_EQ(s.padLeft, 1);
    EXPECT_EQ(s.padBottom, 0);
    // One visible column of 25 m fills the section.
    EXPECT_DOUBLE_EQ(view().state().layout.scale, 10000.0 / 25.0);
}

TEST_F(ViewCommandsTest, PaddingDialogValuesGoThroughTheMeshCheck) {
    answer = [](QDialog& dialog) {
        auto& pad = dynamic_cast<CPadDlg&>(dialog);
        EXPECT_EQ(pad.left, 0);
        pad.left = 3;
        pad.right = 0;
        pad.bottom = 1;
        return int(QDialog::Accepted);
    };
    EXPECT_TRUE(frame().Dispatch(ID_PADDING_CELLS));
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_EQ(view().state().settings.padLeft, 3);
    EXPECT_EQ(view().state().settings.padBottom, 1);
}

TEST_F(ViewCommandsTest, MinMaxDialogShowsAndTakesShownValues) {
    view().state().settings.showConductivity = true;
    view().state().settings.showLog = true;
    double shownMax = 0;
    answer = [&](QDialog& dialog) {
        auto& range = dynamic_cast<CMinMax&>(dialog);
        shownMax = range.max;
        range.min = -1.5;
        range.max = -0.5;
        return int(QDialog::Accepted);
    };
    EXPECT_TRUE(frame().Dispatch(ID_MIN_MAX));
    EXPECT_EQ(shownMax, static_cast<double>(std::log10(0.3f)));
    EXPECT_EQ(view().state().settings.rangeMin, -1.5);
    EXPECT_EQ(view().state().settings.rangeMax, -0.5);

    // Cancel changes nothing; Reset's zeros bring back the model's range.
    answer = [](QDialog&) { return int(QDialog::Rejected); };
    EXPECT_TRUE(frame().Dispatch(ID_MIN_MAX));
    EXPECT_EQ(view().state().settings.rangeMin, -1.5);
    answer = [](QDialog& dialog) {
        auto& range = dynamic_cast<CMinMax&>(dialog);
        range.min = range.max = 0;
        return int(QDialog::Accepted);
    };
    EXPECT_TRUE(frame().Dispatch(ID_MIN_MAX));
    EXPECT_EQ(view().state().settings.rangeMin, doc().model.valueMin);
    EXPECT_EQ(view().state().settings.rangeMax, doc().model.valueMax);
}

TEST_F(ViewCommandsTest, LinearRangeEndsWithoutALogarithmAreRefused) {
    const double min = view().state().settings.rangeMin;
    answer = [](QDialog& dialog) {
        auto& range = dynamic_cast<CMinMax&>(dialog);
        range.min = 0;
        range.max = 100;
        return int(QDialog::Accepted);
    };
    EXPECT_TRUE(frame().Dispatch(ID_MIN_MAX));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].kind, RecordingMessages::Kind::Warning);
    EXPECT_EQ(view().state().settings.rangeMin, min);
    EXPECT_TRUE(std::isfinite(view().state().settings.rangeMax));
}

// The copy is the whole page at the window's scale: f = min(Wc / 16000, Hc / pageHeight).
QSize expectedPageSize(const CTest1View& view) {
    const double height = view.state().pageHeight();
    const double f = std::min(view.width() / 16000.0, view.height() / height);
    return {int(std::lround(16000 * f)), int(std::lround(height * f))};
}

TEST_F(ViewCommandsTest, CopiedImageGrowsWithTheConvergenceBand) {
    // A wide window: the page is width-limited and the band makes the copy taller.
    frame().resize(1000, 900);
    QApplication::processEvents();
    const QImage plain = view().pageImage();
    EXPECT_EQ(plain.size(), expectedPageSize(view()));
    EXPECT_EQ(plain.width(), view().width());
    EXPECT_TRUE(frame().Dispatch(ID_CONVERGENCE));
    const QImage taller = view().pageImage();
    EXPECT_EQ(taller.size(), expectedPageSize(view()));
    EXPECT_NEAR(taller.height() - plain.height(), 5800 * view().width() / 16000.0, 1.0);

    // A short window: the page keeps the window's height and narrows.
    frame().resize(1000, 300);
    QApplication::processEvents();
    const QImage limited = view().pageImage();
    EXPECT_EQ(limited.size(), expectedPageSize(view()));
    EXPECT_EQ(limited.height(), view().height());
    EXPECT_LT(limited.width(), view().width());
}
} // namespace
