#pragma once

#include <QString>

#include <string>

class Messages;
class QLineEdit;
class QWidget;

// File names are bytes on this platform; the dialogs' boxes show them in the local
// encoding and hand them back unchanged.
QString FileNameText(const std::string& name);
std::string FileNameFrom(const QString& text);

// The dialogs' check of a named file, a relative name taken from the folder: an empty
// name gives "<label> file is missing.", a name under which no file or folder exists
// "<label> file:\n<name>\nnot found." (both warnings, the name as typed), and the focus
// moves to the box. Only an empty text is missing: blanks fail the existence test.
bool CheckNamedFileExists(Messages& messages, const std::string& folder, const std::string& name,
                          const std::string& label, QWidget* box);

// Where a "Browse" chooser starts: the file name in the folder, or the folder itself
// when there is no name to start at.
QString ChooserStart(const std::string& folder, const QString& startName = QString());

// A chosen file's full path, clean; a relative answer is taken from the folder.
std::string ChosenFileName(const std::string& folder, const QString& chosen);

// The check above for a dialog that remembers its file: on success the name becomes
// absolute, taken against the folder the check used, so that it keeps its meaning when
// the document's folder moves.
bool TakeNamedFile(Messages& messages, const std::string& folder, std::string& name,
                   const std::string& label, QWidget* box);

// "Browse" for a model file: the chooser starts in the folder; a chosen file becomes the
// name and is shown in the box. Nothing changes when the chooser is cancelled.
void BrowseForModelFile(QWidget* parent, const std::string& folder, std::string& name,
                        QLineEdit* box);
