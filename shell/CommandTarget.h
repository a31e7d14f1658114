#pragma once

#include <optional>

// One owner of commands on the route view -> document -> frame -> application.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // Whether this owner carries the command out.
    virtual bool HandlesCommand(int id) const = 0;
    virtual void RunCommand(int id) = 0;
    // The owner's enabling and check rules; nothing when it has no rule for the id.
    virtual std::optional<bool> CommandEnabled(int /*id*/) const { return std::nullopt; }
    virtual std::optional<bool> CommandChecked(int /*id*/) const { return std::nullopt; }
};
