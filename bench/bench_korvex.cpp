// Times the stages of a large model's life on data written by make_bench_data.py:
// parse, layout, paint, partial repaint, readout, the vector exports and the cell value
// files. Run by hand (bench/run-benchmarks.sh runs it); nothing here is a test. Each
// figure is the median of several runs and is printed as "name<TAB>value<TAB>unit".
#include "document/CTest1Doc.h"
#include "document/MeshReader.h"
#include "document/ModelReader.h"
#include "document/RecordingMessages.h"
#include "doi/DoiComputation.h"
#include "plot/PageExport.h"
#include "plot/PageMapping.h"
#include "plot/PointerReadout.h"
#include "plot/SectionPainter.h"
#include "plot/SectionWindow.h"
#include "plot/ViewState.h"
#include "weights/WeightReader.h"
// Older revisions, measured with this program as the baseline, have no cell export.
#if __has_include("export/CellExport.h")
#include "export/CellExport.h"
#define KORVEX_CELL_EXPORT 1
#endif

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

// Older revisions (a "before" build of the benchmark script) save through Qt.
#if __has_include("plot/PngWriter.h")
#include "plot/PngWriter.h"
#else
static bool WritePng(const QImage& image, const QString& name) {
    return image.save(name, "PNG");
}
#endif

