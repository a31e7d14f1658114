#include "plot/PageExport.h"

#include "plot/PageMapping.h"
#include "plot/PngWriter.h"
#include "plot/SectionPainter.h"
#include "plot/ViewState.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegion>
#include <QSaveFile>
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

// The painters write through a save file, so that a picture appears whole or not at all
// and a failed write (a full disk) names its reason instead of leaving a cut file.
QString CannotWrite(const QString& fileName, const QString& reason) {
    return QStringLiteral("cannot write ") + fileName + QStringLiteral(": ") + reason;
}

bool Commit(QSaveFile& file, bool painted, QString& error) {
    if (!painted || file.error() != QFileDevice::NoError) {
        if (file.error() != QFileDevice::NoError)
            error = CannotWrite(file.fileName(), file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = CannotWrite(file.fileName(), file.errorString());
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
        QString reason;
        if (!WritePng(image, fileName, reason)) {
            error = CannotWrite(fileName, reason);
            return false;
        }
        return true;
    }
    case ExportFormat::Svg: {
        QSaveFile file(fileName);
        if (!file.open(QIODevice::WriteOnly)) {
            error = CannotWrite(fileName, file.errorString());
            return false;
        }
        bool painted = false;
        {
            QSvgGenerator generator;
            generator.setOutputDevice(&file);
            generator.setSize(size);
            generator.setViewBox(QRect(QPoint(0, 0), size));
            generator.setResolution(VectorDpi);
            generator.setTitle(QStringLiteral("Model section"));
            painted = PaintVector(generator, document, state, mapping, error);
        }
        return Commit(file, painted, error);
    }
    case ExportFormat::Pdf: {
        QSaveFile file(fileName);
        if (!file.open(QIODevice::WriteOnly)) {
            error = CannotWrite(fileName, file.errorString());
            return false;
        }
        bool painted = false;
        {
            QPdfWriter writer(&file);
            writer.setResolution(VectorDpi);
            const QSizeF points(size.width() * 72.0 / VectorDpi, size.height() * 72.0 / VectorDpi);
            writer.setPageSize(QPageSize(points, QPageSize::Point));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            writer.setTitle(QStringLiteral("Model section"));
            painted = PaintVector(writer, document, state, mapping, error);
        }
        return Commit(file, painted, error);
    }
    case ExportFormat::Unknown:
        break;
    }
    error = QStringLiteral("the file name must end in .png, .svg or .pdf");
    return false;
}
