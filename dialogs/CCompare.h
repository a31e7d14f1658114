#pragma once

#include <QDialog>

#include <string>

class CEditDrop;
class Messages;
class QPushButton;
class QRadioButton;

// "Compare with Model": the second model file and whether the change is shown in percent
// or as a ratio, or Reset to show the loaded model alone again. It only checks that the
// file exists; it reads nothing.
class CCompare : public QDialog {
    Q_OBJECT
public:
    // folder: the document's folder; Browse starts there and a typed relative name is
    // taken from it.
    CCompare(Messages& messages, std::string folder, QWidget* parent = nullptr);

    // Written into the controls when the dialog shows; read back by OK. After OK the
    // name is absolute, taken against the folder the check used.
    std::string fileName;
    bool ratio = false; // "ratio", else "percent difference"
    bool resetRequested = false;

    CEditDrop* fileBox() const { return fileBox_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* resetButton() const { return reset_; }
    QPushButton* browseButton() const { return browse_; }
    QRadioButton* percentButton() const { return percent_; }
    QRadioButton* ratioButton() const { return ratio_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void onOk();
    void onReset();
    void onBrowse();

    Messages& messages_;
    std::string folder_;
    CEditDrop* fileBox_;
    QPushButton* browse_;
    QRadioButton* percent_;
    QRadioButton* ratio_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* reset_;
};
