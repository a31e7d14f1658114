#include "dialogs/CVertExag.h"

#include "dialogs/NumberBox.h"
#include "document/Messages.h"

#include <QGridLayout>
#include <QLabel>

CVertExag::CVertExag(Messages& messages, QWidget* parent)
    : SettingsDialog(messages, QStringLiteral("Vertical Exaggeration"), parent),
      factorBox_(new NumberBox(NumberBox::Kind::Float, this)) {
    auto* form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Vertical exaggeration:"), this), 0, 0);
    form->addWidget(factorBox_, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("(1 to 100; 1 draws true scale)"), this), 1, 0, 1, 2);
    arrange(form, {}, {factorBox_}, Qt::Horizontal);
}

void CVertExag::showEvent(QShowEvent* event) {
    factorBox_->setFloat(factor);
    SettingsDialog::showEvent(event);
}

void CVertExag::onOk() {
    const auto value = factorBox_->readFloat(messages_);
    if (!value)
        return;
    if (*value < 1.0 || *value > 100.0) {
        messages_.warning("Vertical exaggeration must be from 1 to 100.");
        return;
    }
    factor = *value;
    accept();
}
