#pragma once

#include "document/Messages.h"

#include <string>
#include <vector>

// Keeps every message instead of showing it; questions get a preset answer.
class RecordingMessages : public Messages {
public:
    enum class Kind { Error, Warning, Information, Question };
    struct Entry {
        Kind kind;
        std::string text;
        bool operator==(const Entry&) const = default;
    };

    void error(const std::string& text) override;
    void warning(const std::string& text) override;
    void information(const std::string& text) override;
    bool askYesNo(const std::string& text) override;

    std::vector<Entry> entries;
    bool answer = true;
};
