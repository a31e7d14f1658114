#include "dialogs/FileNameBox.h"

#include "document/Messages.h"
#include "document/TextFile.h"

#include <QFile>
#include <QWidget>

QString FileNameText(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

std::string FileNameFrom(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

bool CheckNamedFileExists(Messages& messages, const std::string& name, const std::string& label,
                          QWidget* box) {
    if (name.empty()) {
        messages.warning(label + " file is missing.");
    } else if (!PathExists(name)) {
        messages.warning(label + " file:\n" + name + "\nnot found.");
    } else {
        return true;
    }
    if (box)
        box->setFocus(Qt::OtherFocusReason);
    return false;
}
