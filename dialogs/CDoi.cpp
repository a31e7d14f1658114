#include "dialogs/CDoi.h"

#include "dialogs/CEditDrop.h"
#include "dialogs/FileNameBox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CDoi::CDoi(Messages& messages, std::string folder, QWidget* parent)
    : QDialog(parent), messages_(messages), folder_(std::move(folder)),
      fileBox_(new CEditDrop(this)), browse_(new QPushButton(QStringLiteral("Browse"), this)),
      recovered_(new QRadioButton(QStringLiteral("recovered model"), this)),
      sensitivity_(new QRadioButton(QStringLiteral("sensitivity"), this)),
      hatch_(new QRadioButton(QStringLiteral("hatch"), this)),
      fade_(new QRadioButton(QStringLiteral("fade"), this)), cutoffs_(new QComboBox(this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)),
      reset_(new QPushButton(QStringLiteral("Reset"), this)) {
    setWindowTitle(QStringLiteral("Depth of Investigation"));
    auto* explanation = new QLabel(
        QStringLiteral("Enter the model file to use for depth of investigation calculation"), this);
    explanation->setWordWrap(true);
    for (int i = 1; i <= 9; ++i)
        cutoffs_->addItem(QStringLiteral("0.%1").arg(i));
    // The method and the style are set with the mouse or the arrow keys, not in the tab
    // chain; each pair is a group of its own.
    for (QRadioButton* button : {recovered_, sensitivity_, hatch_, fade_})
        button->setFocusPolicy(Qt::ClickFocus);
    auto* methods = new QButtonGroup(this);
    methods->addButton(recovered_);
    methods->addButton(sensitivity_);
    auto* styles = new QButtonGroup(this);
    styles->addButton(hatch_);
    styles->addButton(fade_);
    ok_->setDefault(true);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileBox_, 1);
    fileRow->addWidget(browse_);
    auto* styleRow = new QHBoxLayout;
    styleRow->addWidget(new QLabel(QStringLiteral("Show as:"), this));
    styleRow->addWidget(hatch_);
    styleRow->addWidget(fade_);
    styleRow->addStretch();
    auto* cutoffRow = new QHBoxLayout;
    cutoffRow->addWidget(new QLabel(QStringLiteral("Cutoff value:"), this));
    cutoffRow->addWidget(cutoffs_);
    cutoffRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(reset_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(fileRow);
    layout->addWidget(recovered_);
    layout->addWidget(sensitivity_);
    layout->addLayout(styleRow);
    layout->addLayout(cutoffRow);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    setTabOrder(ok_, cancel_);
    setTabOrder(cancel_, fileBox_);
    setTabOrder(fileBox_, browse_);
    setTabOrder(browse_, cutoffs_);
    setTabOrder(cutoffs_, reset_);

    connect(ok_, &QPushButton::clicked, this, &CDoi::onOk);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(reset_, &QPushButton::clicked, this, &CDoi::onReset);
    connect(browse_, &QPushButton::clicked, this, &CDoi::onBrowse);
    // Choosing a cutoff takes every control's value at once.
    connect(cutoffs_, &QComboBox::activated, this, [this] { readControls(); });
}

void CDoi::showEvent(QShowEvent* event) {
    fileBox_->setText(FileNameText(fileName));
    cutoffs_->setCurrentIndex(cutoffIndex >= 0 && cutoffIndex < 9 ? cutoffIndex : -1);
    recovered_->setChecked(useRecoveredModel);
    sensitivity_->setChecked(!useRecoveredModel);
    hatch_->setChecked(!fade);
    fade_->setChecked(fade);
    QDialog::showEvent(event);
    ok_->setFocus(Qt::OtherFocusReason);
}

void CDoi::readControls() {
    fileName = FileNameFrom(fileBox_->text());
    cutoffIndex = cutoffs_->currentIndex();
}

void CDoi::onOk() {
    readControls();
    if (recovered_->isChecked())
        useRecoveredModel = true;
    else if (sensitivity_->isChecked())
        useRecoveredModel = false;
    fade = fade_->isChecked();
    if (!TakeNamedFile(messages_, folder_, fileName, "DOI model", fileBox_))
        return;
    resetRequested = false;
    accept();
}

void CDoi::onReset() {
    resetRequested = true;
    readControls();
    accept();
}

void CDoi::onBrowse() {
    BrowseForModelFile(this, folder_, fileName, fileBox_);
}
