#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

class CTest1Doc;
class PageMapping;
class QPainter;
class QRegion;
struct PlotLayout;
struct ViewState;

// The one paint of the page, used by the window, the clipboard image and the exports.
// The painter draws in client pixels (page origin mapping from `mapping`); `exposed`
// is the area to repaint in the same pixels: cells outside it are skipped before their
// colour is looked up. On SVG and PDF devices the section interior (cells, hatch,
// weights, mesh lines, area-of-interest clip) becomes one embedded raster image at the
// device's resolution and everything else stays vector. Draws nothing while the
// document holds no loaded data. The painter's state is left as it was.
void PaintPage(QPainter& painter, const CTest1Doc& document, const ViewState& state,
               const PageMapping& mapping, const QRegion& exposed);

// The pixels of logical (-400, -50) to (trunc(plotWidth) + 400, trunc(plotHeight) + 600):
// what a repaint that leaves the cells alone excludes.
QRect SectionRect(const PlotLayout& layout, const PageMapping& mapping);

// The mapping for a client area of this size and the state's current page height.
PageMapping MappingFor(const ViewState& state, const QSize& client);

// The whole page (16000 by pageHeight units) at the size it has in a client area of
// this size, on white: the clipboard copy and the PNG export. Null when the client
// area is empty.
QImage RenderPageImage(const CTest1Doc& document, const ViewState& state, const QSize& client);
