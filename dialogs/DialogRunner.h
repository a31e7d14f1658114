#pragma once

#include <functional>

class QDialog;

// Runs a modal dialog and returns its result. Tests replace it so that no dialog ever
// waits for a person.
using DialogRunner = std::function<int(QDialog&)>;

DialogRunner DefaultDialogRunner();
