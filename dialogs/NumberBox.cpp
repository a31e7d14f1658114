#include "dialogs/NumberBox.h"

#include "document/Messages.h"
#include "document/NumberText.h"

#include <QRegularExpressionValidator>

NumberBox::NumberBox(Kind kind, QWidget* parent) : QLineEdit(parent), kind_(kind) {
    setAlignment(Qt::AlignRight);
    setAcceptDrops(false);
    if (kind == Kind::Digits)
        setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
}

void NumberBox::setFloat(double value) {
    setText(QString::fromStdString(FormatFloatField(value)));
}

void NumberBox::setInteger(std::int32_t value) {
    setText(QString::fromStdString(FormatIntField(value)));
}

void NumberBox::refuse(Messages& messages, const char* text) {
    messages.warning(text);
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

std::optional<double> NumberBox::readFloat(Messages& messages) {
    const auto value = ScanFloatField(text().toStdString());
    if (!value)
        refuse(messages, "Enter a number.");
    return value;
}

std::optional<std::int32_t> NumberBox::readInteger(Messages& messages) {
    const auto value = ScanIntField(text().toStdString());
    if (!value)
        refuse(messages, "Enter an integer.");
    return value;
}
