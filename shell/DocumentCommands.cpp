#include "shell/DocumentCommands.h"

#include "document/CTest1Doc.h"
#include "shell/CFileLoad.h"
#include "shell/CommandIds.h"

#include <QDialog>

bool DocumentCommands::HandlesCommand(int id) const {
    return id == ID_OPEN_FILES || id == ID_RELOAD || id == ID_LOAD_WEIGHTS ||
           id == ID_MESH_STATISTICS;
}

void DocumentCommands::RunCommand(int id) {
    switch (id) {
    case ID_OPEN_FILES:
        OnOpenFiles();
        break;
    case ID_RELOAD:
        OnReload();
        break;
    case ID_MESH_STATISTICS:
        document_.OnMeshStatistics();
        break;
    default:
        // The weights load is carried out by its own command.
        break;
    }
}

std::optional<bool> DocumentCommands::CommandEnabled(int id) const {
    if (id == ID_RELOAD || id == ID_LOAD_WEIGHTS || id == ID_MESH_STATISTICS)
        return document_.loaded;
    return std::nullopt;
}

void DocumentCommands::OnOpenFiles() {
    CFileLoad dialog(document_.messages(), dialogParent_);
    dialog.meshFileName = document_.meshFileName;
    dialog.modelFileName = document_.modelFileName;
    dialog.modelKind = document_.modelKind;
    dialog.outputFileName = document_.outputFileName;
    if (runDialog_(dialog) != QDialog::Accepted)
        return;
    document_.LoadFiles(dialog.meshFileName, dialog.modelFileName, dialog.outputFileName,
                        static_cast<ModelKind>(dialog.modelKind));
    if (afterLoad_)
        afterLoad_();
}

void DocumentCommands::OnReload() {
    document_.OnReload();
    if (afterLoad_)
        afterLoad_();
}
