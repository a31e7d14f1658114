#pragma once

#include "plot/ViewState.h"

class QFont;
class QPainter;
struct ConvergenceHistory;

// Draws data misfit (blue, left log axis) and model norm (red, right log axis) against the
// iteration below the section, with the dashed target line.
//
// The painter must already map page units to pixels (x right, y down, isotropic). The plot
// puts its own origin, the frame's bottom-left corner, at section point
// (0, trunc(plotHeight) + 6000). labelFont and titleFont are the section's fonts for this
// paint (PageFonts: sized in device pixels for the mapping, as DrawPageText lays text out);
// rotated labels are the label font turned by DrawPageText. The painter's transform, pen,
// brush and font are left as they were found.
void DrawConvergencePlot(QPainter& painter, const ConvergenceHistory& history, double plotWidth,
                         double plotHeight, const QFont& labelFont, const QFont& titleFont);

// The curves as the page's layer below the section: the window and korvex-render hand
// it to the page painter. Draws the document's history while one is loaded.
PageLayer ConvergenceLayer();
