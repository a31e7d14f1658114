// The separate X and Z weight file reader. The last two input bytes choose a mesh of
// 1 to 8 by 1 to 8 cells; the X file is a text from the front of the input, ended by a
// backslash and another character, and the Z file the rest.
#include "FuzzSupport.h"

#include "weights/WeightReader.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int nx = 1 + input.ConsumeIntegral<std::uint8_t>() % 8;
    const int nz = 1 + input.ConsumeIntegral<std::uint8_t>() % 8;
    const std::string xName = fuzz::WriteFile("x.wts", input.ConsumeRandomLengthString(4096));
    const std::string zName = fuzz::WriteFile("z.wts", input.ConsumeRemainingBytesAsString());

    CellWeights weights;
    RecordingMessages messages;
    if (ReadSeparateWeightFiles(nx, nz, {}, xName, zName, weights, messages)) {
        fuzz::Check(messages.entries.empty(), "good weights say nothing");
        fuzz::Check(nx > 1 && nz > 1, "a mesh one cell wide or deep has no faces to read");
        fuzz::Check(weights.xWeights.size() == static_cast<std::size_t>(nz) &&
                        weights.xWeights[0].size() == static_cast<std::size_t>(nx - 1),
                    "x weights nz x (nx - 1)");
        fuzz::Check(weights.zWeights.size() == static_cast<std::size_t>(nz - 1) &&
                        weights.zWeights[0].size() == static_cast<std::size_t>(nx),
                    "z weights (nz - 1) x nx");
        for (const auto& row : weights.cellWeights) {
            for (float w : row)
                fuzz::Check(w == 0.0f, "cell weights are zeros");
        }
    } else {
        fuzz::CheckOneMessage(messages, "a failed weight read says why once");
    }
    return 0;
}
