#pragma once

#include "doi/DoiIndex.h"
#include "plot/ColourTable.h"
#include "plot/DisplaySettings.h"
#include "plot/PlotLayout.h"

#include <functional>
#include <optional>

class CTest1Doc;
class QPainter;
struct PageFonts;
struct ViewState;

// Extension points of the paint for the features drawn by their own parts of the
// program; a view state starts with the standard ones, and tests may replace them.
// Each is optional; an empty one draws nothing.
struct PaintHooks {
    // Depth-of-investigation mask: true hatches the cell (row from the top, column
    // from the left of the whole mesh). Asked only for cells that are not blank.
    std::function<bool(const ViewState&, int row, int column)> hatchCell;
    // Face weights, drawn after the cells and before the mesh lines, inside the area of
    // interest. The painter draws in page units with the line pen selected.
    std::function<void(QPainter&, const CTest1Doc&, const ViewState&)> drawWeights;
    // Convergence curves, the last step of the paint, with the title font selected.
    std::function<void(QPainter&, const CTest1Doc&, const ViewState&, const PageFonts&)>
        drawConvergence;
    // Run by every document update that applies (the mask is cleared there).
    std::function<void(ViewState&)> documentUpdated;
};

// The mask from the view's DoiIndex, the face weights and the convergence curves.
PaintHooks StandardPaintHooks();

// How the section's cells reach the surface. Automatic draws them as images where
// cells are small against the pixels and as one rectangle per cell where they are
// large; the other two force one way (tests compare them).
enum class CellDrawing { Automatic, Rectangles, Image };

// Everything the paint reads besides the document.
struct ViewState {
    DisplaySettings settings;
    PlotLayout layout;
    ColourTable colours;
    DoiIndex doi;
    PaintHooks hooks = StandardPaintHooks();
    CellDrawing cellDrawing = CellDrawing::Automatic;

    // Rebuilds the colour table after useColour or flipColours changed.
    void rebuildColours() { colours = ColourTable(settings.useColour, settings.flipColours); }
    // Brings the padding counts into range for the mesh, then runs the layout step.
    void relayout(const CTest1Doc& document);
    int pageHeight() const { return layout.pageHeight(settings.showConvergence); }
};

// What a document update did. hideScaleButtons is set when the model kind decides
// whether the Log10 and Conductivity / Resistivity toolbar buttons show.
struct DocumentUpdateResult {
    bool applied = false;
    std::optional<bool> hideScaleButtons;
};

// Resets the display state from newly loaded data and lays the page out again.
// Nothing happens while the document holds no loaded data.
DocumentUpdateResult ApplyDocumentUpdate(ViewState& state, const CTest1Doc& document);
