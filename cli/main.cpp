#include "cli/RenderOptions.h"

#include "convergence/ConvergencePlot.h"
#include "document/CTest1Doc.h"
#include "document/CommandLine.h"
#include "document/LaunchArguments.h"
#include "document/MeshStatistics.h"
#include "document/ModelComparison.h"
#include "document/StreamMessages.h"
#include "document/TextFile.h"
#include "doi/DoiComputation.h"
#include "export/CellExport.h"
#include "plot/PageExport.h"
#include "plot/PageMapping.h"
#include "plot/PageText.h"
#include "plot/PointerReadout.h"
#include "plot/SectionPainter.h"
#include "plot/ViewState.h"
#include "weights/WeightReader.h"

#include <QGuiApplication>

#include <clocale>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

namespace {
// Exit statuses: 0 done, 1 no picture, 2 bad options, 255 (-1) the viewer's own failed
// start-up load.
int Run(const std::vector<std::string>& args, const std::string& launchFolder) {
    RenderOptions options;
    std::string problem;
    if (!ParseRenderOptions(args, options, problem)) {
        std::cerr << "error: " << problem << "\n" << RenderUsage();
        return 2;
    }
    // Asked for beside other options, the version waits for them to be accepted.
    if (options.version) {
        std::cout << "korvex-render " KORVEX_VERSION "\n";
        return 0;
    }
    // Names given here are relative to the launch folder, although the model read
    // moves the document's folder.
    for (std::string* name : {&options.output, &options.weights, &options.xWeights,
                              &options.zWeights, &options.doiFile, &options.compareFile})
        *name = ResolveAgainst(launchFolder, *name);
    const QString output = QString::fromStdString(options.output);
    const ExportFormat format = ExportFormatFor(output);
    const CellFormat cellFormat = CellFormatFor(options.output);
    if (!options.output.empty() && format == ExportFormat::Unknown &&
        cellFormat == CellFormat::Unknown) {
        std::cerr << "error: the output file name must end in .png, .svg, .pdf, .csv, .xyz or "
                     ".vtr: "
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
    CTest1Doc document(messages, launchFolder);
    // The files are read on another thread while the fonts are set up here: the
    // picture waits for both, and neither needs the other.
    bool loaded = false;
    {
        const std::jthread load([&] { loaded = document.ApplyCommandLine(options.documentArgs); });
        PreparePageFonts();
    }
    if (!loaded)
        return 255;

    // The viewer's order: weights (their load ends in a document update), the document
    // update, the display settings, and the mask last, since every update clears it.
    ViewState state;
    state.belowSection = ConvergenceLayer();
    document.AddUpdateListener([&] { ApplyDocumentUpdate(state, document); });
    const bool separate = !options.xWeights.empty();
    if (separate || !options.weights.empty())
        LoadWeights(document, separate, options.weights, options.xWeights, options.zWeights);
    document.UpdateAllViews();
    if (!ApplySettings(options.settings, state, document, problem) ||
        (options.view && !ApplyView(*options.view, state, document, problem))) {
        std::cerr << "error: " << problem << "\n";
        return 2;
    }
    state.settings.doiStyle = options.doiFade ? DoiStyle::Fade : DoiStyle::Hatch;
    if (!options.doiFile.empty()) {
        state.doi.cutoff = CutoffForPosition(options.doiCutoffPosition);
        ComputeDoi(document, options.doiFile,
                   options.doiRecovered ? DoiMethod::RecoveredModel : DoiMethod::Sensitivity,
                   state.doi, messages);
    }

    // Last, like the mask: in the quantity and over the padding the settings chose.
    if (!options.compareFile.empty()) {
        CellModel second;
        switch (ReadSecondModel(document, options.compareFile, second, messages)) {
        case SecondModelRead::Failed:
            return 255;
        case SecondModelRead::DoesNotFit:
            std::cerr << "error: " << DoesNotFitMessage() << "\n";
            return 2;
        case SecondModelRead::Ok:
            break;
        }
        state.showComparison(document, std::move(second),
                             options.compareRatio ? ComparisonMode::Ratio
                                                  : ComparisonMode::Percent);
        // rangeMin and rangeMax given are the comparison's; one given alone keeps the
        // other end of the symmetric range.
        ModelComparison& comparison = state.comparison;
        for (const auto& [field, text] : options.settings) {
            if (field == "rangeMin" || field == "rangeMax") {
                (field == "rangeMin" ? comparison.rangeMin : comparison.rangeMax) =
                    field == "rangeMin" ? state.settings.rangeMin : state.settings.rangeMax;
                comparison.automaticRange = false;
            }
        }
        if (comparison.rangeMin > comparison.rangeMax) {
            std::cerr << "error: --set: rangeMin must not be above rangeMax\n";
            return 2;
        }
    }

    const QSize client(options.width, options.height);
    if (options.stats)
        std::cout << MeshStatisticsText(document.mesh);
    if (options.readout) {
        const auto text = ReadoutText(document, state, MappingFor(state, client), options.readoutX,
                                      options.readoutY);
        std::cout << text.value_or(std::string()) << "\n";
    }
    if (options.output.empty())
        return 0;
    if (cellFormat != CellFormat::Unknown) {
        const CellExportView view{.selection = state.cellSelection(),
                                  .conductivity = state.settings.showConductivity,
                                  .doi = &state.doi,
                                  .comparison = &state.comparison};
        std::string error;
        if (!ExportCells(options.output, cellFormat, document, view, error)) {
            std::cerr << "error: " << error << "\n";
            return 1;
        }
        return 0;
    }
    QString failure;
    if (!ExportPage(output, format, document, state, client, failure)) {
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
    // Help wins over any other argument, refused ones included, and needs no toolkit.
    if (FindInfoRequest(std::vector<std::string>(argv + 1, argv + argc), true) ==
        InfoRequest::Help) {
        std::cout << RenderHelp();
        return 0;
    }
    // Batch runs and tests have no display; the picture needs none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    // The application object has removed its own options from argv by now.
    const std::vector<std::string> args(argv + 1, argv + argc);
    // The program's one look at its working directory, which it never changes: names
    // on the command line are relative to it. Unknown, names are taken as they are.
    std::error_code unknown;
    const std::string launchFolder = std::filesystem::current_path(unknown).string();
    return Run(args, launchFolder);
}
