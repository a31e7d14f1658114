#pragma once

#include <string>
#include <vector>

// How the programs look at their arguments before anything is loaded or shown.

// What the arguments ask for besides a picture: the usage text, the version, or neither.
enum class InfoRequest { None, Help, Version };

// "-h" or "--help" anywhere wins over everything else, unknown options included;
// otherwise "--version" anywhere. With namesAfterDoubleDash, every argument after a
// "--" is a name, never one of these (korvex-render's options end there; the viewer
// takes a "--" as a file name).
InfoRequest FindInfoRequest(const std::vector<std::string>& args, bool namesAfterDoubleDash);

// "Open with" in a file manager hands over the chosen files in its own order. When the
// arguments are exactly two names (neither a switch), and the first does not read as a
// mesh while the second does, they are returned the other way round; every other
// argument list is returned as it is. Relative names are taken from launchFolder.
std::vector<std::string> FileManagerOrder(std::vector<std::string> args,
                                          const std::string& launchFolder);

// Whether the file reads as a mesh file: for each axis a segment count above 0, the
// start, and an end and a whole cell count per segment, where a model file has its two
// counts alone on its first line. Only the first 64 KiB are looked at; anything that
// is not a readable regular file does not read as a mesh.
bool ReadsAsMesh(const std::string& path);