namespace {

// Newer revisions report why a PNG could not be written; the benchmark only needs it written.
template <typename Image> bool SavePng(const Image& image, const QString& name) {
    if constexpr (requires(QString error) { WritePng(image, name, error); }) {
        QString error;
        return WritePng(image, name, error);
    } else {
        return WritePng(image, name);
    }
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

// Median wall time of `work` in milliseconds.
double Milliseconds(int repeats, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    return Median(times);
}

double FileMegabytes(const std::string& name) {
    struct stat info {};
    return ::stat(name.c_str(), &info) == 0 ? info.st_size / 1e6 : 0.0;
}

void Print(const std::string& size, const char* figure, double value, const char* unit) {
    std::printf("%s.%s\t%.4g\t%s\n", size.c_str(), figure, value, unit);
    std::fflush(stdout);
}

int Run(const std::string& folder, const std::string& size, int repeats) {
    // The files are named relative to the data folder, as the document names them.
    const std::string name = "bench-" + size;
    const std::string base = folder + "/" + name;
    RecordingMessages messages;
    CTest1Doc document(messages, folder);

    // Parse: the model reader alone (file read, numbers, logarithms), then the mesh.
    const double modelMs = Milliseconds(repeats, [&] {
        document.mesh = MeshGrid();
        if (ReadModel(folder, name + ".con", Conductivity, document.mesh, document.model,
                      messages) != ReadResult::Ok)
            std::fprintf(stderr, "model read failed\n");
    });
    const double megabytes = FileMegabytes(base + ".con");
    Print(size, "model_read_ms", modelMs, "ms");
    Print(size, "model_parse_rate", megabytes / (modelMs / 1000.0), "MB/s");
    const double meshMs = Milliseconds(repeats, [&] {
        if (ReadMesh(folder, name + ".msh", document.mesh, messages) != ReadResult::Ok)
            std::fprintf(stderr, "mesh read failed\n");
    });
    Print(size, "mesh_read_ms", meshMs, "ms");
    document.loaded = true;

    ViewState state;
    const double layoutMs = Milliseconds(repeats, [&] { ApplyDocumentUpdate(state, document); });
    Print(size, "layout_ms", layoutMs, "ms");

    const double weightsMs = Milliseconds(repeats, [&] {
        document.weightsLoaded = ReadWeightFile(document.mesh.nx, document.mesh.nz, folder,
                                                name + ".wts", document.weights, messages);
    });
    Print(size, "weights_read_ms", weightsMs, "ms");
    ApplyDocumentUpdate(state, document);
    const double doiMs = Milliseconds(repeats, [&] {
        ComputeDoi(document, name + ".doi", DoiMethod::RecoveredModel, state.doi, messages);
    });
    Print(size, "doi_read_ms", doiMs, "ms");
    if (!document.weightsLoaded || !state.doi.shown || !state.settings.showWeights)
        std::fprintf(stderr, "weights or depth of investigation not shown\n");

    long lookups = 0;
    state.cellLookObserver = [&](int, int) { ++lookups; };

    const QSize client(1600, 1200);
    const PageMapping mapping = MappingFor(state, client);
    QImage image(mapping.pageSizePixels(), QImage::Format_RGB32);
    const double paintMs = Milliseconds(repeats, [&] {
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintPage(painter, document, state, mapping, QRegion(image.rect()));
    });
    Print(size, "paint_full_ms", paintMs, "ms");

    // A wheel notch in and its repaint, in and out between the whole section and eight
    // notches: the window changes, the layout runs again and the page is painted
    // through the window.
    const SectionWindow whole = WholeSection(document.mesh, state.settings);
    const double minWidth = MinWindowWidth(document.mesh, state.settings);
    int notch = 0;
    const double zoomMs = Milliseconds(std::max(repeats, 16), [&] {
        const double factor =
            (notch++ / 8) % 2 == 0 ? DisplaySettings::ZoomStep : 1.0 / DisplaySettings::ZoomStep;
        state.setZoom(document,
                      ZoomWindow(state.layout.window, whole, whole.left + 0.37 * whole.width(),
                                 whole.top + 0.21 * whole.height(), factor, minWidth));
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintPage(painter, document, state, mapping, QRegion(image.rect()));
    });
    Print(size, "paint_zoom_ms", zoomMs, "ms");
    state.setZoom(document, whole);

    // The Log10 and Conductivity / Resistivity repaint: everything but the section.
    const QRegion outside = QRegion(image.rect()) - SectionRect(state.layout, mapping);
    lookups = 0;
    const double partialMs = Milliseconds(repeats, [&] {
        QPainter painter(&image);
        painter.setClipRegion(outside);
        PaintPage(painter, document, state, mapping, outside);
    });
    Print(size, "paint_partial_ms", partialMs, "ms");
    Print(size, "paint_partial_cell_lookups", static_cast<double>(lookups), "cells");

    state.settings.showMesh = true;
    const double meshPaintMs = Milliseconds(repeats, [&] {
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintPage(painter, document, state, mapping, QRegion(image.rect()));
    });
    Print(size, "paint_mesh_lines_ms", meshPaintMs, "ms");
    state.settings.showMesh = false;

    const double pngMs =
        Milliseconds(repeats, [&] { SavePng(image, QString::fromStdString(base + "-bench.png")); });
    Print(size, "png_encode_ms", pngMs, "ms");

    // Readout: a sweep of pointer positions across the section.
    const QRect section = SectionRect(state.layout, mapping);
    const int points = 20000;
    std::size_t characters = 0;
    const double readoutMs = Milliseconds(repeats, [&] {
        for (int i = 0; i < points; ++i) {
            const double px = section.left() + (i * 7919 % section.width());
            const double py = section.top() + (i * 104729 % section.height());
            characters += ReadoutText(document, state, mapping, px, py).value_or("").size();
        }
    });
    Print(size, "readout_us", readoutMs * 1000.0 / points, "us");

#ifdef KORVEX_CELL_EXPORT
    // The cell values out, each file written whole (synced, then renamed), with the
    // depth-of-investigation column shown as in the paints above.
    const CellExportView cells{.selection = state.cellSelection(),
                               .conductivity = state.settings.showConductivity,
                               .doi = &state.doi,
                               .comparison = &state.comparison};
    for (const char* format : {"csv", "xyz", "vtr"}) {
        const std::string name = base + "-bench." + format;
        std::string error;
        const double ms = Milliseconds(repeats, [&] {
            if (!ExportCells(name, CellFormatFor(name), document, cells, error))
                std::fprintf(stderr, "%s\n", error.c_str());
        });
        Print(size, (std::string(format) + "_export_ms").c_str(), ms, "ms");
        Print(size, (std::string(format) + "_export_size").c_str(), FileMegabytes(name), "MB");
    }
#endif

    for (const char* format : {"svg", "pdf"}) {
        const std::string name = base + "-bench." + format;
        QString error;
        const double ms = Milliseconds(repeats, [&] {
            ExportPage(QString::fromStdString(name), ExportFormatFor(QString::fromStdString(name)),
                       document, state, client, error);
        });
        Print(size, (std::string(format) + "_export_ms").c_str(), ms, "ms");
        Print(size, (std::string(format) + "_export_size").c_str(), FileMegabytes(name), "MB");
    }
    return characters > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc < 3) {
        std::fprintf(stderr, "usage: korvex-bench FOLDER SIZE... [--repeat N]\n"
                             "  FOLDER holds the files of bench/make_bench_data.py\n");
        return 2;
    }
    int repeats = 5;
    std::vector<std::string> sizes;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--repeat" && i + 1 < argc)
            repeats = std::max(1, std::atoi(argv[++i]));
        else
            sizes.push_back(arg);
    }
    int status = 0;
    for (const std::string& size : sizes)
        status |= Run(argv[1], size, repeats);
    return status;
}
