#include "dialogs/CAreaIntrst.h"

#include "dialogs/NumberBox.h"
#include "document/Messages.h"

#include <QGridLayout>
#include <QLabel>

CAreaIntrst::CAreaIntrst(Messages& messages, QWidget* parent)
    : SettingsDialog(messages, QStringLiteral("Area of Interest"), parent),
      depthBox_(new NumberBox(NumberBox::Kind::Float, this)),
      leftBox_(new NumberBox(NumberBox::Kind::Float, this)),
      rightBox_(new NumberBox(NumberBox::Kind::Float, this)) {
    auto* form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Left"), this), 0, 0);
    form->addWidget(leftBox_, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Right"), this), 0, 2);
    form->addWidget(rightBox_, 0, 3);
    form->addWidget(new QLabel(QStringLiteral("Depth"), this), 1, 0);
    form->addWidget(depthBox_, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("(Set depth to 0 to display all)"), this), 1, 2, 1,
                    2);
    arrange(form, {}, {leftBox_, rightBox_, depthBox_}, Qt::Horizontal);
}

void CAreaIntrst::showEvent(QShowEvent* event) {
    depthBox_->setFloat(depth);
    leftBox_->setFloat(left);
    rightBox_->setFloat(right);
    SettingsDialog::showEvent(event);
}

void CAreaIntrst::onOk() {
    const auto newDepth = depthBox_->readFloat(messages_);
    if (!newDepth)
        return;
    depth = *newDepth;
    const auto newLeft = leftBox_->readFloat(messages_);
    if (!newLeft)
        return;
    left = *newLeft;
    const auto newRight = rightBox_->readFloat(messages_);
    if (!newRight)
        return;
    right = *newRight;
    if (left > right) {
        messages_.warning("Left point cannot be greater than\nthe right one.");
        return;
    }
    if (depth < 0) {
        messages_.warning("Depth cannot be negative.");
        return;
    }
    accept();
}
