#include "dialogs/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString CAboutDlg::InformationText() {
    return QStringLiteral("Functionality:\r\n"
                          "- View 2D models and meshes used by 2D inversion and forward\r\n"
                          "  modelling codes.\r\n"
                          "- View depth of investigation.\r\n"
                          "- View inversion convergence curves.\r\n"
                          "\r\n"
                          "Information:\r\n"
                          "Documentation (file name): korvex-modview-man.html");
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), information_(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("About KORVEX Model Viewer"));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/about-box.svg")).pixmap(32, 32));
    auto* name = new QLabel(QStringLiteral("KORVEX Model Viewer"), this);
    auto* version = new QLabel(QStringLiteral("Version 201107"), this);
    name->setAlignment(Qt::AlignHCenter);
    version->setAlignment(Qt::AlignHCenter);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // The box keeps the CR LF pairs as plain line breaks.
    QString text = InformationText();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    information_->setPlainText(text);
    information_->setReadOnly(true);
    information_->setLineWrapMode(QPlainTextEdit::NoWrap);
    information_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    information_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->addWidget(information_, 2, 0, 1, 3);
    layout->setColumnStretch(1, 1);
    resize(440, 300);
    ok->setFocus();
}
