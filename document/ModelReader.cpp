#include "document/ModelReader.h"

#include "document/Messages.h"
#include "document/TextFile.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <thread>
#include <vector>

namespace {
// Why a run of values ended.
enum class Stop {
    Full,        // every value asked for was read
    TextEnded,   // the scanner's part of the text ended first (only where that is asked)
    ReadFailed,  // a value could not be read
    NotPositive, // a conductivity or sensitivity of 0 or less
};

// The range of stored values above the blank level, formed as the reader always has:
// the smallest below 1e20 and the largest above -1e20.
struct Range {
    float blank;
    float low = std::numeric_limits<float>::infinity();
    float high = -std::numeric_limits<float>::infinity();
    void add(float v) {
        if (v > blank) {
            low = v < low ? v : low;
            high = v > high ? v : high;
        }
    }
    void add(const Range& other) {
        low = std::min(low, other.low);
        high = std::max(high, other.high);
    }
    void setIn(CellModel& model) const {
        model.valueMin = std::min(1e20, static_cast<double>(low));
        model.valueMax = std::max(-1e20, static_cast<double>(high));
    }
};

// Reads up to `count` values in file order into `out` in stored form; `done` counts
// them, and nothing after them is written. With a range, the values go into it too.
// Where `partEnds` the scanner sees a part of the file, and the end of that part ends
// the run without being a failure.
Stop ReadValues(TextScanner& in, float* out, std::int64_t count, bool logged, bool partEnds,
                std::int64_t& done, Range* range) {
    done = 0;
    float batch[256];
    while (done < count) {
        const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(256, count - done));
        // Plain numbers in bulk, then one the general way (it also reads the next piece).
        std::size_t read = in.readPlainFloats(batch, wanted);
        Stop next = Stop::Full;
        if (read < wanted) {
            if (partEnds && !in.moreTokens())
                next = Stop::TextEnded;
            else if (!in.readFloat(batch[read]))
                next = Stop::ReadFailed;
            else
                ++read;
        }
        for (std::size_t i = 0; i < read; ++i) {
            float v = batch[i];
            // In file order: a value of 0 or less fails before anything read after it.
            if (logged) {
                if (v <= 0.0f)
                    return Stop::NotPositive;
                v = std::log10(v); // single precision, as stored
            }
            if (range)
                range->add(v);
            out[done++] = v;
        }
        if (next != Stop::Full)
            return next;
    }
    return Stop::Full;
}

// The same values read by two threads: the text is cut at a white space character
// near the middle of the values, where no read can start or end, so the second half
// read on its own gives exactly the reads that would follow the first half. The first
// half goes straight into the grid; the second into a buffer that is copied after it
// once the first half's count is known. The first failure in file order counts: the
// first half's, or else the second half's among the values still needed; `read`
// counts the values before it, as in the grid. False when the text has no place to cut
// (then nothing was read).
bool ReadValuesInTwo(TextScanner& in, float* values, std::int64_t needed, bool logged, Range& range,
                     Stop& stop, std::int64_t& read) {
    const std::uint64_t begin = in.offset();
    const std::uint64_t end = in.knownEnd();
    TextScanner second = in.slice(begin + (end - begin) / 2, end);
    const std::uint64_t cut = second.skipToSpace();
    if (cut >= end)
        return false;
    TextScanner first = in.slice(begin, cut);

    // Never more than the second half's text can hold (a file that grew since is read
    // on below).
    const std::int64_t room = std::min(needed, MaxTokensIn(end - cut));
    const FloatBlock later = AllocateFloats(static_cast<std::size_t>(room));
    // The range of every block of the buffer, so that the range of the part that is
    // used (not known before the first half has ended) needs no pass of its own.
    constexpr std::int64_t Block = 1 << 16;
    std::vector<Range> blockRanges;
    blockRanges.reserve(static_cast<std::size_t>(room / Block + 1));
    std::int64_t laterCount = 0;
    Stop laterStop = Stop::Full;
    std::exception_ptr laterError;
    {
        // Joined on every way out, a failure of this thread included.
        const std::jthread worker([&] {
            try {
                while (laterStop == Stop::Full && laterCount < room) {
                    std::int64_t got = 0;
                    laterStop = ReadValues(second, later.get() + laterCount,
                                           std::min(Block, room - laterCount), logged, false, got,
                                           &blockRanges.emplace_back(Range{range.blank}));
                    laterCount += got;
                }
            } catch (...) {
                laterError = std::current_exception();
            }
        });
        stop = ReadValues(first, values, needed, logged, true, read, &range);
    }
    if (laterError)
        std::rethrow_exception(laterError);
    if (stop != Stop::TextEnded)
        return true;
    // The buffer's first values continue the grid where the first half ended.
    const std::int64_t used = std::min(laterCount, needed - read);
    std::copy_n(later.get(), used, values + read);
    const std::int64_t wholeBlocks = used / Block;
    for (std::int64_t b = 0; b < wholeBlocks; ++b)
        range.add(blockRanges[static_cast<std::size_t>(b)]);
    for (std::int64_t i = wholeBlocks * Block; i < used; ++i)
        range.add(later[i]);
    read += used;
    stop = read == needed ? Stop::Full : laterStop;
    if (stop == Stop::Full && read < needed) {
        // The second half held more than its size promised: read the rest from there.
        std::int64_t more = 0;
        stop = ReadValues(second, values + read, needed - read, logged, false, more, &range);
        read += more;
    }
    return true;
}
} // namespace

