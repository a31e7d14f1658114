#include "shell/CommandTable.h"

#include "document/CTest1Doc.h"
#include "plot/CTest1View.h"
#include "shell/CMainFrame.h"
#include "shell/CTest1App.h"
#include "shell/CommandIds.h"
#include "shell/DocumentCommands.h"
#include "shell/ViewCommands.h"

#include <QStatusBar>
#include <QToolBar>

namespace {
using C = const CommandContext&;
using Repaint = CTest1View::Repaint;

const DisplaySettings& Settings(C c) {
    return c.view.state().settings;
}
bool Loaded(C c) {
    return c.document.loaded;
}
bool Zoomed(C c) {
    return c.document.loaded && c.view.state().layout.zoomed;
}

// The colour map items, one radio item per map.
template <ColourMap map> void UseColourMap(C c) {
    c.viewCommands.SetColourMap(map);
}
template <ColourMap map> bool ColourMapIs(C c) {
    return Settings(c).colourMap == map;
}

constexpr Command Commands[] = {
    {.id = ID_OPEN_FILES,
     .menu = "&File",
     .label = "Open ...",
     .keys = "Ctrl+O",
     .prompt = "Load new mesh and model",
     .owner = Owner::Document,
     .run = [](C c) { c.documentCommands.OnOpenFiles(); }},
    {.id = ID_RELOAD,
     .menu = "&File",
     .label = "Reload",
     .shortcutText = "r",
     .keys = "R",
     .prompt = "Reload the model",
     .tooltip = "Reload (r)",
     .tile = "reload.svg",
     .place = 8,
     .toolbarGapAfter = true,
     .owner = Owner::Document,
     .run = [](C c) { c.documentCommands.OnReload(); },
     .enabled = Loaded},
    {.id = ID_LOAD_WEIGHTS,
     .menu = "&File",
     .label = "weights",
     .prompt = "Load the weight file.",
     .separatorAfter = true,
     .owner = Owner::Document,
     .run = [](C c) { c.documentCommands.OnLoadWeights(); },
     .enabled = Loaded},
    {.id = ID_EXPORT_DATA,
     .menu = "&File",
     .label = "Export data ...",
     .prompt = "Write the values of the shown cells to a CSV, XYZ or VTK file",
     .separatorAfter = true,
     .owner = Owner::View,
     .run = [](C c) { c.viewCommands.OnExportData(); },
     .enabled = Loaded},
    {.id = ID_APP_EXIT,
     .menu = "&File",
     .label = "E&xit",
     .prompt = "Quit the model viewer.",
     .tooltip = "Exit",
     .owner = Owner::Application,
     .run = [](C c) { c.frame.close(); }},
    {.id = ID_EDIT_COPY,
     .menu = "&Edit",
     .label = "Copy",
     .keys = "Ctrl+C; Ctrl+Ins",
     .prompt = "Copy image to the clipboard",
     .tooltip = "Copy",
     .tile = "copy.svg",
     .place = 2,
     .toolbarGapAfter = true,
     .owner = Owner::View,
     .run = [](C c) { c.viewCommands.OnEditCopy(); }},
    {.id = ID_LOG10,
     .menu = "&View",
     .label = "Log10",
     .prompt = "Toggle log values on the colourbar",
     .tooltip = "Log10",
     .tile = "log10.svg",
     .place = 3,
     .owner = Owner::View,
     .run =
         [](C c) { c.viewCommands.Toggle(&DisplaySettings::showLog, Repaint::PartialWithErase); },
     // Log10 only changes labels, so it needs no data.
     .enabled = [](C c) { return c.document.modelKind != Chargeability; },
     .checked = [](C c) { return Settings(c).showLog; }},
    {.id = ID_COND_RES,
     .menu = "&View",
     .label = "Conductivity / Resistivity",
     .prompt = "Toggle conductivity / resistivity",
     .tooltip = "Cond / Res",
     .tile = "condres.svg",
     .place = 4,
     .owner = Owner::View,
     .run = [](C c) { c.viewCommands.OnConductivityResistivity(); },
     .enabled = [](C c) { return c.document.modelKind == Conductivity; }},
    {.id = ID_COLOUR_MAP,
     .menu = "&View",
     .label = "Colour / bw",
     .prompt = "Change Colour Map",
     .tooltip = "Colour Map",
     .tile = "colourmap.svg",
     .place = 6,
     .toolbarGapAfter = true,
     .owner = Owner::View,
     .run = [](C c) { c.viewCommands.ToggleColours(&DisplaySettings::useColour); }},
    {.id = ID_FLIP_COLOURS,
     .menu = "&View",
     .label = "Flip Colours",
     .prompt = "Flip Colours",
     .owner = Owner::View,
     .run = [](C c) { c.viewCommands.ToggleColours(&DisplaySettings::flipColours); }},
    {.id = ID_COLOURS_RAINBOW,
     .menu = "&View",
     .submenu = "Colour map",
     .label = "Rainbow",
     .prompt = "Colour the section with the rainbow",
     .radioGroup = "colourMap",
     .owner = Owner::View,
     .run = UseColourMap<ColourMap::Rainbow>,
     .checked = ColourMapIs<ColourMap::Rainbow>},
    {.id = ID_COLOURS_VIRIDIS,
     .menu = "&View",
     .submenu = "Colour map",
     .label = "Viridis",
     .prompt = "Colour the section with viridis, even in lightness",
     .radioGroup = "colourMap",
     .owner = Owner::View,
     .run = UseColourMap<ColourMap::Viridis>,
     .checked = ColourMapIs<ColourMap::Viridis>},
    {.id = ID_COLOURS_CIVIDIS,
     .menu = "&View",
     .submenu = "Colour map",
     .label = "Cividis",
     .prompt = "Colour the section with cividis, readable with colour-vision deficiency",
     .radioGroup = "colourMap",
     .owner = Owner::View,
     .run = UseColourMap<ColourMap::Cividis>,
     .checked = ColourMapIs<ColourMap::Cividis>},
    {.id = ID_COLOURS_MAGMA,
     .menu = "&View",
     .submenu = "Colour map",
     .label = "Magma",
     .prompt = "Colour the section with magma, even in lightness",
     .radioGroup = "colourMap",
     .owner = Owner::View,
     .run = UseColourMap<ColourMap::Magma>,
     .checked = ColourMapIs<ColourMap::Magma>},
    {.id = ID_COLOURS_TURBO,
     .menu = "&View",
     .submenu = "Colour map",
     .label = "Turbo",
     .prompt = "Colour the section with turbo, a smooth rainbow",
     .radioGroup = "colourMap",
     .owner = Owner::View,
     .run = UseColourMap<ColourMap::Turbo>,
     .checked = ColourMapIs<ColourMap::Turbo>},
    {.id = ID_COLOURS_BLUE_WHITE_RED,
     .menu = "&View",
     .submenu = "Colour map",
     .label = "Blue-white-red",
     .prompt = "Colour the section blue, white and red, for differences",
     .radioGroup = "colourMap",
     .owner = Owner::View,
     .run = UseColourMap<ColourMap::BlueWhiteRed>,
     .checked = ColourMapIs<ColourMap::BlueWhiteRed>},
    {.id = ID_MESH,
     .menu = "&View",
     .label = "Mesh",
     .shortcutText = "m",
     .keys = "M",
     .prompt = "Draw the mesh on top of the model",
     .tooltip = "mesh",
     .tile = "mesh.svg",
     .place = 5,
     .owner = Owner::View,
     .run = [](C c) { c.viewCommands.Toggle(&DisplaySettings::showMesh, Repaint::FullWithErase); },
     .enabled = Loaded,
     .checked = [](C c) { return Settings(c).showMesh; }},
    {.id = ID_CONVERGENCE,
     .menu = "&View",
     .label = "Convergence curves",
     .shortcutText = "c",
     .keys = "C",
     .prompt = "Draw the data misfit and model norm convergence curves",
     .tooltip = "convergence curves",
     .tile = "convergence.svg",
     .place = 7,
     .toolbarGapAfter = true,
     .owner = Owner::View,
     .run =
         [](C c) {
             c.viewCommands.Toggle(&DisplaySettings::showConvergence, Repaint::FullWithErase);
         },
     .enabled = [](C c) { return c.document.loaded && c.document.convergenceLoaded; },
     .checked = [](C c) { return Settings(c).showConvergence; }},
    {.id = ID_VIEW_WEIGHTS,
     .menu = "&View",
     .label = "weights",
     .prompt = "View the weights.",
     .owner = Owner::View,
     .run =
         [](C c) { c.viewCommands.Toggle(&DisplaySettings::showWeights, Repaint::FullWithErase); },
     .enabled = [](C c) { return c.document.weightsLoaded; },
     .checked = [](C c) { return Settings(c).showWeights; }},
    {.id = ID_MESH_STATISTICS,
     .menu = "&View",
     .label = "mesh stat ...",
     .prompt = "View mesh statistics.",
     .owner = Owner::Document,
     .run = [](C c) { c.document.OnMeshStatistics(); },
     .enabled = Loaded},
    {.id = ID_FONT_DECREASE,
     .menu = "&View",
     .submenu = "font",
     .label = "decrease",
     .shortcutText = "[Alt]-1",
     .keys = "Alt+1",
     .prompt = "",
     .owner = Owner::View,
     .run = [](C c) { c.viewCommands.StepFont(-DisplaySettings::FontStep); },
     .enabled = [](C c) { return c.document.loaded && Settings(c).fontHeight > 1; }},
    {.id = ID_FONT_INCREASE,
     .menu = "&View",
     .submenu = "font",
     .label = "increase",
     .shortcutText = "[Alt]-2",
     .keys = "Alt+2",
     .prompt = "",
     .separatorAfter = true,
     .owner = Owner::View,
     .run = [](C c) { c.viewCommands.StepFont(DisplaySettings::FontStep); },
     .enabled =
         [](C c) {
             return c.document.loaded && Settings(c).fontHeight < DisplaySettings::MaxFontHeight;
         }},
    {.id = ID_ZOOM_IN,
     .menu = "&View",
     .label = "Zoom in",
     .shortcutText = "Ctrl++",
     .keys = "Ctrl++; Ctrl+=",
     .prompt = "Show a smaller part of the section, larger",
     .tooltip = "Zoom in",
     .tile = "zoom-in.svg",
     .place = 9,
     .owner = Owner::View,
     .run = [](C c) { c.view.zoomAboutCentre(DisplaySettings::ZoomStep); },
     .enabled = [](C c) { return c.view.canZoomIn(); }},
    {.id = ID_ZOOM_OUT,
     .menu = "&View",
     .label = "Zoom out",
     .shortcutText = "Ctrl+-",
     .keys = "Ctrl+-",
     .prompt = "Show a larger part of the section",
     .tooltip = "Zoom out",
     .tile = "zoom-out.svg",
     .place = 10,
     .owner = Owner::View,
     .run = [](C c) { c.view.zoomAboutCentre(1.0 / DisplaySettings::ZoomStep); },
     .enabled = Zoomed},
    {.id = ID_WHOLE_SECTION,
     .menu = "&View",
     .label = "Whole section",
     .shortcutText = "Ctrl+0",
     .keys = "Ctrl+0",
     .prompt = "Show the whole section",
     .tooltip = "Whole section",
     .tile = "whole-section.svg",
     .place = 11,
     .owner = Owner::View,
     .run = [](C c) { c.view.showWholeSection(); },
     .enabled = Zoomed},
    {.id = ID_VERTICAL_EXAGGERATION,
     .menu = "&View",
     .label = "Vertical exaggeration ...",
     .prompt = "Stretch the section's depth on the page",
     .separatorAfter = true,
     .owner = Owner::View,
     .run = [](C c) { c.viewCommands.OnVerticalExaggeration(); }},
    {.id = ID_VIEW_TOOLBAR,
     .menu = "&View",
     .label = "&Toolbar",
     .prompt = "Show or hide the toolbar",
     .tooltip = "Toggle ToolBar",
     .owner = Owner::Frame,
     .run = [](C c) { c.frame.toolBar()->setVisible(c.frame.toolBar()->isHidden()); },
     // isHidden, not isVisible: the bars count as shown before the window first appears.
     .checked = [](C c) { return !c.frame.toolBar()->isHidden(); }},
    {.id = ID_VIEW_STATUS_BAR,
     .menu = "&View",
     .label = "&Status Bar",
     .prompt = "Show or hide the status bar",
     .tooltip = "Toggle StatusBar",
     .owner = Owner::Frame,
     .run = [](C c) { c.frame.statusBar()->setVisible(c.frame.statusBar()->isHidden()); },
     .checked = [](C c) { return !c.frame.statusBar()->isHidden(); }},
    {.id = ID_PADDING_CELLS,
     .menu = "&Options",
     .label = "Padding cells ...",
     .prompt = "Remove padding cells from the plot",
     .owner = Owner::View,
     .run = [](C c) { c.viewCommands.OnPaddingCells(); },
     .enabled = Loaded},
    {.id = ID_MIN_MAX,
     .menu = "&Options",
     .label = "Min / Max ...",
     .prompt = "Set minimum and maximum values on the colourbar",
     .separatorAfter = true,
     .owner = Owner::View,
     .run = [](C c) { c.viewCommands.OnMinMax(); },
     .enabled = Loaded},
    {.id = ID_AREA_OF_INTEREST,
     .menu = "&Options",
     .label = "Area of interest ...",
     .prompt = "Choose the area to display.",
     .owner = Owner::View,
     .run = [](C c) { c.viewCommands.OnAreaOfInterest(); }},
    {.id = ID_DEPTH_OF_INVESTIGATION,
     .menu = "&Options",
     .label = "Depth of investigation ...",
     .prompt = "Show the depth of investigation",
     .owner = Owner::View,
     .run = [](C c) { c.viewCommands.OnDepthOfInvestigation(); },
     .enabled = Loaded},
    {.id = ID_COMPARE_MODEL,
     .menu = "&Options",
     .label = "Compare with model ...",
     .prompt = "Show the change from the loaded model to a second model",
     .owner = Owner::View,
     .run = [](C c) { c.viewCommands.OnCompare(); },
     .enabled = Loaded},
    {.id = ID_APP_ABOUT,
     .menu = "&Help",
     .label = "&About KORVEX model viewer ...",
     .prompt = "Display KORVEX model viewer information, version number and copyright",
     .tooltip = "About",
     .tile = "about.svg",
     .place = 1,
     .toolbarGapAfter = true,
     .owner = Owner::Application,
     .run = [](C c) { c.app.OnAppAbout(); }},
};

// Every toolbar place from 1 to the last holds exactly one tile.
constexpr bool ToolbarPlacesFilled() {
    int last = 0;
    for (const Command& command : Commands)
        last = command.place > last ? command.place : last;
    for (int place = 1; place <= last; ++place) {
        int tiles = 0;
        for (const Command& command : Commands)
            tiles += command.place == place && command.tile != nullptr;
        if (tiles != 1)
            return false;
    }
    return true;
}
static_assert(ToolbarPlacesFilled());
} // namespace

std::span<const Command> CommandTable() {
    return Commands;
}

const Command* FindCommand(int id) {
    const Command* found = nullptr;
    for (const Command& command : Commands) {
        if (command.id == id && (!found || command.owner < found->owner))
            found = &command;
    }
    return found;
}
