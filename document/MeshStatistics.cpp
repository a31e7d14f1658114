#include "document/MeshStatistics.h"

#include "document/MeshGrid.h"

#include <cstdio>

namespace {
double smallestStep(const std::vector<double>& nodes, int cells) {
    double smallest = 1e50;
    for (int i = 0; i < cells; ++i) {
        const double step = nodes[i + 1] - nodes[i];
        if (smallest > step)
            smallest = step;
    }
    return smallest;
}

template <typename... Args> std::string format(const char* pattern, Args... args) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, pattern, args...);
    return buffer;
}
} // namespace

std::string MeshStatisticsText(const MeshGrid& mesh) {
    const int nx = mesh.nx, nz = mesh.nz;
    std::string text = "Mesh Statistics:\n\n";
    text += format("# of cells:  %i x %i\n", nx, nz);
    // The total is formed in 64 bits: a 32-bit product overflows on large meshes.
    text += format("total # of cells:  %lld\n", static_cast<long long>(nx) * nz);
    text += format("mesh dimensions:  %g x %g\n", mesh.xNodes[nx] - mesh.xNodes[0],
                   mesh.zNodes[nz] - mesh.zNodes[0]);
    text += format("smallest cell dimensions:  %g x %g\n", smallestStep(mesh.xNodes, nx),
                   smallestStep(mesh.zNodes, nz));
    return text;
}
