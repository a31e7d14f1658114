#include "shell/DocumentCommands.h"

#include "dialogs/BusyCursor.h"
#include "dialogs/CDlgWeight.h"
#include "dialogs/CFileLoad.h"
#include "document/CTest1Doc.h"
#include "document/LoadJob.h"
#include "weights/WeightReader.h"

#include <QDialog>

#include <memory>

void DocumentCommands::OnOpenFiles() {
    if (loads_.busy())
        return;
    CFileLoad dialog(document_.messages(), document_.folder(), dialogParent_);
    dialog.meshFileName = document_.meshFileName;
    dialog.modelFileName = document_.modelFileName;
    dialog.modelKind = document_.modelKind;
    dialog.outputFileName = document_.outputFileName;
    if (runDialog_(dialog) != QDialog::Accepted)
        return;
    load(document_.OpenRequest(dialog.meshFileName, dialog.modelFileName, dialog.outputFileName,
                               static_cast<ModelKind>(dialog.modelKind)));
}

void DocumentCommands::OnReload() {
    if (loads_.busy())
        return;
    if (!document_.loaded) {
        // Nothing to read against; the window is brought up to date all the same.
        if (afterLoad_)
            afterLoad_();
        return;
    }
    load(document_.ReloadRequest());
}

void DocumentCommands::load(LoadRequest request) {
    // Held until the load's end has run, whichever way it ends.
    auto busy = std::make_shared<BusyCursor>();
    auto result = std::make_shared<LoadResult>();
    loads_.start(
        [request = std::move(request), result](ReadProgress& progress) mutable {
            *result = RunLoad(std::move(request), &progress);
        },
        [this, busy, result]() mutable {
            document_.ApplyLoad(std::move(*result));
            if (afterLoad_)
                afterLoad_();
            busy.reset();
        });
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
