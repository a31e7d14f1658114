#include "plot/ViewState.h"

#include "document/CTest1Doc.h"
#include "plot/ValueScale.h"

void ViewState::relayout(const CTest1Doc& document) {
    if (FitPaddingToMesh(settings, document.mesh))
        settings.zoom.reset();
    layout = ComputeLayout(document.mesh, settings);
}

void ViewState::setZoom(const CTest1Doc& document, const SectionWindow& window) {
    settings.zoom = window;
    if (PaddingFits(settings.padLeft, settings.padRight, settings.padBottom, document.mesh) &&
        window == WholeSection(document.mesh, settings))
        settings.zoom.reset();
    relayout(document);
}

void ViewState::showComparison(const CTest1Doc& document, CellModel second, ComparisonMode mode) {
    comparison.Clear();
    comparison.second = std::move(second);
    comparison.mode = mode;
    comparison.shown = true;
    ComputeComparison(document, settings.showConductivity, comparison);
    SetSymmetricRange(comparison, document.mesh, settings.padLeft, settings.padRight,
                      settings.padBottom);
}

void ViewState::refreshComparison(const CTest1Doc& document) {
    if (!comparison.shown)
        return;
    if (comparison.valuesConductivity != settings.showConductivity)
        ComputeComparison(document, settings.showConductivity, comparison);
    if (comparison.automaticRange)
        SetSymmetricRange(comparison, document.mesh, settings.padLeft, settings.padRight,
                          settings.padBottom);
}

CellSelection ViewState::cellSelection() const {
    CellSelection selection{.padLeft = settings.padLeft,
                            .padRight = settings.padRight,
                            .padBottom = settings.padBottom,
                            .areaLeft = settings.areaLeft,
                            .areaRight = settings.areaRight,
                            .areaDepth = settings.areaDepth};
    if (layout.zoomed) {
        selection.windowed = true;
        selection.windowLeft = layout.window.left;
        selection.windowRight = layout.window.right;
        selection.windowTop = layout.window.top;
        selection.windowBottom = layout.window.bottom;
    }
    return selection;
}

DocumentUpdateResult ApplyDocumentUpdate(ViewState& state, const CTest1Doc& document) {
    DocumentUpdateResult result;
    if (!document.loaded)
        return result;
    result.applied = true;
    DisplaySettings& settings = state.settings;
    if (!document.convergenceLoaded)
        settings.showConvergence = false;
    if (document.followedUpdate) {
        // New values of the same model as it is being written: what the user set up
        // stays; a range not typed in follows the values. The depth-of-investigation
        // mask is recomputed by whoever follows the files.
        state.comparison.Clear();
        if (!settings.rangeTyped) {
            const ValueRange range = AutomaticRange(document.model);
            settings.rangeMin = range.min;
            settings.rangeMax = range.max;
        }
        state.relayout(document);
        return result;
    }
    state.doi.Clear();
    state.comparison.Clear();

    const ValueRange range = AutomaticRange(document.model);
    settings.rangeMin = range.min;
    settings.rangeMax = range.max;
    settings.rangeTyped = false;

    settings.zoom.reset();
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
