#include "document/CommandLine.h"

#include <cstdio>

namespace {
bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// What follows a switch's "=" to the end of the command line, as if the arguments
// had been one text joined by blanks ("/padd= 5, 5, 10" typed unquoted still works).
std::string restOfLine(const std::vector<std::string>& args, std::size_t index, std::size_t skip) {
    std::string rest = args[index].substr(skip);
    for (std::size_t i = index + 1; i < args.size(); ++i) {
        rest += ' ';
        rest += args[i];
    }
    return rest;
}

// Blanks after an opening quote are skipped; blanks before the end are kept.
std::string nameFrom(const std::string& arg) {
    const auto first = arg.find_first_not_of(" \t\r\n\v\f");
    return first == std::string::npos ? std::string() : arg.substr(first);
}
} // namespace

bool IsSwitchArgument(const std::string& arg) {
    return arg == "/ip" || arg == "/conv" || arg == "/follow" || startsWith(arg, "/padd=") ||
           startsWith(arg, "/chi=");
}

bool ScanPadding(const std::string& text, std::int32_t& left, std::int32_t& right,
                 std::int32_t& bottom) {
    int a = -1, b = -1, c = -1;
    if (std::sscanf(text.c_str(), "%i,%i,%i", &a, &b, &c) != 3) {
        left = right = bottom = -1;
        return false;
    }
    left = a;
    right = b;
    bottom = c;
    return true;
}

bool ScanDouble(const std::string& text, double& value) {
    double v = 0.0;
    if (std::sscanf(text.c_str(), "%lf", &v) != 1)
        return false;
    value = v;
    return true;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    bool paddSeen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "/ip") {
            line.ip = true;
        } else if (arg == "/conv") {
            line.conv = true;
        } else if (arg == "/follow") {
            line.follow = true;
        } else if (startsWith(arg, "/padd=") && !paddSeen) {
            // The first "/padd=" counts, as a search of the whole text would find it.
            paddSeen = true;
            ScanPadding(restOfLine(args, i, 6), line.padLeft, line.padRight, line.padBottom);
        } else if (startsWith(arg, "/chi=") && !line.chiText) {
            line.chiText = restOfLine(args, i, 5);
        }
    }
    if (args.size() >= 2 && !IsSwitchArgument(args[0]) && !IsSwitchArgument(args[1])) {
        line.meshName = nameFrom(args[0]);
        line.modelName = nameFrom(args[1]);
        line.hasNames = !line.meshName.empty() && !line.modelName.empty();
        if (!line.hasNames) {
            line.meshName.clear();
            line.modelName.clear();
        }
    }
    return line;
}
