#pragma once

#include <string>

// Whether a file or folder exists at the path. Callers hand in resolved names
// (ResolveAgainst): the program never relies on where the process happens to be.
bool PathExists(const std::string& path);

// A name as the user gave it, taken relative to the folder: an empty or absolute name
// is returned as it is, a relative one follows the folder (not normalised). Every file
// name the program reads is resolved this way against the document's folder, or
// against the launch folder before any model was read.
std::string ResolveAgainst(const std::string& folder, const std::string& name);

// An absolute folder as a change into it would leave the working directory: with
// symbolic links and ".." resolved. Empty when it is no folder that can be entered,
// or not absolute.
std::string EnterableFolder(const std::string& folder);

// The folder part of a name (everything before its last "/"), or "" when it has none.
std::string FolderPart(const std::string& path);

// Opens the file for reading and closes it again without reading anything; on failure
// returns the message the shell shows: "%1 was not found.", "%1 contains an incorrect
// path." (a folder on the way is missing) or "Access to %1 was denied.", with the
// path in place of %1. Empty when the file opened.
std::string OpenForReadingError(const std::string& path);
