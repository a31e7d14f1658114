#include "dialogs/FileChooser.h"

#include <QFileDialog>

namespace {
QString PlatformChooser(QWidget* parent, const QString& title, const QString& startName,
                        const QString& filter) {
    // A bare file name as the start selects it in the current folder; only existing
    // files can be confirmed.
    return QFileDialog::getOpenFileName(parent, title, startName, filter);
}

FileChooser& CurrentChooser() {
    static FileChooser chooser = PlatformChooser;
    return chooser;
}
} // namespace

QString ChooseFileToOpen(QWidget* parent, const QString& title, const QString& startName,
                         const QString& filter) {
    return CurrentChooser()(parent, title, startName, filter);
}

FileChooser SetFileChooser(FileChooser chooser) {
    FileChooser previous = std::move(CurrentChooser());
    CurrentChooser() = chooser ? std::move(chooser) : FileChooser(PlatformChooser);
    return previous;
}
