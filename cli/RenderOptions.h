#pragma once

#include "plot/SectionWindow.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

class CTest1Doc;
struct ViewState;

// korvex-render's own options; everything else is handed to the document as the
// viewer's arguments.
struct RenderOptions {
    std::string output;
    int width = 1600;
    int height = 1200;
    std::vector<std::pair<std::string, std::string>> settings; // --set FIELD=VALUE, in order
    std::vector<std::string> documentArgs;
    bool help = false;
    bool version = false;

    // Weights as the weights command reads them: one file, or an X and a Z file.
    std::string weights;
    std::string xWeights;
    std::string zWeights;
    // Depth of investigation as the accepted dialog gives it.
    std::string doiFile;
    bool doiRecovered = true;
    int doiCutoffPosition = 2; // "0.3"
    bool doiFade = false;
    // A second model to show the change to, in percent or as a ratio.
    std::string compareFile;
    bool compareRatio = false;
    // The part of the section to draw, in metres, as given (not yet cut to the section).
    std::optional<SectionWindow> view;
    // Print the readout at a client pixel, and the mesh statistics, to standard output.
    bool readout = false;
    double readoutX = 0.0;
    double readoutY = 0.0;
    bool stats = false;
};

// False with a message in `error` for a malformed or unknown option.
bool ParseRenderOptions(const std::vector<std::string>& args, RenderOptions& options,
                        std::string& error);

// Applies the --set options in their order with the checks of the command that
// changes each field in the viewer; pair checks run after all of them. On refusal
// returns false with a message; the state may then be partly changed.
bool ApplySettings(const std::vector<std::pair<std::string, std::string>>& settings,
                   ViewState& state, const CTest1Doc& document, std::string& error);

// Shows the --view window: cut to the section, no narrower than the window's zoom
// allows. False with a message when it lies outside the section.
bool ApplyView(const SectionWindow& view, ViewState& state, const CTest1Doc& document,
               std::string& error);

// The short usage shown after a refused option, and the whole help of --help.
const char* RenderUsage();
const char* RenderHelp();
