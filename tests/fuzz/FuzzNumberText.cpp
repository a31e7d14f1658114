// The dialogs' number boxes: reading a box's text with "%lf" and "%d" semantics, and
// writing a value back into a box and reading it again.
#include "FuzzSupport.h"

#include "document/NumberText.h"

#include <cmath>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    if (const auto value = ScanFloatField(text)) {
        fuzz::Check(std::isfinite(*value), "a box reads as a finite number or nothing");
        // What the dialog writes for a value reads back as that value to 15 digits.
        const auto again = ScanFloatField(FormatFloatField(*value));
        fuzz::Check(again.has_value(), "a written float reads back");
        fuzz::Check(*again == *value || std::fabs(*again - *value) <= std::fabs(*value) * 1e-14,
                    "a written float keeps 15 digits");
    }
    if (const auto value = ScanIntField(text)) {
        fuzz::Check(ScanIntField(FormatIntField(*value)) == *value, "a written integer reads back");
    }
    return 0;
}
