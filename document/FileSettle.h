#pragma once

#include <cstdint>
#include <string>

// What one look at a file on disk found: enough to tell that it was written to or
// replaced since the last look.
struct FileLook {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    bool endsWithLineBreak = false;

    bool operator==(const FileLook&) const = default;
};

// Looks at the file (a regular file only; anything else counts as not there). The last
// byte is read only when asked for.
FileLook LookAt(const std::string& path, bool lastByte);

// Decides when a file that another program rewrites is worth reading: after it changed,
// once its size and time have stood still for StillMs, and, for a model, once it ends
// with a line break (a file cut inside its last number still reads as a whole model
// with a wrong last value); one that stays without a line break for NoLineBreakMs is
// read as it is. Times are milliseconds on any steady clock.
class FileSettle {
public:
    static constexpr std::int64_t StillMs = 300;
    static constexpr std::int64_t NoLineBreakMs = 2000;

    explicit FileSettle(bool needsLineBreak = false) : needsLineBreak_(needsLineBreak) {}

    // The file as it is now counts as read.
    void reset(const FileLook& look, std::int64_t nowMs);
    // A new look; the file stands still from the first look that found it as it is.
    void observe(const FileLook& look, std::int64_t nowMs);
    // The file differs from what was last read.
    bool changed() const { return !(last_ == read_); }
    // Changed, there, and settled: read it now.
    bool ready(std::int64_t nowMs) const;
    // A read of the file as last seen has begun.
    void taken() { read_ = last_; }
    const FileLook& last() const { return last_; }

private:
    bool needsLineBreak_;
    FileLook last_;
    FileLook read_;
    std::int64_t stillSince_ = 0;
};
