#pragma once

#include <cstdint>

// The kind of a model file; the numbers are also the load dialog's radio index.
enum ModelKind : std::int32_t {
    Conductivity = 0,
    Chargeability = 1,
    Sensitivity = 2,
};

// A stored value not above this level is blank: left out of the range and not painted.
float blankLevel(ModelKind kind);

// True when the stored value is above the blank level of the kind (compared as floats).
inline bool isVisibleValue(float stored, ModelKind kind) {
    return stored > blankLevel(kind);
}
