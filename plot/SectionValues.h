#pragma once

#include "document/ModelKind.h"
#include "plot/ColourTable.h"
#include "plot/DisplaySettings.h"

#include <optional>
#include <string>

class CTest1Doc;
struct CellModel;
struct ModelComparison;
struct ViewState;

// What the section's cells show and how their values are written for the user: the
// model's stored values under the view's settings or, while a comparison is shown, its
// values (percent, or log10 of the ratio) on the diverging map within the comparison's
// own range. The paint, the colour bar, the title, the readout and the Min / Max dialog
// all read the cells through here.
class SectionValues {
public:
    SectionValues(const CTest1Doc& document, const ViewState& state);
    SectionValues(const SectionValues&) = delete;
    SectionValues& operator=(const SectionValues&) = delete;

    // One value per cell; a value not above blankLevel() is blank (white).
    const CellModel& cells() const { return cells_; }
    float blankLevel() const { return blankLevel_; }
    // The view's settings; for a comparison with its range, written upward from the
    // lowest value (never negated) as they are (percent) or as 10 to their power (ratio).
    const DisplaySettings& settings() const { return *settings_; }
    const ColourTable& colours() const { return *colours_; }
    // Null while the section shows the model itself.
    const ModelComparison* comparison() const { return comparison_; }

    // The table entry of a cell, -1 for a blank one.
    int colourIndex(int row, int column) const;
    std::string title() const;
    std::string unit() const;

private:
    ModelKind kind_;
    const ModelComparison* comparison_;
    const CellModel& cells_;
    float blankLevel_;
    // A comparison's own settings and colours; the view's serve as they are otherwise
    // (the readout builds this at every pointer move).
    std::optional<DisplaySettings> comparisonSettings_;
    std::optional<ColourTable> comparisonColours_;
    const DisplaySettings* settings_;
    const ColourTable* colours_;
};
