#pragma once

#include <string>

struct MeshGrid;

// The text of the mesh summary: cell counts, total, dimensions and smallest cell,
// over the whole mesh (padding cells included). The mesh must be complete.
std::string MeshStatisticsText(const MeshGrid& mesh);
