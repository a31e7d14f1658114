#pragma once

#include "document/ModelKind.h"

#include <string>
#include <vector>

struct DisplaySettings;
struct MeshGrid;
struct PlotLayout;

// One tick of an axis or of the colour bar: its page position along the axis and text.
struct TickLabel {
    int position = 0;
    std::string text;
    bool operator==(const TickLabel&) const = default;
};

// Seven ticks under the section across the shown window from x0 to x1, "%i" of
// round(x0 + i * s) at round(i * s * scale).
std::vector<TickLabel> XAxisTicks(const MeshGrid& mesh, const DisplaySettings& settings,
                                  const PlotLayout& layout);

// About six intervals per section width of depth, at least 3. Limited to
// MaxDepthIntervals so a very deep, narrow mesh cannot ask for millions of labels.
int DepthIntervalCount(double plotWidth, double plotHeight);
constexpr int MaxDepthIntervals = 1000;

// Depth ticks from the shown window's top d0 (0 for the whole section) down to its
// bottom, "%i" of round(d0 + i * s) at round(i * s * depthScale).
std::vector<TickLabel> DepthAxisTicks(const MeshGrid& mesh, const DisplaySettings& settings,
                                      const PlotLayout& layout);

// Seven colour-bar labels from the bottom (position = page y) upward, "%.4g" of the
// shown value. A value that is not finite gets an empty text rather than "inf".
std::vector<TickLabel> ColourBarLabels(const DisplaySettings& settings, const PlotLayout& layout);

// Table entry of colour-bar swatch i (0 at the bottom).
int SwatchEntry(int swatch, const DisplaySettings& settings);

std::string TitleText(ModelKind kind, const DisplaySettings& settings);
// The colour bar's unit, empty for models other than conductivity.
std::string UnitText(ModelKind kind, const DisplaySettings& settings);

std::string FormatInt(int value);      // "%i"
std::string FormatValue(double value); // "%.4g"
