// The model reader on arbitrary file text. The last input byte chooses the model kind
// and whether a mesh is already loaded (the Reload case, 3 x 2 cells).
#include "FuzzSupport.h"

#include "document/ModelReader.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::uint8_t options = input.ConsumeIntegral<std::uint8_t>();
    const auto kind = static_cast<ModelKind>(options % 3);
    const bool reload = (options / 3) % 2 == 1;
    const std::string name = fuzz::WriteFile("model.txt", input.ConsumeRemainingBytesAsString());

    MeshGrid mesh;
    CellModel model;
    if (reload) {
        mesh.nx = 3;
        mesh.nz = 2;
        model.values.assign(2, std::vector<float>(3, 1.0f));
    }
    RecordingMessages messages;
    const ReadResult result = ReadModel({}, name, kind, mesh, model, messages);

    fuzz::Check(result != ReadResult::NotFound, "an existing file is found");
    if (result == ReadResult::Ok) {
        fuzz::Check(messages.entries.empty(), "a good model says nothing");
        fuzz::Check(mesh.nx > 0 && mesh.nz > 0, "a good model has cells");
        fuzz::Check(model.values.size() == static_cast<std::size_t>(mesh.nz), "one row per nz");
        for (const auto& row : model.values)
            fuzz::Check(row.size() == static_cast<std::size_t>(mesh.nx), "nx values per row");
        fuzz::Check(!reload || (mesh.nx == 3 && mesh.nz == 2), "reload keeps the counts");
        // The range holds only values above the blank level, or keeps its start values.
        fuzz::Check((model.valueMin == 1e20 && model.valueMax == -1e20) ||
                        (model.valueMin <= model.valueMax &&
                         model.valueMin > static_cast<double>(blankLevel(kind))),
                    "range covers visible values");
    } else {
        fuzz::CheckOneMessage(messages, "a failed model read says why once");
    }
    return 0;
}
