#include "dialogs/CCompare.h"

#include "dialogs/CEditDrop.h"
#include "dialogs/FileNameBox.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CCompare::CCompare(Messages& messages, std::string folder, QWidget* parent)
    : QDialog(parent), messages_(messages), folder_(std::move(folder)),
      fileBox_(new CEditDrop(this)), browse_(new QPushButton(QStringLiteral("Browse"), this)),
      percent_(new QRadioButton(QStringLiteral("percent difference"), this)),
      ratio_(new QRadioButton(QStringLiteral("ratio"), this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)),
      reset_(new QPushButton(QStringLiteral("Reset"), this)) {
    setWindowTitle(QStringLiteral("Compare with Model"));
    auto* explanation = new QLabel(
        QStringLiteral("Enter the model file to compare with the loaded model (same mesh)"), this);
    explanation->setWordWrap(true);
    // As in the other dialogs, the choice is made with the mouse or the arrow keys.
    for (QRadioButton* button : {percent_, ratio_})
        button->setFocusPolicy(Qt::ClickFocus);
    auto* modes = new QButtonGroup(this);
    modes->addButton(percent_);
    modes->addButton(ratio_);
    ok_->setDefault(true);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileBox_, 1);
    fileRow->addWidget(browse_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(reset_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(fileRow);
    layout->addWidget(percent_);
    layout->addWidget(ratio_);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    setTabOrder(ok_, cancel_);
    setTabOrder(cancel_, fileBox_);
    setTabOrder(fileBox_, browse_);
    setTabOrder(browse_, reset_);

    connect(ok_, &QPushButton::clicked, this, &CCompare::onOk);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(reset_, &QPushButton::clicked, this, &CCompare::onReset);
    connect(browse_, &QPushButton::clicked, this, &CCompare::onBrowse);
}

void CCompare::showEvent(QShowEvent* event) {
    fileBox_->setText(FileNameText(fileName));
    percent_->setChecked(!ratio);
    ratio_->setChecked(ratio);
    QDialog::showEvent(event);
    ok_->setFocus(Qt::OtherFocusReason);
}

void CCompare::onOk() {
    fileName = FileNameFrom(fileBox_->text());
    ratio = ratio_->isChecked();
    if (!TakeNamedFile(messages_, folder_, fileName, "Comparison model", fileBox_))
        return;
    resetRequested = false;
    accept();
}

void CCompare::onReset() {
    resetRequested = true;
    accept();
}

void CCompare::onBrowse() {
    BrowseForModelFile(this, folder_, fileName, fileBox_);
}
