#pragma once

#include "document/CellModel.h"
#include "document/MeshGrid.h"
#include "document/ModelKind.h"
#include "document/ReadResult.h"
#include "document/TextScanner.h"

#include <string>

class Messages;

// Reads a model file: the cell counts into the mesh, the stored values and their
// range into the model. While a mesh is loaded (both counts above 0) the file's
// counts must equal it. Changes no node array. A relative name is taken from the
// folder; messages name the file as given.
ReadResult ReadModel(const std::string& folder, const std::string& fileName, ModelKind kind,
                     MeshGrid& mesh, CellModel& model, Messages& messages,
                     const ReadOptions& options = {});
