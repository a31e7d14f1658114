#pragma once

#include "shell/CommandTarget.h"

class CTest1Doc;

// The document's place on the command route: Open, Reload, the weights load and the
// mesh statistics, all but Open enabled only while data is loaded.
class DocumentCommands : public CommandTarget {
public:
    explicit DocumentCommands(CTest1Doc& document) : document_(document) {}

    bool HandlesCommand(int id) const override;
    void RunCommand(int id) override;
    std::optional<bool> CommandEnabled(int id) const override;

private:
    CTest1Doc& document_;
};
