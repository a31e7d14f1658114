#include "shell/CommandRouter.h"

#include "shell/CommandTarget.h"

CommandTarget* CommandRouter::handlerFor(int id) const {
    for (CommandTarget* target : route_) {
        if (target->HandlesCommand(id))
            return target;
    }
    return nullptr;
}

bool CommandRouter::IsEnabled(int id) const {
    for (const CommandTarget* target : route_) {
        if (const auto rule = target->CommandEnabled(id))
            return *rule;
    }
    return handlerFor(id) != nullptr;
}

bool CommandRouter::IsChecked(int id) const {
    for (const CommandTarget* target : route_) {
        if (const auto rule = target->CommandChecked(id))
            return *rule;
    }
    return false;
}

bool CommandRouter::Run(int id) {
    CommandTarget* target = handlerFor(id);
    if (!target || !IsEnabled(id))
        return false;
    target->RunCommand(id);
    return true;
}
