#include "plot/PageExport.h"

#include "plot/PageMapping.h"
#include "plot/PngWriter.h"
#include "plot/SectionPainter.h"
#include "plot/ViewState.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegion>
#include <QSvgGenerator>

namespace {
// Vector pages use one device unit per client pixel, at the usual screen resolution.
constexpr int VectorDpi = 96;

bool PaintVector(QPaintDevice& device, const CTest1Doc& document, const ViewState& state,
                 const PageMapping& mapping, QString& error) {
    QPainter painter;
    if (!painter.begin(&device)) {
        error = QStringLiteral("cannot start drawing into the file");
        return false;
    }
    const QSize size = mapping.pageSizePixels();
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    PaintPage(painter, document, state, mapping, QRegion(QRect(QPoint(0, 0), size)));
    if (!painter.end()) {
        error = QStringLiteral("cannot finish writing the file");
        return false;
    }
    return true;
}
} // namespace

ExportFormat ExportFormatFor(const QString& fileName) {
    if (fileName.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return ExportFormat::Png;
    if (fileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return ExportFormat::Svg;
    if (fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return ExportFormat::Pdf;
    return ExportFormat::Unknown;
}

bool ExportPage(const QString& fileName, ExportFormat format, const CTest1Doc& document,
                const ViewState& state, const QSize& client, QString& error) {
    const PageMapping mapping = MappingFor(state, client);
    const QSize size = mapping.pageSizePixels();
    if (size.isEmpty()) {
        error = QStringLiteral("the picture would be empty");
        return false;
    }
    switch (format) {
    case ExportFormat::Png: {
        const QImage image = RenderPageImage(document, state, client);
        if (!WritePng(image, fileName)) {
            error = QStringLiteral("cannot write ") + fileName;
            return false;
        }
        return true;
    }
    case ExportFormat::Svg: {
        QSvgGenerator generator;
        generator.setFileName(fileName);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setResolution(VectorDpi);
        generator.setTitle(QStringLiteral("Model section"));
        return PaintVector(generator, document, state, mapping, error);
    }
    case ExportFormat::Pdf: {
        QPdfWriter writer(fileName);
        writer.setResolution(VectorDpi);
        const QSizeF points(size.width() * 72.0 / VectorDpi, size.height() * 72.0 / VectorDpi);
        writer.setPageSize(QPageSize(points, QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(QStringLiteral("Model section"));
        return PaintVector(writer, document, state, mapping, error);
    }
    case ExportFormat::Unknown:
        break;
    }
    error = QStringLiteral("the file name must end in .png, .svg or .pdf");
    return false;
}
