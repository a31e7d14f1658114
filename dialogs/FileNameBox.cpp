#include "dialogs/FileNameBox.h"

#include "dialogs/FileChooser.h"
#include "document/Messages.h"
#include "document/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QWidget>

QString FileNameText(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

std::string FileNameFrom(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

bool CheckNamedFileExists(Messages& messages, const std::string& folder, const std::string& name,
                          const std::string& label, QWidget* box) {
    if (name.empty()) {
        messages.warning(label + " file is missing.");
    } else if (!PathExists(ResolveAgainst(folder, name))) {
        messages.warning(label + " file:\n" + name + "\nnot found.");
    } else {
        return true;
    }
    if (box)
        box->setFocus(Qt::OtherFocusReason);
    return false;
}

QString ChooserStart(const std::string& folder, const QString& startName) {
    if (startName.isEmpty())
        return FileNameText(folder);
    return FileNameText(ResolveAgainst(folder, FileNameFrom(startName)));
}

std::string ChosenFileName(const std::string& folder, const QString& chosen) {
    return FileNameFrom(QFileInfo(QDir(FileNameText(folder)), chosen).absoluteFilePath());
}

bool TakeNamedFile(Messages& messages, const std::string& folder, std::string& name,
                   const std::string& label, QWidget* box) {
    if (!CheckNamedFileExists(messages, folder, name, label, box))
        return false;
    name = ResolveAgainst(folder, name);
    return true;
}

void BrowseForModelFile(QWidget* parent, const std::string& folder, std::string& name,
                        QLineEdit* box) {
    const QString chosen =
        ChooseFileToOpen(parent, QString(), ChooserStart(folder), QStringLiteral("Model (*)"));
    if (chosen.isEmpty())
        return;
    name = ChosenFileName(folder, chosen);
    box->setText(FileNameText(name));
}
