#pragma once

#include "document/CellWeights.h"

#include <string>
#include <vector>

class Messages;
class TextScanner;

// The weight readers. Each empties the weights first, checks a file's header against
// the loaded mesh before sizing anything, shows its own messages and returns whether
// the weights are now valid. Relative names are taken from the folder; messages name
// the files as given.
bool ReadWeightFile(int nx, int nz, const std::string& folder, const std::string& fileName,
                    CellWeights& weights, Messages& messages);
bool ReadSeparateWeightFiles(int nx, int nz, const std::string& folder,
                             const std::string& xFileName, const std::string& zFileName,
                             CellWeights& weights, Messages& messages);

// Fills an already sized array row by row; the first value that cannot be read ends
// it with "Error reading weight file\n" and the name.
bool ReadWeightBlock(TextScanner& in, const std::string& fileName,
                     std::vector<std::vector<float>>& block, Messages& messages);

class CTest1Doc;

// The weights command once its files are chosen: reads one file or the X and Z pair
// (relative names taken from the document's folder) against the loaded mesh into the
// document, sets weightsLoaded to the outcome and tells the views to update whatever
// it was. Returns weightsLoaded.
bool LoadWeights(CTest1Doc& document, bool separateFiles, const std::string& fileName,
                 const std::string& xFileName, const std::string& zFileName);
