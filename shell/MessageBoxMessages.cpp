#include "shell/MessageBoxMessages.h"

#include "dialogs/BusyCursor.h"

#include <QMessageBox>
#include <QString>

const char* const MessageBoxMessages::Caption = "korvex-model-viewer";

namespace {
void show(QWidget* parent, QMessageBox::Icon icon, const std::string& text) {
    const NormalCursor normal;
    QMessageBox box(icon, QString::fromUtf8(MessageBoxMessages::Caption),
                    QString::fromStdString(text), QMessageBox::Ok, parent);
    box.exec();
}
} // namespace

void MessageBoxMessages::error(const std::string& text) {
    show(parent_, QMessageBox::Critical, text);
}

void MessageBoxMessages::warning(const std::string& text) {
    show(parent_, QMessageBox::Warning, text);
}

void MessageBoxMessages::information(const std::string& text) {
    show(parent_, QMessageBox::Information, text);
}

bool MessageBoxMessages::askYesNo(const std::string& text) {
    const NormalCursor normal;
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(Caption), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    return box.exec() == QMessageBox::Yes;
}
