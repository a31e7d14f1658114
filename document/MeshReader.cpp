#include "document/MeshReader.h"

#include "document/Messages.h"
#include "document/TextFile.h"
#include "document/TextScanner.h"

#include <cmath>

namespace {
const char* const CountMismatch = "Number of cells in the mesh is not the\nsame as in the model.";

// Reads one axis: the segment count, then start, end and cells of the first segment
// and end and cells of each further one. Stores at most cells + 1 nodes; false when
// another node would have to be stored.
bool readAxis(TextScanner& in, std::int32_t cells, std::vector<double>& nodes,
              std::int64_t& counter) {
    std::int32_t segments = 0;
    in.readInt(segments);
    counter = 0;
    double start = 0.0;
    for (std::int32_t s = 1; s <= segments; ++s) {
        double end = 0.0;
        std::int32_t n = 0;
        if (s == 1) {
            in.readDouble(start);
            in.readDouble(end);
            in.readInt(n);
            nodes[0] = start;
            counter = 1;
        } else {
            in.readDouble(end);
            in.readInt(n);
        }
        if (n >= 1) {
            const double width = (end - start) / n;
            for (std::int32_t k = 1; k <= n; ++k) {
                if (counter > cells)
                    return false;
                nodes[static_cast<std::size_t>(counter)] = start + k * width;
                ++counter;
            }
        }
        // The next segment starts where this one ends as read, not at its last node.
        start = end;
        // After a failed read nothing more can be stored; the count test decides.
        if (in.failed())
            break;
    }
    return true;
}

// Strictly increasing, and the whole axis finite: a node that overflowed to infinity,
// or an extent beyond the largest double, leaves the layout no scale to draw at.
bool usable(const std::vector<double>& nodes) {
    if (!std::isfinite(nodes.back() - nodes.front()))
        return false;
    for (std::size_t i = 1; i < nodes.size(); ++i) {
        if (!(nodes[i] > nodes[i - 1]))
            return false;
    }
    return true;
}
} // namespace

ReadResult ReadMesh(const std::string& folder, const std::string& fileName, MeshGrid& mesh,
                    Messages& messages, const ReadOptions& options) {
    std::optional<TextScanner> file = TextScanner::OpenFile(ResolveAgainst(folder, fileName),
                                                            options.progress, options.chunkBytes);
    if (!file) {
        messages.error("Mesh file not found: " + fileName);
        return ReadResult::NotFound;
    }
    TextScanner& in = *file;
    if (mesh.nx < 1 || mesh.nz < 1) {
        messages.error(CountMismatch);
        return ReadResult::Failed;
    }
    mesh.xNodes.assign(static_cast<std::size_t>(mesh.nx) + 1, 0.0);
    mesh.zNodes.assign(static_cast<std::size_t>(mesh.nz) + 1, 0.0);

    std::int64_t xCount = 0, zCount = 0;
    if (!readAxis(in, mesh.nx, mesh.xNodes, xCount) ||
        !readAxis(in, mesh.nz, mesh.zNodes, zCount) || xCount != mesh.nx + 1 ||
        zCount != mesh.nz + 1) {
        messages.error(CountMismatch);
        return ReadResult::Failed;
    }
    if (!usable(mesh.xNodes) || !usable(mesh.zNodes)) {
        messages.error("Error: Invalid mesh.");
        return ReadResult::Failed;
    }
    return ReadResult::Ok;
}
