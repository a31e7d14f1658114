#include "SectionFixture.h"

#include "plot/CTest1View.h"
#include "plot/PageMapping.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <clocale>
#include <optional>

namespace {

// The small section loaded into the widget's document, as the viewer's start-up would.
struct ViewFixture : SectionFixture {
    ViewFixture() : view(document) {
        view.setHideScaleButtonsHandler([this](bool hide) { hidden = hide; });
    }
    QRgb pixelAt(const QPoint& p) {
        return view.grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(p) & 0xffffff;
    }
    CTest1View view;
    std::optional<bool> hidden;
};

TEST(View, NothingIsDrawnOrResetBeforeData) {
    ViewFixture f;
    f.view.resize(800, 600);
    f.view.OnUpdate();
    EXPECT_FALSE(f.hidden.has_value());
    const QImage image = f.view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(AllPixels(image, image.rect(), 0xffffff));
}

TEST(View, DocumentUpdateTellsTheFrameAboutTheScaleButtons) {
    ViewFixture f;
    f.loadSmallSection();
    f.document.modelKind = Chargeability;
    f.view.OnUpdate();
    EXPECT_EQ(f.hidden, true);
    EXPECT_TRUE(f.view.state().settings.showLog);
    f.document.modelKind = Conductivity;
    f.view.OnUpdate();
    EXPECT_EQ(f.hidden, false);
}

TEST(View, PaintsThePageAndRescalesWithTheWindow) {
    ViewFixture f;
    f.loadSmallSection();
    f.view.OnUpdate();
    for (QSize size : {QSize(800, 600), QSize(1600, 1200), QSize(400, 1000)}) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        f.view.resize(size);
        EXPECT_DOUBLE_EQ(f.view.mapping().factor(),
                         std::min(size.width() / 16000.0, size.height() / 4900.0));
        const QPoint lowest = f.cellCentre(0, 0, size);
        EXPECT_EQ(f.pixelAt(lowest), qRgb(0, 0, 139) & 0xffffffu);
        // The same picture as the clipboard image of the page.
        const QImage page = f.view.pageImage();
        EXPECT_EQ(page.pixel(f.cellCentre(0, 3, size)) & 0xffffff,
                  f.pixelAt(f.cellCentre(0, 3, size)));
    }
    // The section rectangle follows the mapping: logical (-400, -50) at f = 0.05.
    f.view.resize(800, 600);
    EXPECT_EQ(f.view.sectionRect().topLeft(), QPoint(80, 47));
}

// What a fresh paint of the view's state gives at its client size: the page image on
// the white client area.
QImage FreshPaint(const CTest1View& view) {
    QImage image(view.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).drawImage(0, 0, view.pageImage());
    return image;
}

int DifferingPixels(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size())
        return -1;
    int count = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column)
            count += (x.pixel(column, row) & 0xffffff) != (y.pixel(column, row) & 0xffffff);
    return count;
}

// The view below a 30-pixel bar in a top-level window, as the frame holds it.
struct WindowFixture : SectionFixture {
    WindowFixture() {
        window.resize(800, 630);
        view->setGeometry(0, 30, 800, 600);
    }
    // What the window shows in the view's place: its backing store's pixels.
    QImage onScreen() {
        return window.screen()->grabWindow(window.winId()).toImage().copy(view->geometry());
    }
    QWidget window;
    CTest1View* view = new CTest1View(document, {}, &window);
};

// The frame gives the view the focus. A window manager activates a new window after its
// first paint, and the focus arriving then repaints the view.
TEST(ViewRepaint, TheNewWindowShowsTheFreshPaint) {
    WindowFixture f;
    f.loadSmallSection();
    f.view->OnUpdate();
    f.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    QCoreApplication::processEvents();
    f.view->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(DifferingPixels(f.onScreen(), FreshPaint(*f.view)), 0);
}

// A dialog takes the focus and gives it back when it closes; a colour command repaints
// without erase. Each repaint must end with the fresh paint's pixels, again and again.
TEST(ViewRepaint, RepaintsWithoutEraseEndWithTheFreshPaint) {
    WindowFixture f;
    f.loadSmallSection();
    f.view->OnUpdate();
    f.view->setFocus();
    f.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.window));
    for (int i = 0; i < 2; ++i) {
        QDialog dialog(&f.window);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QCoreApplication::processEvents();
        dialog.close();
        f.window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
        QCoreApplication::processEvents();
        EXPECT_EQ(DifferingPixels(f.onScreen(), FreshPaint(*f.view)), 0) << "dialog " << i;
    }
    for (int i = 0; i < 2; ++i) {
        ViewState& state = f.view->state();
        state.settings.flipColours = !state.settings.flipColours;
        state.rebuildColours();
        f.view->repaintView(CTest1View::Repaint::FullWithoutErase);
        QCoreApplication::processEvents();
        EXPECT_EQ(DifferingPixels(f.onScreen(), FreshPaint(*f.view)), 0) << "flip " << i;
    }
}

// The window's view lies below the bar in the window's pixels; the hatch must still be
// where the page image has it, whichever way the cells are drawn.
TEST(ViewRepaint, TheHatchInTheWindowIsWhereThePageImageHasIt) {
    WindowFixture f;
    f.loadSmallSection();
    f.view->OnUpdate();
    ViewState& state = f.view->state();
    state.doi.values = {{1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}};
    state.doi.shown = true;
    f.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.window));
    for (CellDrawing drawing : {CellDrawing::Rectangles, CellDrawing::Image}) {
        state.cellDrawing = drawing;
        f.view->repaintView(CTest1View::Repaint::FullWithErase);
        QCoreApplication::processEvents();
        EXPECT_EQ(DifferingPixels(f.onScreen(), FreshPaint(*f.view)), 0) << int(drawing);
    }
}

} // namespace

int main(int argc, char** argv) {
    // Headless unless told otherwise, also when ctest lists the cases.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
