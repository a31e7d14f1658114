#include "dialogs/CFileLoad.h"

#include "dialogs/CEditDrop.h"
#include "dialogs/FileChooser.h"
#include "dialogs/FileNameBox.h"
#include "document/Messages.h"
#include "document/TextFile.h"

#include <QButtonGroup>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// Only the end of the path is compared, so "run2ohmsolv.out" fits as well.
bool OutputNameFitsKind(const std::string& name, int kind) {
    if (kind == 0)
        return name.ends_with("ohmsolv.out");
    if (kind == 1)
        return name.ends_with("polsolv.out");
    return true;
}

QHBoxLayout* Row(QWidget* box, QWidget* button) {
    auto* row = new QHBoxLayout;
    row->addWidget(box, 1);
    row->addWidget(button);
    return row;
}
} // namespace

CFileLoad::CFileLoad(Messages& messages, std::string folder, QWidget* parent)
    : SettingsDialog(messages, QStringLiteral("Load mesh and model file"), parent),
      folder_(std::move(folder)), meshBox_(new CEditDrop(this)), modelBox_(new CEditDrop(this)),
      outputBox_(new CEditDrop(this)), meshBrowse_(new QPushButton(QStringLiteral("Browse"), this)),
      modelBrowse_(new QPushButton(QStringLiteral("Browse"), this)),
      outputBrowse_(new QPushButton(QStringLiteral("Browse"), this)),
      kinds_(new QButtonGroup(this)) {
    auto* meshGroup = new QGroupBox(QStringLiteral("Mesh"), this);
    meshGroup->setLayout(Row(meshBox_, meshBrowse_));

    auto* modelGroup = new QGroupBox(QStringLiteral("Model"), this);
    auto* kindFrame = new QFrame(modelGroup);
    kindFrame->setFrameShape(QFrame::StyledPanel);
    auto* kindRow = new QHBoxLayout(kindFrame);
    const char* const kindLabels[] = {"Resistivity", "Chargeability", "sensitivity"};
    for (int kind = 0; kind < 3; ++kind) {
        auto* button = new QRadioButton(QString::fromLatin1(kindLabels[kind]), kindFrame);
        // Set with the mouse; the keyboard order skips them.
        button->setFocusPolicy(Qt::ClickFocus);
        kinds_->addButton(button, kind);
        kindRow->addWidget(button);
    }
    auto* modelLayout = new QVBoxLayout(modelGroup);
    modelLayout->addWidget(kindFrame);
    modelLayout->addLayout(Row(modelBox_, modelBrowse_));

    auto* outputGroup = new QGroupBox(
        QStringLiteral("Convergence curves ( optional (ohm|pol)solv.out file )"), this);
    outputGroup->setLayout(Row(outputBox_, outputBrowse_));

    auto* form = new QVBoxLayout;
    form->addWidget(meshGroup);
    form->addWidget(modelGroup);
    form->addWidget(outputGroup);
    arrange(form, {}, {meshBox_, meshBrowse_, modelBox_, modelBrowse_, outputBox_, outputBrowse_},
            Qt::Vertical);
    // Not tab stops, but a clicked radio button passes Tab on to the model box below it.
    QWidget* previous = meshBrowse_;
    for (QAbstractButton* button : kinds_->buttons()) {
        setTabOrder(previous, button);
        previous = button;
    }
    setTabOrder(previous, modelBox_);
    // Wide enough for a typical path to show whole.
    setMinimumWidth(480);

    connect(meshBrowse_, &QPushButton::clicked, this, [this] { browse(Box::Mesh); });
    connect(modelBrowse_, &QPushButton::clicked, this, [this] { browse(Box::Model); });
    connect(outputBrowse_, &QPushButton::clicked, this, [this] { browse(Box::Output); });
}

QRadioButton* CFileLoad::kindButton(int kind) const {
    return static_cast<QRadioButton*>(kinds_->button(kind));
}

void CFileLoad::showEvent(QShowEvent* event) {
    writeControls();
    SettingsDialog::showEvent(event);
    if (const QScreen* shown = screen()) {
        const QRect area = shown->availableGeometry();
        move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}

void CFileLoad::writeControls() {
    meshBox_->setText(FileNameText(meshFileName));
    modelBox_->setText(FileNameText(modelFileName));
    outputBox_->setText(FileNameText(outputFileName));
    if (QAbstractButton* button = kinds_->button(modelKind))
        button->setChecked(true);
}

void CFileLoad::readControls() {
    meshFileName = FileNameFrom(meshBox_->text());
    modelFileName = FileNameFrom(modelBox_->text());
    outputFileName = FileNameFrom(outputBox_->text());
    if (kinds_->checkedId() >= 0)
        modelKind = kinds_->checkedId();
}

void CFileLoad::browse(Box box) {
    // What was typed or dropped anywhere, and the kind checked now, are kept.
    readControls();
    QString title;
    QString start;
    QString filter;
    std::string* field = nullptr;
    switch (box) {
    case Box::Mesh:
        title = QStringLiteral("Open mesh file");
        start = QStringLiteral("ohmsolv.msh");
        filter = QStringLiteral("Mesh (*)");
        field = &meshFileName;
        break;
    case Box::Model: {
        const char* const starts[] = {"ohmsolv.con", "polsolv.chg", "sensitivity.txt"};
        title = QStringLiteral("Open model file");
        start =
            modelKind >= 0 && modelKind < 3 ? QString::fromLatin1(starts[modelKind]) : QString();
        filter = QStringLiteral("Model (*)");
        field = &modelFileName;
        break;
    }
    case Box::Output:
        // The platform's own title.
        start = modelKind == 0   ? QStringLiteral("ohmsolv.out")
                : modelKind == 1 ? QStringLiteral("polsolv.out")
                                 : QString();
        filter = QStringLiteral("Convergence files (*.out)");
        field = &outputFileName;
        break;
    }
    // The starting name is offered in the document's folder.
    const QString chosen = ChooseFileToOpen(this, title, ChooserStart(folder_, start), filter);
    if (chosen.isEmpty())
        return;
    *field = ChosenFileName(folder_, chosen);
    writeControls();
}

void CFileLoad::onOk() {
    readControls();
    if (!CheckNamedFileExists(messages_, folder_, meshFileName, "Mesh", meshBox_) ||
        !CheckNamedFileExists(messages_, folder_, modelFileName, "Model", modelBox_))
        return;
    if (!outputFileName.empty()) {
        if (!CheckNamedFileExists(messages_, folder_, outputFileName, "Convergence", outputBox_))
            return;
        if (!OutputNameFitsKind(outputFileName, modelKind) &&
            !messages_.askYesNo("Warning: The convergence file should be\nohmsolv.out for DC, or "
                                "polsolv.out for IP.\nDo you want to continue?"))
            return;
    }
    readControls();
    // The checks looked in the folder; the reads must find the same files even after
    // the model read has moved the document's folder.
    meshFileName = ResolveAgainst(folder_, meshFileName);
    modelFileName = ResolveAgainst(folder_, modelFileName);
    outputFileName = ResolveAgainst(folder_, outputFileName);
    accept();
}
