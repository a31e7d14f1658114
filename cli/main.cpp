#include "RenderOptions.h"

#include "document/CTest1Doc.h"
#include "document/CommandLine.h"
#include "document/ProcessExit.h"
#include "document/StreamMessages.h"
#include "plot/PageExport.h"
#include "plot/ViewState.h"

#include <QGuiApplication>

#include <clocale>
#include <iostream>
#include <string>
#include <vector>

namespace {
int Run(const std::vector<std::string>& args) {
    RenderOptions options;
    std::string problem;
    if (!ParseRenderOptions(args, options, problem)) {
        std::cerr << "error: " << problem << "\n" << RenderUsage();
        return 2;
    }
    if (options.help) {
        std::cout << RenderUsage();
        return 0;
    }
    const QString output = QString::fromStdString(options.output);
    const ExportFormat format = ExportFormatFor(output);
    if (format == ExportFormat::Unknown) {
        std::cerr << "error: the output file name must end in .png, .svg or .pdf: "
                  << options.output << "\n";
        return 2;
    }
    if (!ParseCommandLine(options.documentArgs).hasNames) {
        std::cerr << "error: name a mesh file and a model file (mesh first, then model)\n"
                  << RenderUsage();
        return 1;
    }

    // The viewer's own start-up load, messages and exit statuses, on standard error.
    StreamMessages messages(std::cerr);
    CTest1Doc document(messages);
    document.ApplyCommandLine(options.documentArgs);

    ViewState state;
    ApplyDocumentUpdate(state, document);
    if (!ApplySettings(options.settings, state, document, problem)) {
        std::cerr << "error: " << problem << "\n";
        return 2;
    }

    QString failure;
    if (!ExportPage(output, format, document, state, QSize(options.width, options.height),
                    failure)) {
        std::cerr << "error: " << failure.toStdString() << "\n";
        return 1;
    }
    return 0;
}
// Standard error carries the viewer's messages only; the toolkit's own chatter (such as
// a missing runtime folder on a headless machine) would read like one of them.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "error: " << text.toStdString() << "\n";
}
} // namespace

int main(int argc, char** argv) {
    // Batch runs and tests have no display; the picture needs none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    // The application object has removed its own options from argv by now.
    const std::vector<std::string> args(argv + 1, argv + argc);

    SetProcessExitHandler([](int status) { throw ProcessEnded{status}; });
    try {
        return Run(args);
    } catch (const ProcessEnded& ended) {
        return ended.status & 0xff;
    }
}
