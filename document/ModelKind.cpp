#include "document/ModelKind.h"

float blankLevel(ModelKind kind) {
    switch (kind) {
    case Conductivity:
        return -8.0f;
    case Chargeability:
        return -10.0f;
    case Sensitivity:
        return -20.0f;
    }
    return -8.0f;
}
