#pragma once

#include <string>
#include <string_view>

// A file that appears under its name whole or not at all: the bytes go to a new file
// beside it, which commit() flushes to disk and renames over the name. Until then, and
// whenever anything fails, the name keeps what it had and the new file is removed.
class AtomicFile {
public:
    explicit AtomicFile(std::string fileName);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False once anything failed (the file could not be made, a write fell short);
    // later writes are then ignored.
    bool write(std::string_view bytes);
    // Syncs, closes and renames; true when the file now stands under its name.
    bool commit();

private:
    void discard();

    std::string name_;
    std::string temporary_;
    int fd_ = -1;
    bool failed_ = false;
};
