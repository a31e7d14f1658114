#pragma once

// Page positions are whole logical units. They are computed in double and limited to
// plus or minus a billion units before conversion, so a degenerate mesh or far-away area values
// cannot overflow; a value that is not a number becomes 0.

// Half away from zero.
int RoundPage(double value);
// Toward zero.
int TruncPage(double value);
