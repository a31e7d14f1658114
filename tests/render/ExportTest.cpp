#include "SectionFixture.h"

#include "plot/PageExport.h"
#include "plot/PngWriter.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

const QSize Client(1600, 1200);

TEST(Export, FormatByFileNameEnding) {
    EXPECT_EQ(ExportFormatFor("a.png"), ExportFormat::Png);
    EXPECT_EQ(ExportFormatFor("dir.svg/A.SVG"), ExportFormat::Svg);
    EXPECT_EQ(ExportFormatFor("x.Pdf"), ExportFormat::Pdf);
    EXPECT_EQ(ExportFormatFor("x.jpg"), ExportFormat::Unknown);
    EXPECT_EQ(ExportFormatFor("png"), ExportFormat::Unknown);
}

TEST(Export, SvgHoldsTheCellsAsAnImageAndTheRestAsVectors) {
    SectionFixture f;
    f.loadSmallSection();
    f.state.settings.areaLeft = 100;
    f.state.settings.areaRight = 900;
    f.state.settings.areaDepth = 200;
    QTemporaryDir dir;
    const QString file = dir.filePath("section.svg");
    QString error;
    ASSERT_TRUE(ExportPage(file, ExportFormat::Svg, f.document, f.state, Client, error))
        << error.toStdString();
    QFile in(file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray svg = in.readAll();
    EXPECT_EQ(svg.count("<image"), 1);
    EXPECT_TRUE(svg.contains(">Resistivity Model</text>"));
    EXPECT_TRUE(svg.contains(">Ohm - m</text>"));
    EXPECT_TRUE(svg.contains(">1000</text>"));

    // Drawn back, it is the PNG's picture: same cells, same white outside the area.
    QSvgRenderer renderer(file);
    ASSERT_TRUE(renderer.isValid());
    const QImage png = f.render(Client);
    QImage drawn(png.size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter painter(&drawn);
        renderer.render(&painter, QRectF(QPointF(0, 0), png.size()));
    }
    const double s = f.state.layout.scale;
    for (auto [xm, zm] : {std::pair{500.0, 60.0}, std::pair{150.0, 30.0}, std::pair{120.0, 150.0},
                          std::pair{875.0, 180.0}, std::pair{700.0, 20.0}}) {
        const QPoint p = f.pixelOf(xm * s, zm * s, Client);
        EXPECT_EQ(drawn.pixel(p) & 0xffffff, png.pixel(p) & 0xffffff) << xm << " m, " << zm << " m";
    }
}

TEST(Export, PdfIsWrittenAsOnePage) {
    SectionFixture f;
    f.loadSmallSection();
    QTemporaryDir dir;
    const QString file = dir.filePath("section.pdf");
    QString error;
    ASSERT_TRUE(ExportPage(file, ExportFormat::Pdf, f.document, f.state, Client, error));
    QFile in(file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray pdf = in.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "),
              1);
    EXPECT_TRUE(pdf.contains("/Subtype /Image"));
}

TEST(Export, UnwritablePlaceIsReportedWithItsReason) {
    SectionFixture f;
    f.loadSmallSection();
    for (const auto format : {ExportFormat::Png, ExportFormat::Svg, ExportFormat::Pdf}) {
        QString error;
        EXPECT_FALSE(
            ExportPage("/nonexistent-folder/x", format, f.document, f.state, Client, error));
        // The file's name and the system's reason, not only that something failed.
        EXPECT_TRUE(error.startsWith("cannot write /nonexistent-folder/x: "))
            << error.toStdString();
        EXPECT_GT(error.size(), QString("cannot write /nonexistent-folder/x: ").size());
    }
}

// The PNG writer compresses in two halves on two threads: the file must decode to the
// very pixels of the image, whatever its size and wherever the halves meet.
TEST(Export, PngDecodesToTheImagePixelForPixel) {
    QTemporaryDir dir;
    const QString file = dir.filePath("picture.png");
    std::mt19937 random(3);
    std::vector<QImage> images;
    for (const QSize size :
         {QSize(1, 1), QSize(7, 3), QSize(301, 63), QSize(257, 64), QSize(1000, 701)}) {
        QImage noise(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                // Runs of repeated colours between the noise, as in a section picture.
                const QRgb colour = random() % 4 == 0
                                        ? qRgb(int(random() % 256), 7, int(random() % 256))
                                        : qRgb(y % 256, 40, 200);
                noise.setPixel(x, y, colour);
            }
        }
        images.push_back(noise);
    }
    SectionFixture f;
    f.loadSmallSection();
    images.push_back(f.render(Client));
    for (const QImage& image : images) {
        QString error;
        ASSERT_TRUE(WritePng(image, file, error)) << error.toStdString();
        const QImage decoded(file, "PNG");
        ASSERT_EQ(decoded.size(), image.size());
        EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32), image)
            << image.width() << " x " << image.height();
        EXPECT_EQ(decoded.dotsPerMeterX(), image.dotsPerMeterX());
    }
}

} // namespace
