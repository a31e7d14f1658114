#pragma once

#include "document/CellSelection.h"
#include "document/DoiIndex.h"
#include "document/ModelComparison.h"
#include "plot/ColourTable.h"
#include "plot/DisplaySettings.h"
#include "plot/PlotLayout.h"

#include <functional>
#include <optional>

class CTest1Doc;
class QPainter;
struct PageFonts;
struct ViewState;

// A layer that a feature above the plot hands the page painter: drawn as the last step
// of the paint, with the title font selected (the convergence curves below the section).
using PageLayer =
    std::function<void(QPainter&, const CTest1Doc&, const ViewState&, const PageFonts&)>;

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
    // A second model set against the loaded one; while shown, the section shows the change.
    ModelComparison comparison;
    // Drawn while showConvergence is set; empty draws nothing.
    PageLayer belowSection;
    CellDrawing cellDrawing = CellDrawing::Automatic;
    // Told of every cell whose colour the paint works out; tests and the benchmark count
    // them to show that a repaint looks only at the cells it needs.
    std::function<void(int row, int column)> cellLookObserver;

    // Rebuilds the colour table after useColour, flipColours or colourMap changed.
    void rebuildColours() {
        colours = ColourTable(settings.useColour, settings.flipColours, settings.colourMap);
    }
    // Brings the padding counts into range for the mesh (a count that changes drops the
    // zoom), then runs the layout step.
    void relayout(const CTest1Doc& document);
    // Shows this window (the whole section drops the zoom) and lays out again.
    void setZoom(const CTest1Doc& document, const SectionWindow& window);
    int pageHeight() const { return layout.pageHeight(settings.showConvergence); }

    // Shows the change from the loaded model to `second` (which fits the mesh), on a
    // range symmetric about no change.
    void showComparison(const CTest1Doc& document, CellModel second, ComparisonMode mode);
    // After Conductivity / Resistivity or other padding: the comparison's values in the
    // quantity now shown and, unless set by hand, its range over the cells now visible.
    void refreshComparison(const CTest1Doc& document);
    // The cells the picture shows: padding, the zoom and the area of interest.
    CellSelection cellSelection() const;
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
