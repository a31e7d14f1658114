#pragma once

#include <QString>

#include <functional>

class QWidget;

// Picks one existing file to open: the window title (empty for the platform's own),
// the file name to start at and a Qt filter such as "Mesh (*)". Returns the chosen
// file's full path, or an empty text when the user cancels.
using FileChooser = std::function<QString(QWidget* parent, const QString& title,
                                          const QString& startName, const QString& filter)>;

// Every dialog's "Browse" goes through here, so tests can answer without a real chooser.
QString ChooseFileToOpen(QWidget* parent, const QString& title, const QString& startName,
                         const QString& filter);

// Replaces the chooser for the whole process and returns the previous one; an empty
// function puts the platform's file dialog back.
FileChooser SetFileChooser(FileChooser chooser);

// Puts a chooser in place for one scope (a test) and restores the previous one.
class ScopedFileChooser {
public:
    explicit ScopedFileChooser(FileChooser chooser)
        : previous_(SetFileChooser(std::move(chooser))) {}
    ~ScopedFileChooser() { SetFileChooser(std::move(previous_)); }
    ScopedFileChooser(const ScopedFileChooser&) = delete;
    ScopedFileChooser& operator=(const ScopedFileChooser&) = delete;

private:
    FileChooser previous_;
};