ReadResult ReadModel(const std::string& folder, const std::string& fileName, ModelKind kind,
                     MeshGrid& mesh, CellModel& model, Messages& messages,
                     const ReadOptions& options) {
    std::optional<TextScanner> file = TextScanner::OpenFile(ResolveAgainst(folder, fileName),
                                                            options.progress, options.chunkBytes);
    if (!file) {
        messages.error("Model file not found: " + fileName);
        return ReadResult::NotFound;
    }
    TextScanner& in = *file;
    std::int32_t nx = 0, nz = 0;
    in.readInt(nx);
    in.readInt(nz);

    if (mesh.nx > 0 && mesh.nz > 0 && (nx != mesh.nx || nz != mesh.nz)) {
        messages.warning("Cannot reload model if the mesh has changed.\nUse File | Open  instead.");
        return ReadResult::OtherCounts;
    }
    mesh.nx = nx;
    mesh.nz = nz;
    if (nx <= 0 || nz <= 0) {
        messages.error("Number of cells in the model should be positive.\n" + fileName);
        return ReadResult::Failed;
    }
    // Counts that the rest of the file cannot hold never size memory.
    const std::int64_t needed = static_cast<std::int64_t>(nx) * nz;
    if (needed > MaxTokensIn(in.remaining())) {
        messages.error("Error reading model file\n" + fileName);
        return ReadResult::Failed;
    }

    // Every value is written before it is read: no time goes into zeroing them first.
    model.values =
        ValueGrid::Uninitialized(static_cast<std::size_t>(nz), static_cast<std::size_t>(nx));
    float* const values = model.values.data();
    const bool logged = kind == Conductivity || kind == Sensitivity;
    Range range{blankLevel(kind)};
    Stop stop = Stop::Full;
    std::int64_t read = 0;
    const bool split = in.fromFile() && in.knownEnd() - in.offset() >= options.splitBytes;
    if (!split || !ReadValuesInTwo(in, values, needed, logged, range, stop, read))
        stop = ReadValues(in, values, needed, logged, false, read, &range);
    // The values before a failing one are kept, and the range covers them.
    range.setIn(model);
    if (stop == Stop::Full)
        return ReadResult::Ok;
    std::fill(values + read, values + needed, 0.0f);
    if (stop == Stop::NotPositive)
        messages.error("Values cannot be less than 0.\n" + fileName);
    else
        messages.error("Error reading model file\n" + fileName);
    return ReadResult::Failed;
}
