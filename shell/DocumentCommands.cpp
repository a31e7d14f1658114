#include "shell/DocumentCommands.h"

#include "dialogs/BusyCursor.h"
#include "dialogs/CDlgWeight.h"
#include "dialogs/CFileLoad.h"
#include "document/CTest1Doc.h"
#include "weights/WeightReader.h"

#include <QDialog>

void DocumentCommands::OnOpenFiles() {
    CFileLoad dialog(document_.messages(), document_.folder(), dialogParent_);
    dialog.meshFileName = document_.meshFileName;
    dialog.modelFileName = document_.modelFileName;
    dialog.modelKind = document_.modelKind;
    dialog.outputFileName = document_.outputFileName;
    if (runDialog_(dialog) != QDialog::Accepted)
        return;
    const BusyCursor busy;
    document_.LoadFiles(dialog.meshFileName, dialog.modelFileName, dialog.outputFileName,
                        static_cast<ModelKind>(dialog.modelKind));
    if (afterLoad_)
        afterLoad_();
}

void DocumentCommands::OnReload() {
    const BusyCursor busy;
    document_.OnReload();
    if (afterLoad_)
        afterLoad_();
}

void DocumentCommands::OnLoadWeights() {
    CDlgWeight dialog(document_.messages(), document_.folder(), dialogParent_);
    dialog.weightFileName = weightFileName_;
    dialog.xWeightFileName = xWeightFileName_;
    dialog.zWeightFileName = zWeightFileName_;
    dialog.fileMode = weightFileMode_;
    if (runDialog_(dialog) != QDialog::Accepted)
        return;
    weightFileName_ = dialog.weightFileName;
    xWeightFileName_ = dialog.xWeightFileName;
    zWeightFileName_ = dialog.zWeightFileName;
    weightFileMode_ = dialog.fileMode;
    // The views are told to update whatever the outcome.
    const BusyCursor busy;
    LoadWeights(document_, weightFileMode_ == 1, weightFileName_, xWeightFileName_,
                zWeightFileName_);
}
