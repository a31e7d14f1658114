#include "plot/ViewState.h"

#include "document/CTest1Doc.h"
#include "plot/ValueScale.h"

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
    state.doi.Clear();

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
