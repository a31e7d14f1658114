#include "document/ModelReader.h"

#include "document/Messages.h"
#include "document/TextFile.h"
#include "document/TextScanner.h"

#include <cmath>

ReadResult ReadModel(const std::string& folder, const std::string& fileName, ModelKind kind,
                     MeshGrid& mesh, CellModel& model, Messages& messages) {
    std::string text;
    if (!LoadTextFile(ResolveAgainst(folder, fileName), text)) {
        messages.error("Model file not found: " + fileName);
        return ReadResult::NotFound;
    }
    TextScanner in(std::move(text));
    std::int32_t nx = 0, nz = 0;
    in.readInt(nx);
    in.readInt(nz);

    if (mesh.nx > 0 && mesh.nz > 0 && (nx != mesh.nx || nz != mesh.nz)) {
        messages.warning("Cannot reload model if the mesh has changed.\nUse File | Open  instead.");
        return ReadResult::Failed;
    }
    mesh.nx = nx;
    mesh.nz = nz;
    if (nx <= 0 || nz <= 0) {
        messages.error("Number of cells in the model should be positive.\n" + fileName);
        return ReadResult::Failed;
    }
    // Counts that the rest of the file cannot hold never size memory.
    if (static_cast<std::int64_t>(nx) * nz > MaxTokensIn(in.remaining())) {
        messages.error("Error reading model file\n" + fileName);
        return ReadResult::Failed;
    }

    model.values.resize(static_cast<std::size_t>(nz));
    for (auto& row : model.values)
        row.resize(static_cast<std::size_t>(nx));

    const float blank = blankLevel(kind);
    const bool logged = kind == Conductivity || kind == Sensitivity;
    model.valueMax = -1e20;
    model.valueMin = 1e20;
    for (auto& row : model.values) {
        for (float& cell : row) {
            float v = 0.0f;
            if (!in.readFloat(v)) {
                messages.error("Error reading model file\n" + fileName);
                return ReadResult::Failed;
            }
            if (logged) {
                if (v <= 0.0f) {
                    messages.error("Values cannot be less than 0.\n" + fileName);
                    return ReadResult::Failed;
                }
                v = std::log10(v); // single precision, as stored
            }
            if (v > blank) {
                if (v > model.valueMax)
                    model.valueMax = v;
                if (model.valueMin > v)
                    model.valueMin = v;
            }
            cell = v;
        }
    }
    return ReadResult::Ok;
}
