#include "shell/CommandTable.h"

#include "shell/CommandIds.h"

const std::vector<CommandInfo>& CommandTable() {
    static const std::vector<CommandInfo> table = {
        {ID_OPEN_FILES, "&File", nullptr, "Open ...", nullptr, {"Ctrl+O"}, 0,
         "Load new mesh and model", nullptr, nullptr, false, false},
        {ID_RELOAD, "&File", nullptr, "Reload", "r", {"R"}, 8, "Reload the model", "Reload (r)",
         "reload.svg", false, false},
        {ID_LOAD_WEIGHTS, "&File", nullptr, "weights", nullptr, {}, 0, "Load the weight file.",
         nullptr, nullptr, false, true},
        {ID_APP_EXIT, "&File", nullptr, "E&xit", nullptr, {}, 0, "Quit the model viewer.", "Exit",
         nullptr, false, false},
        {ID_EDIT_COPY, "&Edit", nullptr, "Copy", nullptr, {"Ctrl+C", "Ctrl+Ins"}, 2,
         "Copy image to the clipboard", "Copy", "copy.svg", false, false},
        {ID_LOG10, "&View", nullptr, "Log10", nullptr, {}, 3, "Toggle log values on the colourbar",
         "Log10", "log10.svg", true, false},
        {ID_COND_RES, "&View", nullptr, "Conductivity / Resistivity", nullptr, {}, 4,
         "Toggle conductivity / resistivity", "Cond / Res", "condres.svg", false, false},
        {ID_COLOUR_MAP, "&View", nullptr, "Colour / bw", nullptr, {}, 6, "Change Colour Map",
         "Colour Map", "colourmap.svg", false, false},
        {ID_FLIP_COLOURS, "&View", nullptr, "Flip Colours", nullptr, {}, 0, "Flip Colours", nullptr,
         nullptr, false, false},
        {ID_MESH, "&View", nullptr, "Mesh", "m", {"M"}, 5, "Draw the mesh on top of the model",
         "mesh", "mesh.svg", true, false},
        {ID_CONVERGENCE, "&View", nullptr, "Convergence curves", "c", {"C"}, 7,
         "Draw the data misfit and model norm convergence curves", "convergence curves",
         "convergence.svg", true, false},
        {ID_VIEW_WEIGHTS, "&View", nullptr, "weights", nullptr, {}, 0, "View the weights.",
         nullptr, nullptr, true, false},
        {ID_MESH_STATISTICS, "&View", nullptr, "mesh stat ...", nullptr, {}, 0,
         "View mesh statistics.", nullptr, nullptr, false, false},
        {ID_FONT_DECREASE, "&View", "font", "decrease", "[Alt]-1", {"Alt+1"}, 0, "", nullptr,
         nullptr, false, false},
        {ID_FONT_INCREASE, "&View", "font", "increase", "[Alt]-2", {"Alt+2"}, 0, "", nullptr,
         nullptr, false, true},
        {ID_VIEW_TOOLBAR, "&View", nullptr, "&Toolbar", nullptr, {}, 0, "Show or hide the toolbar",
         "Toggle ToolBar", nullptr, true, false},
        {ID_VIEW_STATUS_BAR, "&View", nullptr, "&Status Bar", nullptr, {}, 0,
         "Show or hide the status bar", "Toggle StatusBar", nullptr, true, false},
        {ID_PADDING_CELLS, "&Options", nullptr, "Padding cells ...", nullptr, {}, 0,
         "Remove padding cells from the plot", nullptr, nullptr, false, false},
        {ID_MIN_MAX, "&Options", nullptr, "Min / Max ...", nullptr, {}, 0,
         "Set minimum and maximum values on the colourbar", nullptr, nullptr, false, true},
        {ID_AREA_OF_INTEREST, "&Options", nullptr, "Area of interest ...", nullptr, {}, 0,
         "Choose the area to display.", nullptr, nullptr, false, false},
        {ID_DEPTH_OF_INVESTIGATION, "&Options", nullptr, "Depth of investigation ...", nullptr, {},
         0, "Show the depth of investigation", nullptr, nullptr, false, false},
        {ID_APP_ABOUT, "&Help", nullptr, "&About KORVEX model viewer ...", nullptr, {}, 1,
         "Display KORVEX model viewer information, version number and copyright", "About",
         "about.svg", false, false},
    };
    return table;
}

const CommandInfo* FindCommand(int id) {
    for (const CommandInfo& info : CommandTable()) {
        if (info.id == id)
            return &info;
    }
    return nullptr;
}

bool ToolbarGapAfter(int place) { return place == 1 || place == 2 || place == 6 || place == 7; }
