#pragma once

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
    int padLeft = 0;
    int padRight = 0;
    int padBottom = 0;
    double areaLeft = 0.0; // metres at the surface
    double areaRight = 0.0;
    double areaDepth = 0.0; // 0 or less: no area of interest

    static constexpr int MaxFontHeight = 2000;
    static constexpr int FontStep = 20;
};
