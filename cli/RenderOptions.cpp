#include "cli/RenderOptions.h"

#include "document/CTest1Doc.h"
#include "plot/PlotLayout.h"
#include "plot/SectionWindow.h"
#include "plot/ViewState.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>

namespace {
constexpr int MaxPictureSide = 20000;

std::optional<ColourMap> ColourMapNamed(const std::string& name) {
    static const std::pair<const char*, ColourMap> names[] = {
        {"rainbow", ColourMap::Rainbow}, {"viridis", ColourMap::Viridis},
        {"cividis", ColourMap::Cividis}, {"magma", ColourMap::Magma},
        {"turbo", ColourMap::Turbo},     {"bluewhitered", ColourMap::BlueWhiteRed},
    };
    for (const auto& [text, map] : names) {
        if (name == text)
            return map;
    }
    return std::nullopt;
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// The whole text must be a decimal integer.
bool ToInt(const std::string& text, long long lo, long long hi, int& value) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < lo || v > hi)
        return false;
    value = static_cast<int>(v);
    return true;
}

// The whole text must be a finite number.
bool ToFinite(const std::string& text, double& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos)
        return false;
    return ToInt(text.substr(0, x), 1, MaxPictureSide, width) &&
           ToInt(text.substr(x + 1), 1, MaxPictureSide, height);
}

// The value of "--name=value" or of the argument after "--name".
bool OptionValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
                 std::string& value, bool& matched) {
    const std::string& arg = args[i];
    matched = false;
    if (arg == name) {
        matched = true;
        if (i + 1 >= args.size())
            return false;
        value = args[++i];
        return true;
    }
    if (StartsWith(arg, (name + "=").c_str())) {
        matched = true;
        value = arg.substr(name.size() + 1);
        return true;
    }
    return true;
}
} // namespace

const char* RenderUsage() {
    return "usage: korvex-render --output FILE [--size WxH] [--set FIELD=VALUE]... MESH MODEL "
           "[/ip] [/conv] [/padd=L,R,B] [/chi=X]\n"
           "  FILE ending in .png, .svg or .pdf, or .csv, .xyz or .vtr for the cell values;\n"
           "           -o is short for --output\n"
           "  --size   client area the picture is fitted to, default 1600x1200\n"
           "  --set    showLog, showConductivity, useColour, flipColours, showMesh,\n"
           "           showConvergence, showWeights (0 or 1), fontHeight (0 to 2000),\n"
           "           rangeMin, rangeMax (stored units), padLeft, padRight, padBottom,\n"
           "           areaLeft, areaRight, areaDepth (metres), verticalExaggeration (1 to\n"
           "           100), colourMap (rainbow, viridis, cividis, magma, turbo,\n"
           "           bluewhitered)\n"
           "  --view X0,X1,D0,D1  draw the part of the section from x = X0 to X1 and depth\n"
           "           D0 to D1 (metres), cut to the section and at least four of its\n"
           "           narrowest columns wide\n"
           "  --weights FILE, or --xweights FILE --zweights FILE: load and show weights\n"
           "  --doi FILE [--doi-method recovered|sensitivity] [--doi-cutoff 0.1..0.9]\n"
           "           [--doi-style hatch|fade]: mask the cells below the depth of\n"
           "           investigation\n"
           "  --compare FILE [--compare-mode percent|ratio]: show the change from the model\n"
           "           to a second model of the same mesh\n"
           "  --readout PX,PY  print the status text of a left press at that client pixel\n"
           "  --stats  print the mesh statistics\n"
           "  --output may be left out when --readout or --stats is given\n";
}

