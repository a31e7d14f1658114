#include "plot/SectionValues.h"

#include "document/CTest1Doc.h"
#include "document/ModelComparison.h"
#include "plot/PlotLabels.h"
#include "plot/ViewState.h"

#include <limits>

SectionValues::SectionValues(const CTest1Doc& document, const ViewState& state)
    : kind_(document.modelKind), comparison_(state.comparison.shown ? &state.comparison : nullptr),
      cells_(comparison_ ? comparison_->values : document.model),
      // The comparison marks its blank cells as NaN, which is above no level.
      blankLevel_(comparison_ ? -std::numeric_limits<float>::infinity()
                              : ::blankLevel(document.modelKind)),
      settings_(&state.settings), colours_(&state.colours) {
    if (!comparison_)
        return;
    DisplaySettings& settings = comparisonSettings_.emplace(state.settings);
    settings.rangeMin = comparison_->rangeMin;
    settings.rangeMax = comparison_->rangeMax;
    settings.showConductivity = true;
    settings.showLog = comparison_->mode == ComparisonMode::Percent;
    settings_ = &settings;
    colours_ = &comparisonColours_.emplace(settings.useColour, settings.flipColours,
                                           ColourMap::BlueWhiteRed);
}

int SectionValues::colourIndex(int row, int column) const {
    return ColourIndex(cells_.values[row][column], blankLevel_, settings_->rangeMin,
                       settings_->rangeMax);
}

std::string SectionValues::title() const {
    if (!comparison_)
        return TitleText(kind_, *settings_);
    const std::string quantity = QuantityName(kind_, comparison_->valuesConductivity);
    return comparison_->mode == ComparisonMode::Percent ? "Change in " + quantity + " (%)"
                                                        : "Ratio of " + quantity;
}

std::string SectionValues::unit() const {
    if (!comparison_)
        return UnitText(kind_, *settings_);
    return comparison_->mode == ComparisonMode::Percent ? "%" : "ratio";
}
