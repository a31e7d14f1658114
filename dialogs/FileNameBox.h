#pragma once

#include <QString>

#include <string>

class Messages;
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
