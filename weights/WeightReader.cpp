#include "weights/WeightReader.h"

#include "document/CTest1Doc.h"
#include "document/Messages.h"
#include "document/TextFile.h"
#include "document/TextScanner.h"

#include <cstdint>

namespace {
using Block = std::vector<std::vector<float>>;

Block zeros(int rows, int columns) {
    if (rows <= 0 || columns <= 0)
        return {};
    return Block(static_cast<std::size_t>(rows),
                 std::vector<float>(static_cast<std::size_t>(columns)));
}

void sizeAll(int nx, int nz, CellWeights& weights) {
    weights.cellWeights = zeros(nz, nx);
    weights.xWeights = zeros(nz, nx - 1);
    weights.zWeights = zeros(nz - 1, nx);
}

// A header that cannot be read counts as not matching.
bool headerIs(TextScanner& in, int first, int second) {
    std::int32_t a = 0, b = 0;
    return in.readInt(a) && in.readInt(b) && a == first && b == second;
}

// Reads one of the separate files into its block; `label` is "X" or "Z".
bool readSeparate(const std::string& label, const std::string& folder, const std::string& fileName,
                  int columns, int rows, Block& block, CellWeights& weights, Messages& messages) {
    std::optional<TextScanner> file = TextScanner::OpenFile(ResolveAgainst(folder, fileName));
    if (!file) {
        messages.error(label + " weight file not found: " + fileName);
        return false;
    }
    TextScanner& in = *file;
    if (!headerIs(in, columns, rows)) {
        messages.warning(label + " weight file is not consistent with the model file.\n" +
                         fileName);
        return false;
    }
    if (columns < 1 || rows < 1) {
        messages.error("Number of cells in the " + label + " weight file should be positive.\n" +
                       fileName);
        return false;
    }
    if (!ReadWeightBlock(in, fileName, block, messages)) {
        ClearWeights(weights);
        return false;
    }
    return true;
}
} // namespace

bool ReadWeightBlock(TextScanner& in, const std::string& fileName, Block& block,
                     Messages& messages) {
    for (auto& row : block) {
        for (float& value : row) {
            if (!in.readFloat(value)) {
                messages.error("Error reading weight file\n" + fileName);
                return false;
            }
        }
    }
    return true;
}

bool ReadWeightFile(int nx, int nz, const std::string& folder, const std::string& fileName,
                    CellWeights& weights, Messages& messages) {
    ClearWeights(weights);
    std::optional<TextScanner> file = TextScanner::OpenFile(ResolveAgainst(folder, fileName));
    if (!file) {
        messages.error("Weight file not found: " + fileName);
        return false;
    }
    TextScanner& in = *file;
    if (!headerIs(in, nx, nz)) {
        messages.warning("Weight file is not consistent with the model file.\n" + fileName);
        return false;
    }
    sizeAll(nx, nz, weights);
    if (!ReadWeightBlock(in, fileName, weights.cellWeights, messages) ||
        !ReadWeightBlock(in, fileName, weights.xWeights, messages) ||
        !ReadWeightBlock(in, fileName, weights.zWeights, messages)) {
        ClearWeights(weights);
        return false;
    }
    return true;
}

bool ReadSeparateWeightFiles(int nx, int nz, const std::string& folder,
                             const std::string& xFileName, const std::string& zFileName,
                             CellWeights& weights, Messages& messages) {
    ClearWeights(weights);
    sizeAll(nx, nz, weights);
    return readSeparate("X", folder, xFileName, nx - 1, nz, weights.xWeights, weights, messages) &&
           readSeparate("Z", folder, zFileName, nx, nz - 1, weights.zWeights, weights, messages);
}

bool LoadWeights(CTest1Doc& document, bool separateFiles, const std::string& fileName,
                 const std::string& xFileName, const std::string& zFileName) {
    const int nx = document.mesh.nx;
    const int nz = document.mesh.nz;
    const std::string& folder = document.folder();
    document.weightsLoaded =
        separateFiles
            ? ReadSeparateWeightFiles(nx, nz, folder, xFileName, zFileName, document.weights,
                                      document.messages())
            : ReadWeightFile(nx, nz, folder, fileName, document.weights, document.messages());
    document.UpdateAllViews();
    return document.weightsLoaded;
}
