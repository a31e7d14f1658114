#pragma once

#include "document/CTest1Doc.h"
#include "document/RecordingMessages.h"
#include "plot/ViewState.h"

#include <QColor>
#include <QImage>
#include <QPoint>

#include <vector>

// A document filled in memory (no files), with the view state after a document update.
struct SectionFixture {
    RecordingMessages messages;
    CTest1Doc document{messages, "/"}; // reads no file: any folder serves
    ViewState state;

    // Nodes in metres; values in stored units, rows from the top.
    void load(std::vector<double> xNodes, std::vector<double> zNodes,
              std::vector<std::vector<float>> values, ModelKind kind = Conductivity);

    // The 0 .. 1000 m by 0 .. 250 m mesh of four columns and two rows, values -3 .. -1.
    void loadSmallSection();

    // The client pixel of a page point for a client area of this size.
    QPoint pixelOf(double pageX, double pageY, const QSize& client) const;
    // The client pixel at the centre of cell (row, column), for the current layout.
    QPoint cellCentre(int row, int column, const QSize& client) const;

    QImage render(const QSize& client) const;
    QColor tableColour(float stored) const;
};

// Every pixel of the rectangle has this colour.
bool AllPixels(const QImage& image, const QRect& rect, QRgb colour);
// Some pixel of the rectangle is darker than mid-grey (a line or a glyph).
bool HasDarkPixel(const QImage& image, const QRect& rect);
