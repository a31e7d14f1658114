#pragma once

#include "document/ConvergenceHistory.h"
#include "document/ReadResult.h"
#include "document/TextScanner.h"

#include <optional>
#include <string>

class Messages;

// Reads the inversion's output file: iteration count, one row per iteration (number,
// misfit, model norm, anything else on the line skipped), then the target part.
// chiText is the command line's text after "/chi=", when that switch was given: the
// target is then an integer read from the file times the factor scanned from it.
// Failed only for a bad count or a short table; the target never fails the read. A
// relative name is taken from the folder; messages name the file as given.
ReadResult ReadConvergence(const std::string& folder, const std::string& fileName,
                           const std::optional<std::string>& chiText, ConvergenceHistory& history,
                           Messages& messages, const ReadOptions& options = {});
