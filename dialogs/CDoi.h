#pragma once

#include <QDialog>

#include <string>

class CEditDrop;
class Messages;
class QComboBox;
class QPushButton;
class QRadioButton;

// "Depth of Investigation": the second model file, the method and the cutoff, or Reset
// to take the mask away. It only checks that the file exists; it reads nothing.
class CDoi : public QDialog {
    Q_OBJECT
public:
    // folder: the document's folder; Browse starts there and a typed relative name is
    // taken from it.
    CDoi(Messages& messages, std::string folder, QWidget* parent = nullptr);

    const std::string& folder() const { return folder_; }

    // Written into the controls when the dialog shows; read back by OK and Reset.
    // After OK the name is absolute, taken against the folder the check used.
    std::string fileName;
    int cutoffIndex = -1; // 0 .. 8 for "0.1" .. "0.9"; -1 when nothing is chosen
    bool useRecoveredModel = true;
    bool fade = false; // "Show as": hatch (false) or fade
    bool resetRequested = false;

    CEditDrop* fileBox() const { return fileBox_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* resetButton() const { return reset_; }
    QPushButton* browseButton() const { return browse_; }
    QComboBox* cutoffList() const { return cutoffs_; }
    QRadioButton* recoveredButton() const { return recovered_; }
    QRadioButton* sensitivityButton() const { return sensitivity_; }
    QRadioButton* hatchButton() const { return hatch_; }
    QRadioButton* fadeButton() const { return fade_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void readControls();
    void onOk();
    void onReset();
    void onBrowse();

    Messages& messages_;
    std::string folder_;
    CEditDrop* fileBox_;
    QPushButton* browse_;
    QRadioButton* recovered_;
    QRadioButton* sensitivity_;
    QRadioButton* hatch_;
    QRadioButton* fade_;
    QComboBox* cutoffs_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* reset_;
};