const char* RenderHelp() {
    return "usage: korvex-render --output FILE [OPTION]... MESH MODEL [/ip] [/conv] "
           "[/padd=L,R,B] [/chi=F]\n"
           "Draws the viewer's picture of a model without a window, to PNG, SVG or PDF, or\n"
           "writes the values of the cells it shows to CSV, XYZ or VTK.\n"
           "\n"
           "  -o, --output FILE    the picture; FILE ends in .png, .svg or .pdf (or .csv,\n"
           "                       .xyz, .vtr for the cell values)\n"
           "  --size WxH           client area the picture is fitted to, default 1600x1200\n"
           "  --set FIELD=VALUE    change a display setting (again for more; fields below)\n"
           "  --weights FILE       load and show the weights of one weight file\n"
           "  --xweights FILE      load and show X weights (with --zweights)\n"
           "  --zweights FILE      load and show Z weights (with --xweights)\n"
           "  --doi FILE           mask the cells below the depth of investigation\n"
           "  --doi-method M       recovered (default: FILE is a second model) or sensitivity\n"
           "  --doi-cutoff C       0.1, 0.2 ... 0.9, default 0.3\n"
           "  --compare FILE       show the change from the model to a second model\n"
           "  --compare-mode M     percent (default) or ratio\n"
           "  --readout PX,PY      print the status text of a left press at that pixel\n"
           "  --stats              print the mesh statistics (--output may then be left out)\n"
           "  -h, --help           print this help and exit\n"
           "  --version            print the version and exit\n"
           "  --                   every argument after it is a file name or a switch\n"
           "  MESH MODEL           the mesh file and the model file, in this order\n"
           "  /ip                  the model holds chargeabilities (else conductivities)\n"
           "  /conv                also read ohmsolv.out (polsolv.out with /ip) beside "
           "MODEL\n"
           "  /padd=L,R,B          hide L, R and B padding cells left, right and at the "
           "bottom\n"
           "  /chi=F               target misfit: F times the number before \"target\"\n"
           "\n"
           "Fields of --set: showLog, showConductivity, useColour, flipColours, showMesh,\n"
           "showConvergence, showWeights (0 or 1); fontHeight (0 to 2000); rangeMin,\n"
           "rangeMax (stored units); padLeft, padRight, padBottom (cells); areaLeft,\n"
           "areaRight, areaDepth (metres); with --compare, rangeMin and rangeMax are the\n"
           "comparison's (percent, or log10 of the ratio).\n"
           "\n"
           "Exit status: 0 done, 1 no picture written or no files named, 2 a refused\n"
           "option or a second model that does not fit the mesh, 255 a file the viewer\n"
           "could not load at start-up or a second model that cannot be read.\n"
           "\n"
           "Example:\n"
           "  korvex-render -o section.png --set showConvergence=1 survey.msh ohmsolv.con "
           "/conv\n";
}

namespace {
// "--name VALUE" or "--name=VALUE" options that only take a text.
struct TextOption {
    const char* name;
    std::string RenderOptions::*field;
};
const TextOption TextOptions[] = {
    {"--weights", &RenderOptions::weights},     {"--xweights", &RenderOptions::xWeights},
    {"--zweights", &RenderOptions::zWeights},   {"--doi", &RenderOptions::doiFile},
    {"--compare", &RenderOptions::compareFile},
};

bool ParsePixel(const std::string& text, double& x, double& y) {
    const auto comma = text.find(',');
    return comma != std::string::npos && ToFinite(text.substr(0, comma), x) &&
           ToFinite(text.substr(comma + 1), y);
}

// "X0,X1,D0,D1": four finite numbers with X1 > X0 and D1 > D0.
std::optional<SectionWindow> ParseView(const std::string& text) {
    double numbers[4];
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t comma = i < 3 ? text.find(',', start) : text.size();
        if (comma == std::string::npos || !ToFinite(text.substr(start, comma - start), numbers[i]))
            return std::nullopt;
        start = comma + 1;
    }
    const SectionWindow view{numbers[0], numbers[1], numbers[2], numbers[3]};
    if (!(view.width() > 0.0 && view.height() > 0.0))
        return std::nullopt;
    return view;
}

// The option's value as the cutoff list shows it: "0.1" to "0.9".
bool ParseCutoff(const std::string& text, int& position) {
    for (int p = 0; p < 9; ++p) {
        if (text == "0." + std::to_string(p + 1)) {
            position = p;
            return true;
        }
    }
    return false;
}

