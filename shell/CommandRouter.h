#pragma once

#include <vector>

class CommandTarget;

// Offers a command to each owner in turn; the first that handles it carries it out.
// Enabled and checked states come from the first owner with a rule for the id; a
// command with a handler but no rule is enabled, one without any handler is not.
class CommandRouter {
public:
    void SetRoute(std::vector<CommandTarget*> route) { route_ = std::move(route); }

    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;
    // Runs the command when it is enabled; false when nothing ran.
    bool Run(int id);

private:
    CommandTarget* handlerFor(int id) const;
    std::vector<CommandTarget*> route_;
};
