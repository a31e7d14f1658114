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

QString PlatformSaveChooser(QWidget* parent, const QString& title, const QString& startName,
                            const QString& filters, QString* selectedFilter) {
    // The dialog asks before it lets an existing file be replaced.
    return QFileDialog::getSaveFileName(parent, title, startName, filters, selectedFilter);
}

SaveChooser& CurrentSaveChooser() {
    static SaveChooser chooser = PlatformSaveChooser;
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

QString ChooseFileToSave(QWidget* parent, const QString& title, const QString& startName,
                         const QString& filters, QString* selectedFilter) {
    return CurrentSaveChooser()(parent, title, startName, filters, selectedFilter);
}

SaveChooser SetSaveChooser(SaveChooser chooser) {
    SaveChooser previous = std::move(CurrentSaveChooser());
    CurrentSaveChooser() = chooser ? std::move(chooser) : SaveChooser(PlatformSaveChooser);
    return previous;
}
