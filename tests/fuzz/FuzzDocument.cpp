// The document's loads on arbitrary mesh, model and output texts: the start-up load
// from the arguments (launched in the fuzz folder), then Open with the same files and
// Reload. The last input byte chooses the switches and
// whether the model file is also given as the mesh; the three texts follow from the
// front of the input, each ended by a backslash and another character.
#include "FuzzSupport.h"

#include "document/CTest1Doc.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {
// Whatever the loads did, loaded data agree with themselves.
void CheckLoaded(const CTest1Doc& document) {
    if (!document.loaded)
        return;
    const MeshGrid& mesh = document.mesh;
    fuzz::Check(mesh.nx > 0 && mesh.nz > 0, "loaded data have cells");
    fuzz::Check(mesh.xNodes.size() == static_cast<std::size_t>(mesh.nx) + 1 &&
                    mesh.zNodes.size() == static_cast<std::size_t>(mesh.nz) + 1,
                "nodes match the counts");
    fuzz::Check(document.model.values.size() == static_cast<std::size_t>(mesh.nz),
                "values match the counts");
    for (const auto& row : document.model.values)
        fuzz::Check(row.size() == static_cast<std::size_t>(mesh.nx), "rows match the counts");
    if (document.convergenceLoaded)
        fuzz::Check(document.history.misfit.size() >= 2, "a loaded history has rows");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::uint8_t options = input.ConsumeIntegral<std::uint8_t>();
    const bool ip = options & 1;
    const bool conv = options & 2;
    const bool sameFile = options & 4;
    const std::string modelName = fuzz::WriteFile("m.con", input.ConsumeRandomLengthString(4096));
    const std::string meshName =
        sameFile ? modelName : fuzz::WriteFile("grid.msh", input.ConsumeRandomLengthString(4096));
    // The default name that "/conv" looks for in the model's folder.
    const std::string outputName =
        fuzz::WriteFile(ip ? "polsolv.out" : "ohmsolv.out", input.ConsumeRemainingBytesAsString());

    RecordingMessages messages;
    {
        CTest1Doc document(messages, fuzz::Folder());
        std::vector<std::string> args{meshName, modelName};
        if (ip)
            args.push_back("/ip");
        if (conv)
            args.push_back("/conv");
        if (options & 8)
            args.push_back("/padd=1,1,1");
        if (options & 16)
            args.push_back("/chi=0.5");
        const bool started = document.ApplyCommandLine(args);
        fuzz::Check(started == document.loaded, "start-up either loads or fails");
        fuzz::Check(started || messages.entries.size() == 1, "a failed start-up says why once");
        CheckLoaded(document);
    }
    {
        messages.entries.clear();
        CTest1Doc document(messages, fuzz::Folder());
        const bool opened = document.LoadFiles(meshName, modelName, conv ? outputName : "",
                                               static_cast<ModelKind>((options / 32) % 3));
        fuzz::Check(opened == document.loaded, "Open reports what it loaded");
        CheckLoaded(document);
        document.OnReload();
        CheckLoaded(document);
    }
    return 0;
}
