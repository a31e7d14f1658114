#pragma once

#include "weights/CellWeights.h"

#include <string>
#include <vector>

class Messages;
class TextScanner;

// The weight readers. Each empties the weights first, checks a file's header against
// the loaded mesh before sizing anything, shows its own messages and returns whether
// the weights are now valid.
bool ReadWeightFile(int nx, int nz, const std::string& fileName, CellWeights& weights,
                    Messages& messages);
bool ReadSeparateWeightFiles(int nx, int nz, const std::string& xFileName,
                             const std::string& zFileName, CellWeights& weights,
                             Messages& messages);

// Fills an already sized array row by row; the first value that cannot be read ends
// it with "Error reading weight file\n" and the name.
bool ReadWeightBlock(TextScanner& in, const std::string& fileName,
                     std::vector<std::vector<float>>& block, Messages& messages);
