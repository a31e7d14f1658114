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

// Opens the file for reading and closes it again without reading anything; on failure
// returns the message the shell shows: "%1 was not found.", "%1 contains an incorrect
// path." (a folder on the way is missing) or "Access to %1 was denied.", with the
// path in place of %1. Empty when the file opened.
std::string OpenForReadingError(const std::string& path);
