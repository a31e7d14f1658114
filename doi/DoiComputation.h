#pragma once

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

// The pieces, for tests. Values are nz rows of nx floats.
using Grid = std::vector<std::vector<float>>;

// Width-weighted mean of the bottom row over all columns.
double ReferenceLevel(const Grid& values, const std::vector<double>& xNodes);
// Above the deepest cell at or under the cutoff, the index never rises going upward.
void ColumnCleanUp(Grid& index, float cutoff);
