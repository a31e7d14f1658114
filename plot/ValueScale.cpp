#include "plot/ValueScale.h"

#include "document/CellModel.h"
#include "plot/DisplaySettings.h"

#include <cmath>

double ShownValue(double stored, const DisplaySettings& settings) {
    double shown = settings.showConductivity ? stored : -stored;
    if (!settings.showLog)
        shown = std::pow(10.0, shown);
    return shown;
}

ValueRange AutomaticRange(const CellModel& model) {
    if (!(model.valueMin <= model.valueMax) || !std::isfinite(model.valueMin) ||
        !std::isfinite(model.valueMax))
        return {};
    return {model.valueMin, model.valueMax};
}

DialogRange RangeForDialog(const DisplaySettings& settings, ModelKind kind) {
    DialogRange range;
    if (settings.showConductivity || kind == Chargeability)
        range = {settings.rangeMin, settings.rangeMax};
    else
        range = {-settings.rangeMax, -settings.rangeMin};
    if (!settings.showLog)
        range = {std::pow(10.0, range.low), std::pow(10.0, range.high)};
    return range;
}

RangeEntry ApplyDialogRange(double low, double high, DisplaySettings& settings,
                            const CellModel& model) {
    if (low == 0.0 && high == 0.0) {
        const ValueRange automatic = AutomaticRange(model);
        settings.rangeMin = automatic.min;
        settings.rangeMax = automatic.max;
        settings.rangeTyped = false;
        return RangeEntry::Reset;
    }
    if (!settings.showLog) {
        low = std::log10(low);
        high = std::log10(high);
    }
    if (!std::isfinite(low) || !std::isfinite(high))
        return RangeEntry::Refused;
    if (settings.showConductivity) {
        settings.rangeMin = low;
        settings.rangeMax = high;
    } else {
        settings.rangeMin = -high;
        settings.rangeMax = -low;
    }
    settings.rangeTyped = true;
    return RangeEntry::Set;
}
