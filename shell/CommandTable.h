#pragma once

#include <span>

class CMainFrame;
class CTest1App;
class CTest1Doc;
class CTest1View;
class DocumentCommands;
class ViewCommands;

// Who carries a command out, in the order a command used to be offered to them: the
// view first, the application last. A command that two owners could carry out belongs
// to the first of them (FindCommand picks that row).
enum class Owner { View, Document, Frame, Application };

// What the handlers and rules act on.
struct CommandContext {
    CTest1View& view;
    ViewCommands& viewCommands; // the view's dialogs, copy and toggles
    CTest1Doc& document;
    DocumentCommands& documentCommands; // Open, Reload, the weights load
    CMainFrame& frame;
    CTest1App& app;
};

using CommandHandler = void (*)(const CommandContext&);
using CommandRule = bool (*)(const CommandContext&);

// One menu item: its texts, keys and toolbar tile, who carries it out and how.
struct Command {
    int id;
    const char* menu;                   // "&File", ...
    const char* submenu = nullptr;      // "font"
    const char* label;                  // without the shortcut text
    const char* shortcutText = nullptr; // shown right-aligned in the menu
    const char* keys = nullptr;         // QKeySequence strings joined by "; "
    const char* prompt;                 // status prompt; "" blanks the pane
    const char* tooltip = nullptr;
    const char* tile = nullptr; // resource name of the toolbar tile
    int place = 0;              // from 1 at the left of the toolbar, 0: not on it
    bool toolbarGapAfter = false;
    bool separatorAfter = false; // in the menu
    // Checkable items that share a group are radio items: one of them is checked.
    const char* radioGroup = nullptr;
    Owner owner;
    CommandHandler run;
    CommandRule enabled = nullptr; // none: always enabled
    CommandRule checked = nullptr; // none: not checkable

    bool isEnabled(const CommandContext& c) const { return !enabled || enabled(c); }
    bool isCheckable() const { return checked != nullptr; }
    bool isChecked(const CommandContext& c) const { return checked && checked(c); }
};

// Every command, in menu order.
std::span<const Command> CommandTable();
// The row of the first owner on the route that carries the id out; nullptr for none.
const Command* FindCommand(int id);
