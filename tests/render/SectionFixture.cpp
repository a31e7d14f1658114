#include "SectionFixture.h"

#include "plot/PageMapping.h"
#include "plot/SectionPainter.h"

#include <algorithm>
#include <utility>

void SectionFixture::load(std::vector<double> xNodes, std::vector<double> zNodes,
                          std::vector<std::vector<float>> values, ModelKind kind) {
    document.modelKind = kind;
    document.mesh.nx = static_cast<int>(xNodes.size()) - 1;
    document.mesh.nz = static_cast<int>(zNodes.size()) - 1;
    document.mesh.xNodes = std::move(xNodes);
    document.mesh.zNodes = std::move(zNodes);
    document.model.values = std::move(values);
    document.model.valueMin = 1e20;
    document.model.valueMax = -1e20;
    for (const auto& row : document.model.values)
        for (float v : row)
            if (isVisibleValue(v, kind)) {
                document.model.valueMin = std::min<double>(document.model.valueMin, v);
                document.model.valueMax = std::max<double>(document.model.valueMax, v);
            }
    document.loaded = true;
    ApplyDocumentUpdate(state, document);
}

void SectionFixture::loadSmallSection() {
    load({0, 250, 500, 750, 1000}, {0, 125, 250},
         {{-3.0f, -2.5f, -2.0f, -1.0f}, {-1.5f, -9.0f, -2.25f, -2.75f}});
}

QPoint SectionFixture::pixelOf(double pageX, double pageY, const QSize& client) const {
    const PageMapping mapping = MappingFor(state, client);
    const QPointF p = mapping.toPixel(pageX, pageY);
    return {static_cast<int>(p.x()), static_cast<int>(p.y())};
}

QPoint SectionFixture::cellCentre(int row, int column, const QSize& client) const {
    const auto& x = document.mesh.xNodes;
    const auto& z = document.mesh.zNodes;
    const double x0 = x[state.settings.padLeft];
    const double s = state.layout.scale;
    return pixelOf(((x[column] + x[column + 1]) / 2 - x0) * s, (z[row] + z[row + 1]) / 2 * s,
                   client);
}

QImage SectionFixture::render(const QSize& client) const {
    return RenderPageImage(document, state, client);
}

QColor SectionFixture::tableColour(float stored) const {
    const int index = ColourIndex(stored, blankLevel(document.modelKind), state.settings.rangeMin,
                                  state.settings.rangeMax);
    return index < 0 ? QColor(Qt::white) : QColor::fromRgb(state.colours.entry(index));
}

bool AllPixels(const QImage& image, const QRect& rect, QRgb colour) {
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if ((image.pixel(x, y) & 0xffffff) != (colour & 0xffffff))
                return false;
    return true;
}

bool HasDarkPixel(const QImage& image, const QRect& rect) {
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}
