#include "dialogs/SettingsDialog.h"

#include <QBoxLayout>
#include <QPushButton>

SettingsDialog::SettingsDialog(Messages& messages, const QString& title, QWidget* parent)
    : QDialog(parent), messages_(messages), ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(title);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, [this] { onOk(); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void SettingsDialog::arrange(QLayout* form, const QList<QPushButton*>& extraButtons,
                             const QList<QWidget*>& boxes, Qt::Orientation buttonsBeside) {
    auto* buttons = new QBoxLayout(buttonsBeside == Qt::Horizontal ? QBoxLayout::TopToBottom
                                                                   : QBoxLayout::LeftToRight);
    if (buttonsBeside == Qt::Vertical)
        buttons->addStretch();
    buttons->addWidget(ok_);
    for (QPushButton* button : extraButtons)
        buttons->addWidget(button);
    buttons->addWidget(cancel_);
    if (buttonsBeside == Qt::Horizontal)
        buttons->addStretch();

    auto* outer = new QBoxLayout(
        buttonsBeside == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
    outer->addLayout(form, 1);
    outer->addLayout(buttons);

    QList<QWidget*> order{ok_};
    for (QPushButton* button : extraButtons)
        order << button;
    order << cancel_ << boxes;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void SettingsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ok_->setFocus(Qt::OtherFocusReason);
}
