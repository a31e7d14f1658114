#pragma once

// printf's "%.9g" of a float (nine significant digits, enough to read the same float
// back), without printf's cost: a scaled double gives the digits wherever its rounding
// error cannot change them, and the standard library's exact conversion the rest.
// Writes at most 16 characters and returns the end.
char* FormatFloat9(char* out, float value);
