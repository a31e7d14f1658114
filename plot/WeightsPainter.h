#pragma once

class QPainter;
struct CellWeights;
struct MeshGrid;
struct PlotLayout;

// Marks every face between visible cells whose weight is not exactly 1: a 20-unit
// round-capped line, black below 1 and grey above. The painter draws in page units;
// its pen is left as it was.
void DrawWeights(QPainter& painter, const CellWeights& weights, const MeshGrid& mesh,
                 const PlotLayout& layout, int padLeft, int padRight, int padBottom);
