// The convergence reader on arbitrary file text. When the last input byte is odd the
// command line has "/chi=", followed by a short text taken from the front of the input.
#include "FuzzSupport.h"

#include "document/ConvergenceReader.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::optional<std::string> chiText;
    if (input.ConsumeIntegral<std::uint8_t>() % 2 == 1)
        chiText = input.ConsumeRandomLengthString(32);
    const std::string name = fuzz::WriteFile("run.out", input.ConsumeRemainingBytesAsString());

    ConvergenceHistory history;
    RecordingMessages messages;
    const ReadResult result = ReadConvergence({}, name, chiText, history, messages);

    fuzz::Check(result != ReadResult::NotFound, "an existing file is found");
    fuzz::Check(messages.entries.empty(), "the reader itself reports nothing but not-found");
    fuzz::Check(history.misfit.size() == history.modelNorm.size(), "one norm per misfit");
    if (result == ReadResult::Ok) {
        fuzz::Check(history.misfit.size() >= 2, "at least iterations 0 and 1");
        fuzz::Check(!history.hasTarget || std::isfinite(history.targetMisfit),
                    "a target is a finite logarithm");
    } else {
        fuzz::Check(history.misfit.empty(), "a failed read leaves no rows");
    }
    return 0;
}
