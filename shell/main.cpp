#include "shell/CMainFrame.h"
#include "shell/CTest1App.h"
#include "shell/MessageBoxMessages.h"

#include <QApplication>

#include <clocale>
#include <filesystem>
#include <string>
#include <vector>

int main(int argc, char** argv) {
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
