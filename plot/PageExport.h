#pragma once

#include <QSize>
#include <QString>

class CTest1Doc;
struct ViewState;

enum class ExportFormat { Unknown, Png, Svg, Pdf };

// By the file name's ending (.png, .svg, .pdf; any letter case).
ExportFormat ExportFormatFor(const QString& fileName);

// Writes the whole page as it would be copied from a client area of this size: PNG as
// pixels, SVG and PDF as vectors around the section's embedded image. On failure
// returns false with a reason in `error`.
bool ExportPage(const QString& fileName, ExportFormat format, const CTest1Doc& document,
                const ViewState& state, const QSize& client, QString& error);
