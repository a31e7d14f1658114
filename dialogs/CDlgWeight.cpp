#include "dialogs/CDlgWeight.h"

#include "dialogs/CEditDrop.h"
#include "dialogs/FileChooser.h"
#include "dialogs/FileNameBox.h"
#include "document/TextFile.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
struct BoxInfo {
    const char* chooserTitle;
    const char* filter;
};
const BoxInfo Boxes[3] = {
    {"Open weight file", "weight (*)"},
    {"Open X weight file", "X weight (*)"},
    {"Open Z weight file", "Z weight (*)"},
};
} // namespace

CDlgWeight::CDlgWeight(Messages& messages, std::string folder, QWidget* parent)
    : QDialog(parent), messages_(messages), folder_(std::move(folder)),
      single_(new QRadioButton(QStringLiteral("single file"), this)),
      separate_(new QRadioButton(QStringLiteral("separate files"), this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(QStringLiteral("Weight file"));
    for (int i = 0; i < 3; ++i) {
        boxes_[i] = new CEditDrop(this);
        browse_[i] = new QPushButton(QStringLiteral("Browse"), this);
        connect(browse_[i], &QPushButton::clicked, this, [this, i] { onBrowse(i); });
    }
    // The mode is set with the mouse or the arrow keys, not in the tab chain.
    single_->setFocusPolicy(Qt::ClickFocus);
    separate_->setFocusPolicy(Qt::ClickFocus);
    ok_->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(single_, 0, 0, 1, 3);
    grid->addWidget(boxes_[0], 1, 1);
    grid->addWidget(browse_[0], 1, 2);
    grid->addWidget(separate_, 2, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("X"), this), 3, 0);
    grid->addWidget(boxes_[1], 3, 1);
    grid->addWidget(browse_[1], 3, 2);
    grid->addWidget(new QLabel(QStringLiteral("Z"), this), 4, 0);
    grid->addWidget(boxes_[2], 4, 1);
    grid->addWidget(browse_[2], 4, 2);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    QWidget* order[] = {ok_,       cancel_,    boxes_[0], browse_[0],
                        boxes_[1], browse_[1], boxes_[2], browse_[2]};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(ok_, &QPushButton::clicked, this, &CDlgWeight::onOk);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(single_, &QRadioButton::clicked, this, [this] { enableForMode(0); });
    connect(separate_, &QRadioButton::clicked, this, [this] { enableForMode(1); });
}

void CDlgWeight::enableForMode(int mode) {
    boxes_[0]->setEnabled(mode == 0);
    browse_[0]->setEnabled(mode == 0);
    for (int i = 1; i < 3; ++i) {
        boxes_[i]->setEnabled(mode == 1);
        browse_[i]->setEnabled(mode == 1);
    }
}

void CDlgWeight::showEvent(QShowEvent* event) {
    boxes_[0]->setText(FileNameText(weightFileName));
    boxes_[1]->setText(FileNameText(xWeightFileName));
    boxes_[2]->setText(FileNameText(zWeightFileName));
    single_->setChecked(fileMode == 0);
    separate_->setChecked(fileMode == 1);
    enableForMode(fileMode);
    QDialog::showEvent(event);
    ok_->setFocus(Qt::OtherFocusReason);
}

void CDlgWeight::readControls() {
    weightFileName = FileNameFrom(boxes_[0]->text());
    xWeightFileName = FileNameFrom(boxes_[1]->text());
    zWeightFileName = FileNameFrom(boxes_[2]->text());
    if (single_->isChecked())
        fileMode = 0;
    else if (separate_->isChecked())
        fileMode = 1;
}

void CDlgWeight::onOk() {
    readControls();
    if (fileMode == 0) {
        if (!CheckNamedFileExists(messages_, folder_, weightFileName, "Weight", boxes_[0]))
            return;
    } else if (!CheckNamedFileExists(messages_, folder_, xWeightFileName, "X weight", boxes_[1]) ||
               !CheckNamedFileExists(messages_, folder_, zWeightFileName, "Z weight", boxes_[2])) {
        return;
    }
    // Remembered for later runs, when the document's folder may have moved.
    weightFileName = ResolveAgainst(folder_, weightFileName);
    xWeightFileName = ResolveAgainst(folder_, xWeightFileName);
    zWeightFileName = ResolveAgainst(folder_, zWeightFileName);
    accept();
}

void CDlgWeight::onBrowse(int box) {
    const BoxInfo& info = Boxes[box];
    const QString chosen =
        ChooseFileToOpen(this, QString::fromLatin1(info.chooserTitle), ChooserStart(folder_),
                         QString::fromLatin1(info.filter));
    if (chosen.isEmpty())
        return;
    // Only the target box changes; what was typed elsewhere and the mode stay.
    boxes_[box]->setText(FileNameText(ChosenFileName(folder_, chosen)));
}
