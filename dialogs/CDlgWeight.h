#pragma once

#include <QDialog>

#include <string>

class CEditDrop;
class Messages;
class QPushButton;
class QRadioButton;

// "Weight file": one weight file, or a pair of X and Z weight files. It only checks
// that the named files exist; the weights command reads them.
class CDlgWeight : public QDialog {
    Q_OBJECT
public:
    // folder: the document's folder; the three choosers start there and typed
    // relative names are taken from it.
    CDlgWeight(Messages& messages, std::string folder, QWidget* parent = nullptr);

    const std::string& folder() const { return folder_; }

    // Written into the controls when the dialog shows; read back by OK. After OK the
    // names are absolute, taken against the folder the checks used.
    std::string weightFileName;
    std::string xWeightFileName;
    std::string zWeightFileName;
    int fileMode = 0; // 0: single file; 1: separate files

    CEditDrop* weightBox() const { return boxes_[0]; }
    CEditDrop* xWeightBox() const { return boxes_[1]; }
    CEditDrop* zWeightBox() const { return boxes_[2]; }
    QPushButton* browseButton(int box) const { return browse_[box]; }
    QRadioButton* singleButton() const { return single_; }
    QRadioButton* separateButton() const { return separate_; }
    QPushButton* okButton() const { return ok_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void enableForMode(int mode);
    void readControls();
    void onOk();
    void onBrowse(int box);

    Messages& messages_;
    std::string folder_;
    QRadioButton* single_;
    QRadioButton* separate_;
    CEditDrop* boxes_[3];
    QPushButton* browse_[3];
    QPushButton* ok_;
    QPushButton* cancel_;
};
