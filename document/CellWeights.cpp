#include "document/CellWeights.h"

void ClearWeights(CellWeights& weights) {
    weights.cellWeights.clear();
    weights.xWeights.clear();
    weights.zWeights.clear();
}
