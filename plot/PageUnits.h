#pragma once

// Page positions are whole logical units. They are computed in double and limited to
// plus or minus a billion units before conversion, so a degenerate mesh or far-away area values
// cannot overflow; a value that is not a number becomes 0.

// The limit itself: a page taller than this cannot be drawn with whole positions.
constexpr double PageLimit = 1e9;

// Half away from zero.
int RoundPage(double value);
// Toward zero.
int TruncPage(double value);
