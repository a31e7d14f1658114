#include "plot/ViewState.h"

#include "convergence/ConvergencePlot.h"
#include "document/CTest1Doc.h"
#include "plot/PageText.h"
#include "plot/ValueScale.h"
#include "weights/WeightsPainter.h"

PaintHooks StandardPaintHooks() {
    PaintHooks hooks;
    hooks.hatchCell = [](const ViewState& state, int row, int column) {
        const DoiIndex& doi = state.doi;
        return doi.shown && row < static_cast<int>(doi.values.size()) &&
               column < static_cast<int>(doi.values[row].size()) && doi.Masks(row, column);
    };
    hooks.drawWeights = [](QPainter& painter, const CTest1Doc& doc, const ViewState& state) {
        if (!doc.weightsLoaded)
            return;
        const DisplaySettings& s = state.settings;
        DrawWeights(painter, doc.weights, doc.mesh, state.layout.scale, s.padLeft, s.padRight,
                    s.padBottom);
    };
    hooks.drawConvergence = [](QPainter& painter, const CTest1Doc& doc, const ViewState& state,
                               const PageFonts& fonts) {
        if (doc.convergenceLoaded)
            DrawConvergencePlot(painter, doc.history, state.layout.plotWidth,
                                state.layout.plotHeight, fonts.label, fonts.title);
    };
    hooks.documentUpdated = [](ViewState& state) { state.doi.Clear(); };
    return hooks;
}

void ViewState::relayout(const CTest1Doc& document) {
    FitPaddingToMesh(settings, document.mesh);
    layout = ComputeLayout(document.mesh, settings);
}

DocumentUpdateResult ApplyDocumentUpdate(ViewState& state, const CTest1Doc& document) {
    DocumentUpdateResult result;
    if (!document.loaded)
        return result;
    result.applied = true;
    DisplaySettings& settings = state.settings;
    if (!document.convergenceLoaded)
        settings.showConvergence = false;
    if (state.hooks.documentUpdated)
        state.hooks.documentUpdated(state);

    const ValueRange range = AutomaticRange(document.model);
    settings.rangeMin = range.min;
    settings.rangeMax = range.max;

    if (document.argPadLeft >= 0) {
        settings.padLeft = document.argPadLeft;
        settings.padRight = document.argPadRight;
        settings.padBottom = document.argPadBottom;
    }

    switch (document.modelKind) {
    case Chargeability:
        settings.showLog = true;
        settings.showConductivity = true;
        result.hideScaleButtons = true;
        break;
    case Conductivity:
        result.hideScaleButtons = false;
        break;
    case Sensitivity:
        settings.showLog = false;
        settings.showConductivity = true;
        result.hideScaleButtons = false;
        break;
    }

    settings.showWeights = document.weightsLoaded;
    state.relayout(document);
    return result;
}
