#pragma once

#include <string>

// Reads a whole file into memory. Returns false when it cannot be opened for reading:
// missing, not permitted, or neither a regular file nor a folder (a FIFO or a device
// must never block the program). A folder opens but holds no text, like a stream on
// a folder whose first read fails.
bool LoadTextFile(const std::string& path, std::string& text);

// Whether a file or folder exists at the path (relative to the working directory).
bool PathExists(const std::string& path);

// The path made absolute against the working directory of this moment; not normalised.
std::string MakeAbsolute(const std::string& path);

// The folder part of a name (everything before its last "/"), or "" when it has none.
std::string FolderPart(const std::string& path);
