#include "dialogs/CPadDlg.h"

#include "dialogs/NumberBox.h"

#include <QGridLayout>
#include <QLabel>

CPadDlg::CPadDlg(Messages& messages, QWidget* parent)
    : SettingsDialog(messages, QStringLiteral("Remove Padding Cells"), parent),
      bottomBox_(new NumberBox(NumberBox::Kind::Digits, this)),
      leftBox_(new NumberBox(NumberBox::Kind::Digits, this)),
      rightBox_(new NumberBox(NumberBox::Kind::Digits, this)) {
    auto* form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Horizontal cells:"), this), 0, 0);
    form->addWidget(leftBox_, 0, 1);
    form->addWidget(rightBox_, 0, 2);
    form->addWidget(new QLabel(QStringLiteral("Vertical cells:"), this), 1, 0);
    form->addWidget(bottomBox_, 1, 1);
    arrange(form, {}, {leftBox_, rightBox_, bottomBox_}, Qt::Vertical);
}

void CPadDlg::showEvent(QShowEvent* event) {
    bottomBox_->setInteger(bottom);
    leftBox_->setInteger(left);
    rightBox_->setInteger(right);
    SettingsDialog::showEvent(event);
}

void CPadDlg::onOk() {
    // Read in the dialog's field order: the first bad box is the one reported.
    const auto newBottom = bottomBox_->readInteger(messages_);
    if (!newBottom)
        return;
    bottom = *newBottom;
    const auto newLeft = leftBox_->readInteger(messages_);
    if (!newLeft)
        return;
    left = *newLeft;
    const auto newRight = rightBox_->readInteger(messages_);
    if (!newRight)
        return;
    right = *newRight;
    accept();
}
