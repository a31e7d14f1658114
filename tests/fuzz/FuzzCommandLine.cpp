// The parse of the program's arguments. The input is split into arguments at every
// NUL byte, as the operating system hands them over.
#include "FuzzSupport.h"

#include "document/CommandLine.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    if (args.size() > 64)
        return -1; // more arguments teach the parse nothing new

    const CommandLine line = ParseCommandLine(args);
    if (line.hasNames) {
        fuzz::Check(!line.meshName.empty() && !line.modelName.empty(), "both names given");
        fuzz::Check(!IsSwitchArgument(args[0]) && !IsSwitchArgument(args[1]),
                    "names come before the switches");
        fuzz::Check(args[0].ends_with(line.meshName) && args[1].ends_with(line.modelName),
                    "a name is its argument less leading blanks");
    } else {
        fuzz::Check(line.meshName.empty() && line.modelName.empty(), "no half-set names");
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].starts_with("/padd=")) {
            // The first "/padd=" decides, scanned on through the arguments after it as
            // if they had been typed on one line.
            std::string rest = args[i].substr(6);
            for (std::size_t j = i + 1; j < args.size(); ++j)
                rest += " " + args[j];
            std::int32_t left = 0, right = 0, bottom = 0;
            ScanPadding(rest, left, right, bottom);
            fuzz::Check(left == line.padLeft && right == line.padRight && bottom == line.padBottom,
                        "the padding is the scan of the first switch's text");
            break;
        }
    }
    if (line.chiText) {
        double factor = 0.0;
        ScanDouble(*line.chiText, factor);
    }
    return 0;
}
