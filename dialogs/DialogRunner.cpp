#include "dialogs/DialogRunner.h"

#include <QDialog>

DialogRunner DefaultDialogRunner() {
    return [](QDialog& dialog) { return dialog.exec(); };
}
