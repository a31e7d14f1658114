#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The program's arguments, already split. An argument that is exactly "/ip", "/conv"
// or "/follow", or begins with "/padd=" or "/chi=", is a switch; every other one is a
// file name. Switches are only looked for in switch arguments, never inside names,
// since every absolute path begins with "/".
struct CommandLine {
    bool ip = false;
    bool conv = false;
    bool follow = false;
    // "/padd=" counts; -1 each unless exactly three numbers were converted.
    std::int32_t padLeft = -1;
    std::int32_t padRight = -1;
    std::int32_t padBottom = -1;
    // The text after "/chi=" (and any arguments after it), when the switch was given.
    std::optional<std::string> chiText;
    // Set when the first two arguments are both names: mesh first, then model.
    bool hasNames = false;
    std::string meshName;
    std::string modelName;
};

// Longest file name accepted from the command line (the platform's path limit).
constexpr std::size_t MaxFileNameLength = 4095;

CommandLine ParseCommandLine(const std::vector<std::string>& args);

bool IsSwitchArgument(const std::string& arg);

// "%i,%i,%i" with scanf semantics (blanks, signs, 0x hexadecimal, leading-0 octal);
// false unless exactly three numbers were converted.
bool ScanPadding(const std::string& text, std::int32_t& left, std::int32_t& right,
                 std::int32_t& bottom);

// "%lf" with scanf semantics; false when no number was converted.
bool ScanDouble(const std::string& text, double& value);
