// Times the start-up load and the page paint for synthetic models of 10 thousand,
// 100 thousand and 1 million cells. Run by hand; nothing here is a test.
#include "document/CTest1Doc.h"
#include "document/StreamMessages.h"
#include "plot/PageExport.h"
#include "plot/PageMapping.h"
#include "plot/SectionPainter.h"
#include "plot/ViewState.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>

namespace {

double Milliseconds(const std::function<void()>& work, int repeats) {
    double best = 1e300;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(end - start).count());
    }
    return best;
}

void WriteFiles(const std::string& folder, int nx, int nz) {
    std::ofstream mesh(folder + "/bench.msh");
    mesh << "1 0 " << nx * 5 << " " << nx << "\n1 0 " << nz * 2 << " " << nz << "\n";
    std::ofstream model(folder + "/bench.con");
    model << nx << " " << nz << "\n";
    char value[32];
    for (int r = 0; r < nz; ++r) {
        for (int c = 0; c < nx; ++c) {
            const double v = std::pow(10.0, -2.0 + std::sin(c * 0.05) * std::cos(r * 0.07));
            std::snprintf(value, sizeof value, "%.5g ", v);
            model << value;
        }
        model << "\n";
    }
}

void Run(const std::string& folder, int nx, int nz) {
    WriteFiles(folder, nx, nz);
    StreamMessages messages(std::cerr);
    CTest1Doc document(messages);
    const double load = Milliseconds(
        [&] {
            document.loaded = false;
            document.ClearData();
            document.ApplyCommandLine({folder + "/bench.msh", folder + "/bench.con"});
        },
        3);
    ViewState state;
    ApplyDocumentUpdate(state, document);

    const QSize client(1600, 1200);
    const PageMapping mapping = MappingFor(state, client);
    QImage image(mapping.pageSizePixels(), QImage::Format_RGB32);
    const double full = Milliseconds(
        [&] {
            image.fill(Qt::white);
            QPainter painter(&image);
            PaintPage(painter, document, state, mapping, QRegion(image.rect()));
        },
        5);
    // The Log10 and Conductivity / Resistivity repaint: everything but the section.
    const QRegion outside = QRegion(image.rect()) - SectionRect(state.layout, mapping);
    const double partial = Milliseconds(
        [&] {
            QPainter painter(&image);
            painter.setClipRegion(outside);
            PaintPage(painter, document, state, mapping, outside);
        },
        5);
    state.settings.showMesh = true;
    const double mesh = Milliseconds(
        [&] {
            QPainter painter(&image);
            PaintPage(painter, document, state, mapping, QRegion(image.rect()));
        },
        3);
    state.settings.showMesh = false;
    QString error;
    const std::string svg = folder + "/bench.svg";
    const double vector = Milliseconds(
        [&] {
            ExportPage(QString::fromStdString(svg), ExportFormat::Svg, document, state, client,
                       error);
        },
        3);
    std::ifstream svgFile(svg, std::ios::binary | std::ios::ate);
    std::printf("%9d cells (%4d x %4d): load %8.1f ms  paint %7.1f ms  partial %5.1f ms  "
                "mesh %7.1f ms  svg %7.1f ms (%lld kB)\n",
                nx * nz, nx, nz, load, full, partial, mesh, vector,
                static_cast<long long>(svgFile.tellg()) / 1024);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const std::string folder = dir.path().toStdString();
    std::printf("client area 1600 x 1200, best of several runs\n");
    Run(folder, 200, 50);
    Run(folder, 500, 200);
    Run(folder, 2000, 500);
    return 0;
}
