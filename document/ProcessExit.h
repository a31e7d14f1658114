#pragma once

#include <functional>

// Ending the process goes through one replaceable call. Tests install a handler that
// throws, so the call never returns into the code that asked for it.
using ProcessExitHandler = std::function<void(int status)>;

// Installs a handler and returns the previous one; an empty handler restores std::exit.
ProcessExitHandler SetProcessExitHandler(ProcessExitHandler handler);

// Ends the process with the status (-1 gives 255 on POSIX). Never returns.
[[noreturn]] void EndProcess(int status);

// Thrown by the handler that tests and the headless tools install.
struct ProcessEnded {
    int status;
};
