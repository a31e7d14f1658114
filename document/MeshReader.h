#pragma once

#include "document/MeshGrid.h"
#include "document/ReadResult.h"
#include "document/TextScanner.h"

#include <string>

class Messages;

// Reads a mesh file into the node arrays; the cell counts already in the mesh (from
// the model file) are the ones the file must produce. A relative name is taken from the
// folder; messages name the file as given.
ReadResult ReadMesh(const std::string& folder, const std::string& fileName, MeshGrid& mesh,
                    Messages& messages, const ReadOptions& options = {});
