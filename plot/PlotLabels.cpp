#include "plot/PlotLabels.h"

#include "document/MeshGrid.h"
#include "plot/DisplaySettings.h"
#include "plot/PageUnits.h"
#include "plot/PlotLayout.h"
#include "plot/ValueScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

std::string FormatInt(int value) {
    char text[32];
    std::snprintf(text, sizeof text, "%i", value);
    return text;
}

std::string FormatValue(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

std::vector<TickLabel> XAxisTicks(const MeshGrid& mesh, const DisplaySettings& settings,
                                  const PlotLayout& layout) {
    std::vector<TickLabel> ticks;
    if (!PaddingFits(settings.padLeft, settings.padRight, settings.padBottom, mesh))
        return ticks;
    const double x0 = layout.window.left;
    const double s = (layout.window.right - x0) / 6.0;
    for (int i = 0; i <= 6; ++i)
        ticks.push_back({RoundPage(i * s * layout.scale), FormatInt(RoundPage(x0 + i * s))});
    return ticks;
}

int DepthIntervalCount(double plotWidth, double plotHeight) {
    const double wanted = std::max(3.0, 6.0 / (plotWidth / plotHeight) + 0.5);
    return TruncPage(std::min(wanted, static_cast<double>(MaxDepthIntervals)));
}

std::vector<TickLabel> DepthAxisTicks(const MeshGrid& mesh, const DisplaySettings& settings,
                                      const PlotLayout& layout) {
    std::vector<TickLabel> ticks;
    if (!PaddingFits(settings.padLeft, settings.padRight, settings.padBottom, mesh))
        return ticks;
    const int n = DepthIntervalCount(layout.plotWidth, layout.plotHeight);
    const double d0 = layout.window.top;
    const double s = (layout.window.bottom - d0) / n;
    for (int i = 0; i <= n; ++i)
        ticks.push_back({RoundPage(i * s * layout.depthScale), FormatInt(RoundPage(d0 + i * s))});
    return ticks;
}

std::vector<TickLabel> ColourBarLabels(const DisplaySettings& settings, const PlotLayout& layout) {
    std::vector<TickLabel> labels;
    const double h = layout.plotHeight;
    const double d = (settings.rangeMax - settings.rangeMin) / 6.0;
    // A range wider than the largest double is divided between its ends instead.
    const bool wide = !std::isfinite(d);
    for (int j = 0; j <= 6; ++j) {
        const int k = settings.showConductivity ? j : 6 - j;
        const double stored =
            wide ? settings.rangeMin * ((6 - k) / 6.0) + settings.rangeMax * (k / 6.0)
                 : k * d + settings.rangeMin;
        const double v = ShownValue(stored, settings);
        labels.push_back({RoundPage(h - j * h / 6.0), std::isfinite(v) ? FormatValue(v) : ""});
    }
    return labels;
}

int SwatchEntry(int swatch, const DisplaySettings& settings) {
    return settings.showConductivity ? swatch : 60 - swatch;
}

std::string TitleText(ModelKind kind, const DisplaySettings& settings) {
    switch (kind) {
    case Conductivity:
        return std::string(settings.showLog ? "Log " : "") +
               (settings.showConductivity ? "Conductivity Model" : "Resistivity Model");
    case Chargeability:
        return "Chargeability Model";
    case Sensitivity:
        return "Sensitivity";
    }
    return {};
}

std::string UnitText(ModelKind kind, const DisplaySettings& settings) {
    if (kind != Conductivity)
        return {};
    return std::string(settings.showLog ? "Log " : "") +
           (settings.showConductivity ? "S / m" : "Ohm - m");
}
