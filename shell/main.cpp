#include "shell/CMainFrame.h"
#include "shell/CTest1App.h"
#include "shell/MessageBoxMessages.h"

#include <QApplication>

#include <clocale>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    // Numbers are written and scanned the C way whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("korvex-model-viewer"));

    // The application object has removed its own options from argv by now.
    const std::vector<std::string> args(argv + 1, argv + argc);

    // Boxes of the start-up load have no owner: no window exists yet.
    MessageBoxMessages messages;
    CTest1App app(messages);
    if (!app.InitInstance(args))
        return 255;
    messages.setParent(app.frame());
    return QApplication::exec();
}
