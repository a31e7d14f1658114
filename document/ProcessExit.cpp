#include "document/ProcessExit.h"

#include <cstdlib>
#include <utility>

namespace {
ProcessExitHandler& currentHandler() {
    static ProcessExitHandler handler;
    return handler;
}
} // namespace

ProcessExitHandler SetProcessExitHandler(ProcessExitHandler handler) {
    return std::exchange(currentHandler(), std::move(handler));
}

void EndProcess(int status) {
    if (const auto& handler = currentHandler())
        handler(status);
    // A handler that returns must not hand control back to a half-finished read.
    std::exit(status);
}
