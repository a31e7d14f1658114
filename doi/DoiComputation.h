#pragma once

#include "document/CellModel.h"
#include "document/MeshGrid.h"
#include "document/ModelKind.h"

#include <cstddef>
#include <string>
#include <vector>

class CTest1Doc;
class Messages;
struct DoiIndex;

enum class DoiMethod { RecoveredModel, Sensitivity };

// Reads the second model file (a relative name taken from the document's folder) and
// computes the index into `index` with its cutoff already set. On success `shown` is set; every
// failure shows its warning and leaves `shown` false. The document must hold a loaded model and
// mesh.
bool ComputeDoi(const CTest1Doc& document, const std::string& fileName, DoiMethod method,
                DoiIndex& index, Messages& messages);
// The same against a model that is not (yet) the document's, so that it can run on
// another thread while the model is read there.
bool ComputeDoi(const std::string& folder, ModelKind kind, const MeshGrid& mesh,
                const CellModel& model, const std::string& fileName, DoiMethod method,
                DoiIndex& index, Messages& messages);

// The pieces, for tests. Values are nz rows of nx floats.
using Grid = std::vector<std::vector<float>>;

// Width-weighted mean of the bottom row over all columns (of the model's values or of
// a second model read as rows).
template <typename Rows>
double ReferenceLevel(const Rows& values, const std::vector<double>& xNodes) {
    const auto& bottom = values[values.size() - 1];
    double sum = 0.0;
    for (std::size_t j = 0; j < bottom.size(); ++j)
        sum += bottom[j] * (xNodes[j + 1] - xNodes[j]);
    return sum / (xNodes[bottom.size()] - xNodes[0]);
}
// Above the deepest cell at or under the cutoff, the index never rises going upward.
void ColumnCleanUp(Grid& index, float cutoff);