// Our options beyond --output, --size and --set. False with `error` set when one is
// malformed; `matched` tells whether the argument was one of them.
bool ParseFeatureOption(const std::vector<std::string>& args, std::size_t& i,
                        RenderOptions& options, bool& matched, std::string& error) {
    std::string value;
    for (const TextOption& option : TextOptions) {
        if (!OptionValue(args, i, option.name, value, matched) || (matched && value.empty())) {
            error = std::string(option.name) + " needs a file name";
            return false;
        }
        if (matched) {
            options.*option.field = value;
            return true;
        }
    }
    if (!OptionValue(args, i, "--doi-method", value, matched))
        value.clear();
    if (matched) {
        if (value != "recovered" && value != "sensitivity") {
            error = "--doi-method must be recovered or sensitivity: " + value;
            return false;
        }
        options.doiRecovered = value == "recovered";
        return true;
    }
    if (!OptionValue(args, i, "--doi-cutoff", value, matched))
        value.clear();
    if (matched) {
        if (!ParseCutoff(value, options.doiCutoffPosition)) {
            error = "--doi-cutoff must be one of 0.1, 0.2, ... 0.9: " + value;
            return false;
        }
        return true;
    }
    if (!OptionValue(args, i, "--doi-style", value, matched))
        value.clear();
    if (matched) {
        if (value != "hatch" && value != "fade") {
            error = "--doi-style must be hatch or fade: " + value;
            return false;
        }
        options.doiFade = value == "fade";
        return true;
    }
    if (!OptionValue(args, i, "--compare-mode", value, matched))
        value.clear();
    if (matched) {
        if (value != "percent" && value != "ratio") {
            error = "--compare-mode must be percent or ratio: " + value;
            return false;
        }
        options.compareRatio = value == "ratio";
        return true;
    }
    if (!OptionValue(args, i, "--view", value, matched))
        value.clear();
    if (matched) {
        options.view = ParseView(value);
        if (!options.view) {
            error = "--view needs X0,X1,D0,D1 in metres, finite, with X1 above X0 and D1 "
                    "above D0: " +
                    value;
            return false;
        }
        return true;
    }
    if (!OptionValue(args, i, "--readout", value, matched))
        value.clear();
    if (matched) {
        if (!ParsePixel(value, options.readoutX, options.readoutY)) {
            error = "--readout needs a client pixel PX,PY: " + value;
            return false;
        }
        options.readout = true;
        return true;
    }
    if (args[i] == "--stats") {
        matched = true;
        options.stats = true;
    }
    return true;
}
} // namespace

bool ParseRenderOptions(const std::vector<std::string>& args, RenderOptions& options,
                        std::string& error) {
    bool outputGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            options.documentArgs.insert(options.documentArgs.end(), args.begin() + i + 1,
                                        args.end());
            break;
        }
        if (arg == "-h" || arg == "--help") {
            options.help = true;
            continue;
        }
        if (arg == "--version") {
            options.version = true;
            continue;
        }
        std::string value;
        bool matched = false;
        if (arg == "-o") {
            if (i + 1 >= args.size()) {
                error = "-o needs a file name";
                return false;
            }
            options.output = args[++i];
            outputGiven = true;
            continue;
        }
        if (!OptionValue(args, i, "--output", value, matched)) {
            error = "--output needs a file name";
            return false;
        }
        if (matched) {
            options.output = value;
            outputGiven = true;
            continue;
        }
        if (!OptionValue(args, i, "--size", value, matched)) {
            error = "--size needs a value such as 1600x1200";
            return false;
        }
        if (matched) {
            if (!ParseSize(value, options.width, options.height)) {
                error = "--size must be WIDTHxHEIGHT in pixels, each 1 to 20000: " + value;
                return false;
            }
            continue;
        }
        if (!OptionValue(args, i, "--set", value, matched)) {
            error = "--set needs FIELD=VALUE";
            return false;
        }
        if (matched) {
            const auto eq = value.find('=');
            if (eq == std::string::npos || eq == 0) {
                error = "--set needs FIELD=VALUE: " + value;
                return false;
            }
            options.settings.emplace_back(value.substr(0, eq), value.substr(eq + 1));
            continue;
        }
        if (!ParseFeatureOption(args, i, options, matched, error))
            return false;
        if (matched)
            continue;
        // The viewer's switches begin with "/"; a lone "-" or other dash word is ours.
        if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option: " + arg;
            return false;
        }
        options.documentArgs.push_back(arg);
    }
    const bool printsOnly = options.readout || options.stats;
    if (!options.help && !options.version && (outputGiven ? options.output.empty() : !printsOnly)) {
        error = "--output FILE is required";
        return false;
    }
    if (!options.weights.empty() && (!options.xWeights.empty() || !options.zWeights.empty())) {
        error = "--weights cannot be combined with --xweights and --zweights";
        return false;
    }
    if (options.xWeights.empty() != options.zWeights.empty()) {
        error = "--xweights and --zweights go together";
        return false;
    }
    return true;
}

