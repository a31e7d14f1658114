#include "document/DoiIndex.h"

int CutoffListPosition(float cutoff) {
    const float position = cutoff * 10.0f - 1.0f;
    return static_cast<int>(position);
}

float CutoffForPosition(int position) {
    return static_cast<float>(position + 1) / 10.0f;
}
