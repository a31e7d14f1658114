#include "SectionFixture.h"

#include "plot/CTest1View.h"
#include "plot/PageMapping.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>

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
