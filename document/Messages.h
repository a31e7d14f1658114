#pragma once

#include <string>

// Every message box of the program goes through this interface, so readers never
// depend on a window system and tests can record what would have been shown.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void error(const std::string& text) = 0;   // stop icon
    virtual void warning(const std::string& text) = 0; // exclamation icon
    virtual void information(const std::string& text) = 0;
    // Yes / No with the exclamation icon; true for Yes.
    virtual bool askYesNo(const std::string& text) = 0;
};
