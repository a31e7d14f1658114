#pragma once

#include "document/CellSelection.h"

#include <functional>
#include <string>
#include <string_view>

class CTest1Doc;
struct DoiIndex;
struct ModelComparison;

// The cell values of the picture as a table for other programs.
enum class CellFormat { Unknown, Csv, Xyz, Vtk };

// By the file name's ending: .csv, .xyz or .vtr, in any letter case.
CellFormat CellFormatFor(const std::string& fileName);

// What the picture shows besides the document: its cells, the quantity (conductivity
// or resistivity), and the mask and comparison where they are shown.
struct CellExportView {
    CellSelection selection;
    bool conductivity = false;
    const DoiIndex* doi = nullptr;               // a column while shown
    const ModelComparison* comparison = nullptr; // a column while shown
};

// Hands the file's bytes on in pieces of about a megabyte, so that a large model never
// needs its whole text in memory.
using ByteSink = std::function<void(std::string_view)>;

// CSV: a header, then one line per shown cell, top row first and each row from the left:
// the centre's x and depth in metres, the shown quantity, the index and the comparison
// where shown; a blank cell leaves its field empty.
// XYZ: "x z value" per shown cell that is not blank, z = -depth.
// VTK: an XML rectilinear grid with raw appended data; the whole mesh, or the rows and
// columns a zoom window meets, deepest row first; blank cells hold NaN.
// Values are written with "%.9g" (a float back exactly), positions with 12 digits.
void WriteCells(CellFormat format, const CTest1Doc& document, const CellExportView& view,
                const ByteSink& sink);

// Writes the file whole or not at all. False with "Cannot write " and the name in `error`
// when it cannot be written (the name then keeps what it had).
bool ExportCells(const std::string& fileName, CellFormat format, const CTest1Doc& document,
                 const CellExportView& view, std::string& error);
