#pragma once

#include "plot/SectionWindow.h"

#include <optional>

// The colours the table's entries take in colour display: the viewer's own rainbow or a
// published map.
enum class ColourMap { Rainbow, Viridis, Cividis, Magma, Turbo, BlueWhiteRed };

// How the cells beyond the depth of investigation are shown.
enum class DoiStyle { Hatch, Fade };

// What the view shows and how; owned by the view, never saved between runs.
// rangeMin / rangeMax are stored units in the conductivity sense (never negated).
struct DisplaySettings {
    bool showLog = false;
    bool showConductivity = false;
    bool useColour = true;
    bool flipColours = true;
    bool showMesh = false;
    bool showConvergence = false;
    bool showWeights = false;
    int fontHeight = 400; // logical units; the title is 100 units taller
    double rangeMin = 0.0;
    double rangeMax = 0.0;
    bool rangeTyped = false; // set in the range dialog, not the model's own range
    int padLeft = 0;
    int padRight = 0;
    int padBottom = 0;
    double areaLeft = 0.0; // metres at the surface
    double areaRight = 0.0;
    double areaDepth = 0.0; // 0 or less: no area of interest
    ColourMap colourMap = ColourMap::Rainbow;
    DoiStyle doiStyle = DoiStyle::Hatch;
    double verticalExaggeration = 1.0; // multiplies the section's height on the page
    std::optional<SectionWindow> zoom; // the part shown; none: the whole section

    static constexpr int MaxFontHeight = 2000;
    static constexpr int FontStep = 20;
    static constexpr double MaxExaggeration = 100.0;
    static constexpr double ZoomStep = 1.25; // a wheel notch, a menu zoom
};
