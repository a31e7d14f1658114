#pragma once

#include "dialogs/SettingsDialog.h"

#include <string>

class CEditDrop;
class QButtonGroup;
class QLineEdit;
class QRadioButton;

// "Load mesh and model file": the mesh, the model with its kind and the optional
// convergence output file. It reads no file; "OK" only checks that the named files
// exist and that the output file's name fits the kind.
class CFileLoad : public SettingsDialog {
    Q_OBJECT
public:
    // folder: the document's folder; the choosers start there and typed relative
    // names are taken from it.
    CFileLoad(Messages& messages, std::string folder, QWidget* parent = nullptr);

    const std::string& folder() const { return folder_; }

    // Written into the boxes when the dialog shows, read back by "OK" and "Browse".
    // After "OK" the names are absolute, taken against the folder the checks used.
    std::string meshFileName;
    std::string modelFileName;
    std::string outputFileName;
    int modelKind = 0; // index of the checked radio button, a ModelKind

    CEditDrop* meshBox() const { return meshBox_; }
    CEditDrop* modelBox() const { return modelBox_; }
    CEditDrop* outputBox() const { return outputBox_; }
    QPushButton* meshBrowseButton() const { return meshBrowse_; }
    QPushButton* modelBrowseButton() const { return modelBrowse_; }
    QPushButton* outputBrowseButton() const { return outputBrowse_; }
    QRadioButton* kindButton(int kind) const;

protected:
    void showEvent(QShowEvent* event) override;
    void onOk() override;

private:
    enum class Box { Mesh, Model, Output };
    void writeControls();
    void readControls();
    void browse(Box box);

    std::string folder_;
    CEditDrop* meshBox_;
    CEditDrop* modelBox_;
    CEditDrop* outputBox_;
    QPushButton* meshBrowse_;
    QPushButton* modelBrowse_;
    QPushButton* outputBrowse_;
    QButtonGroup* kinds_;
};
