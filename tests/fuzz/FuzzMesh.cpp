// The mesh reader on arbitrary file text, against a model of 1 to 16 by 1 to 16 cells
// chosen by the last two input bytes.
#include "FuzzSupport.h"

#include "document/MeshReader.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    MeshGrid mesh;
    mesh.nx = 1 + input.ConsumeIntegral<std::uint8_t>() % 16;
    mesh.nz = 1 + input.ConsumeIntegral<std::uint8_t>() % 16;
    const std::string name = fuzz::WriteFile("mesh.txt", input.ConsumeRemainingBytesAsString());

    RecordingMessages messages;
    const ReadResult result = ReadMesh({}, name, mesh, messages);

    fuzz::Check(result != ReadResult::NotFound, "an existing file is found");
    // Whatever the outcome, nothing was stored beyond the arrays sized from the model.
    fuzz::Check(mesh.xNodes.size() == static_cast<std::size_t>(mesh.nx) + 1, "x node count");
    fuzz::Check(mesh.zNodes.size() == static_cast<std::size_t>(mesh.nz) + 1, "z node count");
    if (result == ReadResult::Ok) {
        fuzz::Check(messages.entries.empty(), "a good mesh says nothing");
        for (const auto* nodes : {&mesh.xNodes, &mesh.zNodes}) {
            fuzz::Check(std::isfinite(nodes->back() - nodes->front()), "a finite extent");
            for (std::size_t i = 1; i < nodes->size(); ++i)
                fuzz::Check((*nodes)[i] > (*nodes)[i - 1], "nodes increase strictly");
        }
    } else {
        fuzz::CheckOneMessage(messages, "a failed mesh read says why once");
    }
    return 0;
}
