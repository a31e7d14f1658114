#pragma once

#include "document/RecordingMessages.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Shared by the fuzz targets: the readers are driven through their file-name entry
// points, so every input is written to a real file first, in a folder made once per
// process (in memory when /dev/shm exists, so that writing stays cheap).
namespace fuzz {

const std::string& Folder();

// Writes the bytes to a file of this name in the folder and returns its full path.
std::string WriteFile(const std::string& name, const std::string& bytes);

// A broken promise of the code under test: report it the way a crash is reported, so
// the fuzzer keeps the input.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

inline void Check(bool condition, const char* what) {
    if (!condition)
        Fail(what);
}

// Every failure a reader reports is one message, never none and never several.
inline void CheckOneMessage(const RecordingMessages& messages, const char* what) {
    Check(messages.entries.size() == 1, what);
}

} // namespace fuzz
