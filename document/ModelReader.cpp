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

// Reads up to `count` values in file order into `out` in stored form; `done` counts
// them, and nothing after them is written. Where `partEnds` the scanner sees a part of
// the file, and the end of that part ends the run without being a failure.
Stop ReadValues(TextScanner& in, float* out, std::int64_t count, bool logged, bool partEnds,
                std::int64_t& done) {
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
            out[done++] = v;
        }
        if (next != Stop::Full)
            return next;
    }
    return Stop::Full;
}

// The values row by row from the scanner's position; `read` counts them.
Stop ReadRows(TextScanner& in, CellModel& model, bool logged, bool partEnds, std::int64_t& read) {
    read = 0;
    for (auto& row : model.values) {
        std::int64_t done = 0;
        const Stop stop = ReadValues(in, row.data(), static_cast<std::int64_t>(row.size()), logged,
                                     partEnds, done);
        read += done;
        if (stop != Stop::Full)
            return stop;
    }
    return Stop::Full;
}

// The same values read by two threads: the text is cut at a white space character
// near the middle of the values, where no read can start or end, so the second half
// read on its own gives exactly the reads that would follow the first half. The first
// half goes straight into the rows; the second into a buffer that is copied after
// them once the first half's count is known. The first failure in file order counts:
// the first half's, or else the second half's among the values still needed; `read`
// counts the values before it, as in the rows. False when the text has no place to
// cut (then nothing was read).
bool ReadRowsInTwo(TextScanner& in, CellModel& model, bool logged, Stop& stop, std::int64_t& read) {
    const std::uint64_t begin = in.offset();
    const std::uint64_t end = in.knownEnd();
    TextScanner second = in.slice(begin + (end - begin) / 2, end);
    const std::uint64_t cut = second.skipToSpace();
    if (cut >= end)
        return false;
    TextScanner first = in.slice(begin, cut);

    const std::size_t columns = model.values.front().size();
    const std::int64_t needed =
        static_cast<std::int64_t>(model.values.size()) * static_cast<std::int64_t>(columns);
    // At most every value, and never more than the second half's text can hold.
    std::vector<float> later;
    later.reserve(static_cast<std::size_t>(std::min(needed, MaxTokensIn(end - cut))));
    std::int64_t laterCount = 0;
    Stop laterStop = Stop::Full;
    std::exception_ptr laterError;
    // Joined on every way out, a failure of this thread included.
    std::jthread worker([&] {
        try {
            // In blocks, so that a file that grew since it was measured still fits.
            constexpr std::int64_t Block = 1 << 16;
            do {
                const std::int64_t want = std::min(Block, needed - laterCount);
                later.resize(static_cast<std::size_t>(laterCount + want));
                std::int64_t got = 0;
                laterStop = ReadValues(second, later.data() + laterCount, want, logged, false, got);
                laterCount += got;
            } while (laterStop == Stop::Full && laterCount < needed);
        } catch (...) {
            laterError = std::current_exception();
        }
    });
    const Stop firstStop = ReadRows(first, model, logged, true, read);
    worker.join();
    if (laterError)
        std::rethrow_exception(laterError);
    if (firstStop != Stop::TextEnded) {
        stop = firstStop;
        return true;
    }
    const std::int64_t still = needed - read;
    stop = laterCount < still ? laterStop : Stop::Full;
    // The buffer's first values continue the rows where the first half ended.
    const std::int64_t filled = read + std::min(laterCount, still);
    auto from = later.cbegin();
    while (read < filled) {
        auto& row = model.values[static_cast<std::size_t>(read) / columns];
        const std::size_t column = static_cast<std::size_t>(read) % columns;
        const auto n =
            std::min<std::int64_t>(static_cast<std::int64_t>(columns - column), filled - read);
        std::copy(from, from + n, row.begin() + static_cast<std::ptrdiff_t>(column));
        from += n;
        read += n;
    }
    return true;
}

// The range of the first `count` values (in file order) above the blank level, as the
// reader has always formed it: the smallest below 1e20 and the largest above -1e20.
void SetRange(CellModel& model, float blank, std::int64_t count) {
    float low = std::numeric_limits<float>::infinity();
    float high = -std::numeric_limits<float>::infinity();
    for (const auto& row : model.values) {
        const auto n = std::min<std::int64_t>(count, static_cast<std::int64_t>(row.size()));
        for (std::int64_t i = 0; i < n; ++i) {
            const float v = row[static_cast<std::size_t>(i)];
            if (v > blank) {
                low = v < low ? v : low;
                high = v > high ? v : high;
            }
        }
        count -= n;
    }
    model.valueMin = std::min(1e20, static_cast<double>(low));
    model.valueMax = std::max(-1e20, static_cast<double>(high));
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
        return ReadResult::Failed;
    }
    mesh.nx = nx;
    mesh.nz = nz;
    if (nx <= 0 || nz <= 0) {
        messages.error("Number of cells in the model should be positive.\n" + fileName);
        return ReadResult::Failed;
    }
    // Counts that the rest of the file cannot hold never size memory.
    if (static_cast<std::int64_t>(nx) * nz > MaxTokensIn(in.remaining())) {
        messages.error("Error reading model file\n" + fileName);
        return ReadResult::Failed;
    }

    model.values.resize(static_cast<std::size_t>(nz));
    for (auto& row : model.values)
        row.resize(static_cast<std::size_t>(nx));

    const bool logged = kind == Conductivity || kind == Sensitivity;
    Stop stop = Stop::Full;
    std::int64_t read = 0;
    const bool split = in.fromFile() && in.knownEnd() - in.offset() >= options.splitBytes;
    if (!split || !ReadRowsInTwo(in, model, logged, stop, read))
        stop = ReadRows(in, model, logged, false, read);
    // The values before a failing one are kept, and the range covers them.
    SetRange(model, blankLevel(kind), read);
    if (stop == Stop::NotPositive) {
        messages.error("Values cannot be less than 0.\n" + fileName);
        return ReadResult::Failed;
    }
    if (stop != Stop::Full) {
        messages.error("Error reading model file\n" + fileName);
        return ReadResult::Failed;
    }
    return ReadResult::Ok;
}
