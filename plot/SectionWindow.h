#pragma once

#include <optional>

struct DisplaySettings;
struct MeshGrid;

// A part of the section in model coordinates: x from left to right and depth from top
// to bottom, in metres (depth grows downward).
struct SectionWindow {
    double left = 0.0;
    double right = 0.0;
    double top = 0.0;
    double bottom = 0.0;

    double width() const { return right - left; }
    double height() const { return bottom - top; }
    bool operator==(const SectionWindow&) const = default;
};

// The whole visible section: x from the first to the last visible node, depth from 0
// (where the depth axis starts, whatever the first depth node) to the lowest visible
// node. The padding counts must fit the mesh.
SectionWindow WholeSection(const MeshGrid& mesh, const DisplaySettings& settings);

// The narrowest window a zoom may reach: four of the narrowest visible columns.
double MinWindowWidth(const MeshGrid& mesh, const DisplaySettings& settings);

// The window scaled by 1 / factor about the point (x, depth), which keeps its place on
// the page; factor above 1 zooms in. Both sides scale alike, so the page keeps its
// shape, until the window would be narrower than minWidth or reach past the whole
// section: it stops at the one and is held inside the other.
SectionWindow ZoomWindow(const SectionWindow& window, const SectionWindow& whole, double x,
                         double depth, double factor, double minWidth);

// The window moved by dx across and dDepth down (metres), held inside the whole section.
SectionWindow PanWindow(const SectionWindow& window, const SectionWindow& whole, double dx,
                        double dDepth);

// A window given by its numbers, cut to the whole section and widened about its centre
// to minWidth; nothing when it does not overlap the section.
std::optional<SectionWindow> CutToSection(const SectionWindow& window, const SectionWindow& whole,
                                          double minWidth);

// True when `inner` has a size and lies inside `outer`.
bool Contains(const SectionWindow& outer, const SectionWindow& inner);
