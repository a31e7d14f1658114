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

// Picks the name of a file to write: the window title, the name to start at, Qt filters
// joined by ";;", and the filter chosen (read as the one to start with, written back).
// Returns the full path, or an empty text when the user cancels.
using SaveChooser =
    std::function<QString(QWidget* parent, const QString& title, const QString& startName,
                          const QString& filters, QString* selectedFilter)>;

// Every "Export" goes through here, like the open choosers.
QString ChooseFileToSave(QWidget* parent, const QString& title, const QString& startName,
                         const QString& filters, QString* selectedFilter);
SaveChooser SetSaveChooser(SaveChooser chooser);

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

class ScopedSaveChooser {
public:
    explicit ScopedSaveChooser(SaveChooser chooser)
        : previous_(SetSaveChooser(std::move(chooser))) {}
    ~ScopedSaveChooser() { SetSaveChooser(std::move(previous_)); }
    ScopedSaveChooser(const ScopedSaveChooser&) = delete;
    ScopedSaveChooser& operator=(const ScopedSaveChooser&) = delete;

private:
    SaveChooser previous_;
};
