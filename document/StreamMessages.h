#pragma once

#include "document/Messages.h"

#include <iosfwd>

// Writes each message as one "error: ", "warning: " or "information: " line to a
// stream; used by the headless renderer. Questions are answered Yes.
class StreamMessages : public Messages {
public:
    explicit StreamMessages(std::ostream& out) : out_(out) {}
    void error(const std::string& text) override;
    void warning(const std::string& text) override;
    void information(const std::string& text) override;
    bool askYesNo(const std::string& text) override;

private:
    std::ostream& out_;
};
