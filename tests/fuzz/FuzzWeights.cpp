// The single weight file reader on arbitrary file text, against a mesh of 1 to 8 by
// 1 to 8 cells chosen by the last two input bytes.
#include "FuzzSupport.h"

#include "weights/WeightReader.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {
bool Shaped(const std::vector<std::vector<float>>& block, int rows, int columns) {
    if (rows <= 0 || columns <= 0)
        return block.empty();
    if (block.size() != static_cast<std::size_t>(rows))
        return false;
    for (const auto& row : block) {
        if (row.size() != static_cast<std::size_t>(columns))
            return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int nx = 1 + input.ConsumeIntegral<std::uint8_t>() % 8;
    const int nz = 1 + input.ConsumeIntegral<std::uint8_t>() % 8;
    const std::string name = fuzz::WriteFile("all.wts", input.ConsumeRemainingBytesAsString());

    CellWeights weights;
    weights.xWeights.assign(1, std::vector<float>(1, 5.0f)); // left over from an earlier read
    RecordingMessages messages;
    if (ReadWeightFile(nx, nz, {}, name, weights, messages)) {
        fuzz::Check(messages.entries.empty(), "good weights say nothing");
        fuzz::Check(Shaped(weights.cellWeights, nz, nx), "cell weights nz x nx");
        fuzz::Check(Shaped(weights.xWeights, nz, nx - 1), "x weights nz x (nx - 1)");
        fuzz::Check(Shaped(weights.zWeights, nz - 1, nx), "z weights (nz - 1) x nx");
    } else {
        fuzz::CheckOneMessage(messages, "a failed weight read says why once");
        fuzz::Check(weights.cellWeights.empty() && weights.xWeights.empty() &&
                        weights.zWeights.empty(),
                    "a failed read leaves no weights");
    }
    return 0;
}
