#include "doi/DoiComputation.h"

#include "document/CTest1Doc.h"
#include "document/DoiIndex.h"
#include "document/Messages.h"
#include "document/TextFile.h"
#include "document/TextScanner.h"

#include <cmath>

void ColumnCleanUp(Grid& index, float cutoff) {
    const int rows = static_cast<int>(index.size());
    if (rows == 0)
        return;
    const int columns = static_cast<int>(index[0].size());
    for (int j = 0; j < columns; ++j) {
        int i = rows - 1;
        while (i >= 0 && !(cutoff >= index[i][j]))
            --i;
        for (--i; i >= 0; --i) {
            if (index[i][j] > index[i + 1][j])
                index[i][j] = index[i + 1][j];
        }
    }
}

namespace {
// Reads the header and nx * nz values, as logarithms when asked. False after the
// message when the file cannot be used.
bool readSecondModel(const std::string& folder, const std::string& fileName, const MeshGrid& mesh,
                     bool takeLog, Grid& b, Messages& messages) {
    std::optional<TextScanner> file = TextScanner::OpenFile(ResolveAgainst(folder, fileName));
    if (!file) {
        messages.warning("DOI file not found: " + fileName);
        return false;
    }
    TextScanner& in = *file;
    std::int32_t nx = 0, nz = 0;
    if (!in.readInt(nx) || !in.readInt(nz) || nx != mesh.nx || nz != mesh.nz) {
        messages.warning("Number of cells in the two model files are not equal.");
        return false;
    }
    // A file that ends early would leave stale or zero cells in the index: refuse it.
    const auto shortFile = [&] {
        messages.warning("Error reading DOI model file\n" + fileName);
        return false;
    };
    if (static_cast<std::int64_t>(nx) * nz > MaxTokensIn(in.remaining()))
        return shortFile();
    b.assign(static_cast<std::size_t>(nz), std::vector<float>(static_cast<std::size_t>(nx)));
    for (auto& row : b) {
        for (float& v : row) {
            if (!in.readFloat(v))
                return shortFile();
            if (takeLog)
                v = std::log10(v);
        }
    }
    return true;
}

bool recoveredModelIndex(const MeshGrid& mesh, const CellModel& model, const Grid& b,
                         DoiIndex& index, Messages& messages) {
    const ValueGrid& a = model.values;
    const double mA = ReferenceLevel(a, mesh.xNodes);
    const double mB = ReferenceLevel(b, mesh.xNodes);
    // Equal levels (both 0 included, where the relative test divides 0 by 0) give no
    // usable denominator; opposite levels are fine although their mean is 0.
    if (mA == mB || std::fabs(2.0 * (mA - mB) / (mA + mB)) < 0.05 || !std::isfinite(mA - mB)) {
        messages.warning("The two reference models appear to be identical.");
        return false;
    }
    index.values.assign(a.size(), std::vector<float>(a[0].size()));
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < a[i].size(); ++j) {
            const float difference = a[i][j] - b[i][j];
            index.values[i][j] = static_cast<float>(difference / (mA - mB));
        }
    }
    ColumnCleanUp(index.values, index.cutoff);
    return true;
}

bool sensitivityIndex(const Grid& b, DoiIndex& index, Messages& messages) {
    double smallest = 1e20, largest = -1e20;
    for (const auto& row : b) {
        for (float v : row) {
            if (v > -20.0f) {
                if (v < smallest)
                    smallest = v;
                if (v > largest)
                    largest = v;
            }
        }
    }
    // Without two different counted sensitivities there is nothing to normalise by.
    if (!(largest > smallest) || !std::isfinite(largest - smallest)) {
        messages.warning("The sensitivities in the DOI model file are all equal or "
                         "negligible;\nno depth of investigation can be computed.");
        return false;
    }
    index.values.assign(b.size(), std::vector<float>(b[0].size()));
    for (std::size_t i = 0; i < b.size(); ++i) {
        for (std::size_t j = 0; j < b[i].size(); ++j)
            index.values[i][j] =
                static_cast<float>(1.0 - (b[i][j] - smallest) / (largest - smallest));
    }
    return true;
}
} // namespace

bool ComputeDoi(const CTest1Doc& document, const std::string& fileName, DoiMethod method,
                DoiIndex& index, Messages& messages) {
    return ComputeDoi(document.folder(), document.modelKind, document.mesh, document.model,
                      fileName, method, index, messages);
}

bool ComputeDoi(const std::string& folder, ModelKind kind, const MeshGrid& mesh,
                const CellModel& model, const std::string& fileName, DoiMethod method,
                DoiIndex& index, Messages& messages) {
    index.Clear();
    const bool takeLog = method == DoiMethod::Sensitivity || kind == Conductivity;
    Grid b;
    if (!readSecondModel(folder, fileName, mesh, takeLog, b, messages))
        return false;
    const bool ok = method == DoiMethod::RecoveredModel
                        ? recoveredModelIndex(mesh, model, b, index, messages)
                        : sensitivityIndex(b, index, messages);
    if (!ok) {
        index.Clear();
        return false;
    }
    index.shown = true;
    return true;
}
