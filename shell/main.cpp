#include "shell/CMainFrame.h"
#include "shell/CTest1App.h"
#include "shell/MessageBoxMessages.h"

#include "document/LaunchArguments.h"

#include <QApplication>

#include <clocale>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {
const char* const Usage =
    "usage: korvex-model-viewer [MESH MODEL [/ip] [/conv] [/padd=L,R,B] [/chi=F] [/follow]]\n"
    "Shows a 2D resistivity or IP inversion model as a coloured cross-section.\n"
    "\n"
    "  MESH MODEL    the mesh file and the model file, in this order, before any switch\n"
    "  /ip           the model holds chargeabilities (without it: conductivities in S/m)\n"
    "  /conv         also read ohmsolv.out (polsolv.out with /ip) beside the model\n"
    "  /padd=L,R,B   hide L padding cells at the left, R at the right, B at the bottom\n"
    "  /chi=F        target misfit: F times the whole number before \"target\" in that file\n"
    "  /follow       reload the model and the output file whenever they are rewritten\n"
    "  -h, --help    print this help and exit\n"
    "  --version     print the version and exit\n"
    "\n"
    "Without files the viewer starts empty; File, \"Open ...\" loads data later.\n"
    "\n"
    "Example:\n"
    "  korvex-model-viewer survey.msh ohmsolv.con /conv /padd=5,5,5\n";
} // namespace

int main(int argc, char** argv) {
    // Answered before the toolkit starts: no display is needed and nothing is read.
    switch (FindInfoRequest(std::vector<std::string>(argv + 1, argv + argc), false)) {
    case InfoRequest::Help:
        std::cout << Usage;
        return 0;
    case InfoRequest::Version:
        std::cout << "korvex-model-viewer " KORVEX_VERSION "\n";
        return 0;
    case InfoRequest::None:
        break;
    }
    QApplication qtApp(argc, argv);
    // Numbers are written and scanned the C way whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("korvex-model-viewer"));

    // The application object has removed its own options from argv by now.
    const std::vector<std::string> args(argv + 1, argv + argc);
    // The program's one look at its working directory, which it never changes: names
    // on the command line are relative to it. Unknown, names are taken as they are.
    std::error_code unknown;
    const std::string launchFolder = std::filesystem::current_path(unknown).string();

    // Boxes of the start-up load have no owner: no window exists yet.
    MessageBoxMessages messages;
    CTest1App app(messages);
    // A failed start-up (its message shown) ends with -1 as an exit status: 255.
    if (!app.InitInstance(args, launchFolder))
        return 255;
    messages.setParent(app.frame());
    return QApplication::exec();
}
