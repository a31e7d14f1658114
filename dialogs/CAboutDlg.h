#pragma once

#include <QDialog>

class QPlainTextEdit;

// "About KORVEX Model Viewer": name, version and what the program does.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // The information text, lines separated by CR LF as the box receives it.
    static QString InformationText();
    QPlainTextEdit* informationBox() const { return information_; }

private:
    QPlainTextEdit* information_;
};
