#include "AppFixture.h"

#include "dialogs/CMinMax.h"
#include "dialogs/CPadDlg.h"
#include "dialogs/CVertExag.h"
#include "dialogs/NumberBox.h"
#include "plot/PageMapping.h"
#include "plot/PointerReadout.h"
#include "shell/CommandIds.h"
#include "shell/ViewCommands.h"

#include <QTest>
#include <QWheelEvent>

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

// Zoom, pan and the vertical exaggeration on a mesh of eight 12.5 m columns.
class ZoomCommandsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        folder.write("grid.msh", "1 0 100 8\n1 0 30 3\n");
        std::string model = "8 3\n";
        for (int i = 1; i <= 24; ++i)
            model += std::to_string(0.01 * i) + " ";
        folder.write("model.con", model);
        ASSERT_TRUE(start({"grid.msh", "model.con"}));
    }
    const SectionWindow& window() { return view().state().layout.window; }
};

TEST_F(ZoomCommandsTest, TheWheelZoomsAboutThePointerAndTheItemsFollow) {
    EXPECT_FALSE(frame().action(ID_ZOOM_OUT)->isEnabled());
    const QPointF pointer = view().mapping().toPixel(3000, 1000); // 30 m across, 10 m down
    const auto readout = [&] {
        return *ReadoutText(doc(), view().state(), view().mapping(), pointer.x(), pointer.y());
    };
    const std::string before = readout();
    QWheelEvent notches(pointer, view().mapToGlobal(pointer), {}, {0, 240}, Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&view(), &notches);
    EXPECT_NEAR(window().width(), 100 / 1.5625, 1e-9);
    EXPECT_EQ(readout(), before);
    EXPECT_TRUE(frame().action(ID_ZOOM_OUT)->isEnabled());

    // The zoom survives resizing; Ctrl+0 brings back the whole section.
    const SectionWindow zoomed = window();
    frame().resize(650, 700);
    QApplication::processEvents();
    EXPECT_EQ(window(), zoomed);
    QTest::keyClick(&view(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_FALSE(view().state().layout.zoomed);
    EXPECT_FALSE(frame().action(ID_WHOLE_SECTION)->isEnabled());

    int steps = 0; // in until four columns, 50 m, are left
    while (frame().Dispatch(ID_ZOOM_IN))
        ++steps;
    EXPECT_EQ(steps, 4);
    EXPECT_DOUBLE_EQ(window().width(), 50);
}

TEST_F(ZoomCommandsTest, DraggingWithShiftPansWithoutAReadout) {
    ASSERT_TRUE(frame().Dispatch(ID_ZOOM_IN));
    const SectionWindow start = window();
    const QPoint from = view().mapping().toPixel(5000, 1000).toPoint();
    const QPoint to = from + QPoint(40, 10);
    const double metresPerPixel = 1 / (view().mapping().factor() * view().state().layout.scale);
    QTest::mousePress(&view(), Qt::LeftButton, Qt::ShiftModifier, from);
    QMouseEvent drag(QEvent::MouseMove, to, view().mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::ShiftModifier);
    QCoreApplication::sendEvent(&view(), &drag);
    EXPECT_EQ(frame().StatusText(), " Norhaven"); // no readout while dragging
    // The picture moved with the pointer: the window the other way.
    EXPECT_NEAR(window().left, start.left - 40 * metresPerPixel, 1e-9);
    EXPECT_LT(window().top, start.top);
}

TEST_F(ZoomCommandsTest, ExaggerationStretchesTheDepthAndPaddingShowsTheWholeSection) {
    answer = [](QDialog& dialog) {
        dynamic_cast<CVertExag&>(dialog).factor = 4;
        return int(QDialog::Accepted);
    };
    ASSERT_TRUE(frame().Dispatch(ID_ZOOM_IN));
    EXPECT_TRUE(frame().Dispatch(ID_VERTICAL_EXAGGERATION));
    const PlotLayout& layout = view().state().layout;
    EXPECT_EQ(layout.depthScale, 4 * layout.scale);
    EXPECT_TRUE(layout.zoomed);
    app->viewCommands().ApplyPadding(1, 0, 0);
    EXPECT_EQ(window().left, 12.5);
    EXPECT_FALSE(layout.zoomed);
}
} // namespace
