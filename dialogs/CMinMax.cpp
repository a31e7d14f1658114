#include "dialogs/CMinMax.h"

#include "dialogs/NumberBox.h"
#include "document/Messages.h"

#include <QFormLayout>
#include <QPushButton>

CMinMax::CMinMax(Messages& messages, QWidget* parent)
    : SettingsDialog(messages, QStringLiteral("Set data range"), parent),
      maxBox_(new NumberBox(NumberBox::Kind::Float, this)),
      minBox_(new NumberBox(NumberBox::Kind::Float, this)),
      reset_(new QPushButton(QStringLiteral("Reset"), this)) {
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Max:"), maxBox_);
    form->addRow(QStringLiteral("Min:"), minBox_);
    arrange(form, {reset_}, {maxBox_, minBox_}, Qt::Horizontal);
    connect(reset_, &QPushButton::clicked, this, [this] {
        max = 0.0;
        min = 0.0;
        accept();
    });
}

void CMinMax::showEvent(QShowEvent* event) {
    maxBox_->setFloat(max);
    minBox_->setFloat(min);
    SettingsDialog::showEvent(event);
}

void CMinMax::onOk() {
    const auto newMax = maxBox_->readFloat(messages_);
    if (!newMax)
        return;
    max = *newMax;
    const auto newMin = minBox_->readFloat(messages_);
    if (!newMin)
        return;
    min = *newMin;
    if (min > max) {
        messages_.warning("Min should be less than max.");
        return;
    }
    accept();
}
