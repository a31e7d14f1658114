#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Text of the dialogs' number boxes. Writing uses "%.*g" at precision 15 for floats
// and "%d" for integers; reading has the semantics of the scan formats "%lf" and "%d"
// (leading blanks skipped, the longest number at the start taken, the rest ignored).
// Text that is not a finite number in range (also "nan", "inf", "1e999" or an integer
// beyond 32 bits) reads as nothing.
std::string FormatFloatField(double value);
std::string FormatIntField(std::int32_t value);
std::optional<double> ScanFloatField(const std::string& text);
std::optional<std::int32_t> ScanIntField(const std::string& text);
