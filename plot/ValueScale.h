#pragma once

#include "document/ModelKind.h"

struct CellModel;
struct DisplaySettings;

// What the user reads for a stored value: negated for resistivity, then 10 to its
// power unless logarithms are shown.
double ShownValue(double stored, const DisplaySettings& settings);

// The range the view starts from: the model's own, or 0 .. 0 when every cell is blank
// (the reader then leaves 1e20 / -1e20, which would be written as "inf").
struct ValueRange {
    double min = 0.0;
    double max = 0.0;
};
ValueRange AutomaticRange(const CellModel& model);

// The Min / Max dialog's values for the current range, as shown to the user.
struct DialogRange {
    double low = 0.0;
    double high = 0.0;
};
DialogRange RangeForDialog(const DisplaySettings& settings, ModelKind kind);

// Takes a range typed in shown values back into stored units. Both 0 resets to the
// automatic range. An end without a finite stored value (0 or negative in linear
// display, or an infinity typed in log display) refuses the pair and keeps the range.
enum class RangeEntry { Set, Reset, Refused };
RangeEntry ApplyDialogRange(double low, double high, DisplaySettings& settings,
                            const CellModel& model);
