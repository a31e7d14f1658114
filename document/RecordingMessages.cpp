#include "document/RecordingMessages.h"

void RecordingMessages::error(const std::string& text) {
    entries.push_back({Kind::Error, text});
}

void RecordingMessages::warning(const std::string& text) {
    entries.push_back({Kind::Warning, text});
}

void RecordingMessages::information(const std::string& text) {
    entries.push_back({Kind::Information, text});
}

bool RecordingMessages::askYesNo(const std::string& text) {
    entries.push_back({Kind::Question, text});
    return answer;
}
