// The depth-of-investigation command's second model file, against a loaded model of
// 1 to 6 by 1 to 6 cells. The last input bytes choose the counts, the kind of the
// loaded model and the method; the loaded values and nodes are fixed patterns.
#include "FuzzSupport.h"

#include "document/CTest1Doc.h"
#include "document/DoiIndex.h"
#include "doi/DoiComputation.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::uint8_t shape = input.ConsumeIntegral<std::uint8_t>();
    const std::uint8_t options = input.ConsumeIntegral<std::uint8_t>();
    const std::string name = fuzz::WriteFile("second.txt", input.ConsumeRemainingBytesAsString());

    RecordingMessages messages;
    CTest1Doc document(messages, fuzz::Folder());
    document.mesh.nx = 1 + shape % 6;
    document.mesh.nz = 1 + (shape / 6) % 6;
    document.modelKind = static_cast<ModelKind>(options % 3);
    for (int i = 0; i <= document.mesh.nx; ++i)
        document.mesh.xNodes.push_back(i * (10.0 + i));
    for (int k = 0; k <= document.mesh.nz; ++k)
        document.mesh.zNodes.push_back(k * 5.0);
    document.model.values = ValueGrid(static_cast<std::size_t>(document.mesh.nz),
                                      static_cast<std::size_t>(document.mesh.nx));
    for (int k = 0; k < document.mesh.nz; ++k) {
        for (int i = 0; i < document.mesh.nx; ++i)
            document.model.values[k][i] = -2.0f - 0.25f * static_cast<float>(k + i % 2);
    }
    document.loaded = true;

    DoiIndex index;
    index.cutoff = CutoffForPosition((options / 3) % 9);
    const DoiMethod method =
        (options / 27) % 2 ? DoiMethod::Sensitivity : DoiMethod::RecoveredModel;
    if (ComputeDoi(document, name, method, index, messages)) {
        fuzz::Check(messages.entries.empty(), "a computed index says nothing");
        fuzz::Check(index.shown, "a computed index is shown");
        fuzz::Check(index.values.size() == static_cast<std::size_t>(document.mesh.nz),
                    "one index row per model row");
        for (const auto& row : index.values)
            fuzz::Check(row.size() == static_cast<std::size_t>(document.mesh.nx),
                        "one index per cell");
    } else {
        fuzz::CheckOneMessage(messages, "a refused index says why once");
        fuzz::Check(!index.shown && index.values.empty(), "a refused index masks nothing");
    }
    return 0;
}
