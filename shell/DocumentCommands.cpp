#include "shell/DocumentCommands.h"

#include "document/CTest1Doc.h"
#include "shell/CommandIds.h"

bool DocumentCommands::HandlesCommand(int id) const {
    return id == ID_OPEN_FILES || id == ID_RELOAD || id == ID_LOAD_WEIGHTS ||
           id == ID_MESH_STATISTICS;
}

void DocumentCommands::RunCommand(int id) {
    switch (id) {
    case ID_MESH_STATISTICS:
        document_.OnMeshStatistics();
        break;
    default:
        // Open, Reload and the weights load are carried out by the load commands.
        break;
    }
}

std::optional<bool> DocumentCommands::CommandEnabled(int id) const {
    if (id == ID_RELOAD || id == ID_LOAD_WEIGHTS || id == ID_MESH_STATISTICS)
        return document_.loaded;
    return std::nullopt;
}
