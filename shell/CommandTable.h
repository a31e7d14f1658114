#pragma once

#include <vector>

// One row per menu item, in menu order: everything the menus, the toolbar, the keys
// and the status prompts need to know about a command.
struct CommandInfo {
    int id;
    const char* menu;              // "&File", ...
    const char* submenu;           // "font" or nullptr
    const char* label;             // without the shortcut text
    const char* shortcutText;      // shown right-aligned after a tab, or nullptr
    std::vector<const char*> keys; // QKeySequence strings
    int toolbarPlace;              // 1 to 8 from the left, 0 when not on the toolbar
    const char* prompt;            // status prompt; "" blanks the pane
    const char* tooltip;           // nullptr: none
    const char* icon;              // resource name of the toolbar tile
    bool checkable;
    bool separatorAfter; // in the menu
};

const std::vector<CommandInfo>& CommandTable();
const CommandInfo* FindCommand(int id);

// Toolbar places followed by a gap.
bool ToolbarGapAfter(int place);
