#include "document/CTest1Doc.h"
#include "shell/CMainFrame.h"
#include "shell/MessageBoxMessages.h"

#include <QApplication>

#include <clocale>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Numbers are written and scanned the C way whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");

    // The application object has removed its own options from argv by now.
    std::vector<std::string> args(argv + 1, argv + argc);

    MessageBoxMessages messages;
    CTest1Doc document(messages);
    document.ApplyCommandLine(args);

    CMainFrame frame(document);
    messages.setParent(&frame);
    frame.resize(770, 550);
    frame.show();
    return app.exec();
}
