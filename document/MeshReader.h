#pragma once

#include "document/MeshGrid.h"
#include "document/ReadResult.h"

#include <string>

class Messages;

// Reads a mesh file into the node arrays; the cell counts already in the mesh (from
// the model file) are the ones the file must produce.
ReadResult ReadMesh(const std::string& fileName, MeshGrid& mesh, Messages& messages);
