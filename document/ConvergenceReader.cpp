#include "document/ConvergenceReader.h"

#include "document/CommandLine.h"
#include "document/Messages.h"
#include "document/TextFile.h"
#include "document/TextScanner.h"

#include <algorithm>
#include <cmath>

namespace {
void readTarget(TextScanner& in, const std::optional<std::string>& chiText,
                ConvergenceHistory& history) {
    history.hasTarget = false;
    if (chiText) {
        std::int32_t m = 0;
        double factor = 0.0;
        if (!in.readInt(m) || !ScanDouble(*chiText, factor))
            return;
        const double target = std::log10(static_cast<double>(m) * factor);
        // A factor or count of 0 or less gives no usable target rather than -inf or NaN.
        if (std::isfinite(target)) {
            history.targetMisfit = target;
            history.hasTarget = true;
        }
        return;
    }
    double target = 0.0;
    std::string word;
    const bool gotNumber = in.readDouble(target);
    if (!gotNumber || !in.readWord(word) || word != "target")
        return;
    const double logged = std::log10(target);
    if (std::isfinite(logged)) {
        history.targetMisfit = logged;
        history.hasTarget = true;
    }
}
} // namespace

ReadResult ReadConvergence(const std::string& folder, const std::string& fileName,
                           const std::optional<std::string>& chiText, ConvergenceHistory& history,
                           Messages& messages, const ReadOptions& options) {
    std::optional<TextScanner> file = TextScanner::OpenFile(ResolveAgainst(folder, fileName),
                                                            options.progress, options.chunkBytes);
    if (!file) {
        messages.error("Output file not found: " + fileName);
        return ReadResult::NotFound;
    }
    TextScanner& in = *file;
    history.misfit.clear();
    history.modelNorm.clear();

    std::int32_t iterations = 0;
    in.readInt(iterations);
    if (iterations < 1)
        return ReadResult::Failed;
    in.skipLine();

    // The arrays grow row by row, so a count the file cannot hold never sizes memory.
    const std::int64_t rows = static_cast<std::int64_t>(iterations) + 1;
    const std::int64_t reserveRows =
        std::min<std::int64_t>(rows, MaxTokensIn(in.remaining()) / 3 + 1);
    history.misfit.reserve(static_cast<std::size_t>(reserveRows));
    history.modelNorm.reserve(static_cast<std::size_t>(reserveRows));
    history.misfitMax = -1e50;
    history.normMax = -1e50;
    history.misfitMin = 1e50;
    history.normMin = 1e50;

    for (std::int64_t i = 0; i < rows; ++i) {
        std::int32_t iteration = 0;
        double misfit = 0.0, norm = 0.0;
        if (!in.readInt(iteration) || !in.readDouble(misfit) || !in.readDouble(norm)) {
            history.misfit.clear();
            history.modelNorm.clear();
            return ReadResult::Failed;
        }
        in.skipLine();
        misfit = std::log10(misfit);
        if (norm > 0.0) {
            norm = std::log10(norm);
            if (norm > history.normMax)
                history.normMax = norm;
            if (history.normMin > norm)
                history.normMin = norm;
        }
        if (misfit > history.misfitMax)
            history.misfitMax = misfit;
        if (history.misfitMin > misfit)
            history.misfitMin = misfit;
        history.misfit.push_back(misfit);
        history.modelNorm.push_back(norm);
    }
    readTarget(in, chiText, history);
    return ReadResult::Ok;
}