bool ApplySettings(const std::vector<std::pair<std::string, std::string>>& settings,
                   ViewState& state, const CTest1Doc& document, std::string& error) {
    DisplaySettings& s = state.settings;
    bool colours = false;
    bool padding = false;
    bool range = false;
    bool area = false;
    bool exaggeration = false;
    for (const auto& [field, text] : settings) {
        auto refuse = [&](const std::string& why) {
            error = "--set " + field + "=" + text + ": " + why;
            return false;
        };
        int flag = 0;
        const bool isFlag = ToInt(text, 0, 1, flag);
        auto setFlag = [&](bool& target) {
            if (!isFlag)
                return refuse("must be 0 or 1");
            target = flag == 1;
            return true;
        };
        double number = 0.0;
        if (field == "showLog") {
            // The Log10 command is disabled for chargeability models.
            if (isFlag && document.modelKind == Chargeability && (flag == 1) != s.showLog)
                return refuse("cannot be changed for a chargeability model");
            if (!setFlag(s.showLog))
                return false;
        } else if (field == "showConductivity") {
            if (isFlag && document.modelKind != Conductivity && (flag == 1) != s.showConductivity)
                return refuse("can be changed for conductivity models only");
            if (!setFlag(s.showConductivity))
                return false;
        } else if (field == "useColour" || field == "flipColours") {
            if (!setFlag(field == "useColour" ? s.useColour : s.flipColours))
                return false;
            colours = true;
        } else if (field == "showMesh") {
            if (!setFlag(s.showMesh))
                return false;
        } else if (field == "showConvergence") {
            if (isFlag && flag == 1 && !document.convergenceLoaded)
                return refuse("no convergence history is loaded (add /conv)");
            if (!setFlag(s.showConvergence))
                return false;
        } else if (field == "showWeights") {
            if (isFlag && flag == 1 && !document.weightsLoaded)
                return refuse("no weights are loaded");
            if (!setFlag(s.showWeights))
                return false;
        } else if (field == "fontHeight") {
            if (!ToInt(text, 0, DisplaySettings::MaxFontHeight, s.fontHeight))
                return refuse("must be an integer from 0 to 2000");
        } else if (field == "rangeMin" || field == "rangeMax") {
            if (!ToFinite(text, number))
                return refuse("must be a finite number");
            (field == "rangeMin" ? s.rangeMin : s.rangeMax) = number;
            range = true;
        } else if (field == "padLeft" || field == "padRight" || field == "padBottom") {
            int count = 0;
            if (!ToInt(text, 0, std::numeric_limits<int>::max(), count))
                return refuse("must be a whole number of cells, 0 or more");
            (field == "padLeft"    ? s.padLeft
             : field == "padRight" ? s.padRight
                                   : s.padBottom) = count;
            padding = true;
        } else if (field == "areaLeft" || field == "areaRight" || field == "areaDepth") {
            if (!ToFinite(text, number))
                return refuse("must be a finite number");
            if (field == "areaDepth" && number < 0.0)
                return refuse("the depth must not be negative");
            (field == "areaLeft"    ? s.areaLeft
             : field == "areaRight" ? s.areaRight
                                    : s.areaDepth) = number;
            area = true;
        } else if (field == "verticalExaggeration") {
            if (!ToFinite(text, number) || number < 1.0 ||
                number > DisplaySettings::MaxExaggeration)
                return refuse("must be a number from 1 to 100");
            s.verticalExaggeration = number;
            exaggeration = true;
        } else if (field == "colourMap") {
            const auto map = ColourMapNamed(text);
            if (!map)
                return refuse("must be rainbow, viridis, cividis, magma, turbo or bluewhitered");
            s.colourMap = *map;
            colours = true;
        } else {
            error = "--set: unknown field \"" + field + "\"";
            return false;
        }
    }
    if (range && s.rangeMin > s.rangeMax) {
        error = "--set: rangeMin must not be above rangeMax";
        return false;
    }
    if (area && s.areaLeft > s.areaRight) {
        error = "--set: areaLeft must not be greater than areaRight";
        return false;
    }
    if (padding && !PaddingFits(s.padLeft, s.padRight, s.padBottom, document.mesh)) {
        error = "--set: padding must leave at least one column and one row (padLeft + padRight "
                "below " +
                std::to_string(document.mesh.nx) + ", padBottom below " +
                std::to_string(document.mesh.nz) + ")";
        return false;
    }
    if (colours)
        state.rebuildColours();
    if (padding) // a changed padding shows the whole new section
        state.settings.zoom.reset();
    if (padding || exaggeration)
        state.relayout(document);
    return true;
}

bool ApplyView(const SectionWindow& view, ViewState& state, const CTest1Doc& document,
               std::string& error) {
    const DisplaySettings& s = state.settings;
    if (!PaddingFits(s.padLeft, s.padRight, s.padBottom, document.mesh))
        return true; // nothing is drawn in any case
    const SectionWindow whole = WholeSection(document.mesh, s);
    const auto cut = CutToSection(view, whole, MinWindowWidth(document.mesh, s));
    if (!cut) {
        std::ostringstream text;
        text << "--view " << view.left << "," << view.right << "," << view.top << "," << view.bottom
             << " lies outside the section (x from " << whole.left << " to " << whole.right
             << ", depth from " << whole.top << " to " << whole.bottom << ")";
        error = text.str();
        return false;
    }
    state.setZoom(document, *cut);
    return true;
}
