#pragma once

#include <QString>

#include <string>

class Messages;
class QWidget;

// File names are bytes on this platform; the dialogs' boxes show them in the local
// encoding and hand them back unchanged.
QString FileNameText(const std::string& name);
std::string FileNameFrom(const QString& text);

// The dialogs' check of a named file: an empty name gives "<label> file is missing.",
// a name under which no file or folder exists "<label> file:\n<name>\nnot found." (both
// warnings), and the focus moves to the box. Only an empty text is missing: blanks
// fail the existence test instead.
bool CheckNamedFileExists(Messages& messages, const std::string& name, const std::string& label,
                          QWidget* box);
