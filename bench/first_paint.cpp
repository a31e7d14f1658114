// The viewer's start-up as a user meets it: the same steps as its main (the command
// line's files read, the window built and shown), ending once the view has finished
// its first paint of the loaded model. Timed from outside as a whole process
// (bench/run-benchmarks.sh); nothing here is a test.
#include "plot/CTest1View.h"
#include "shell/CMainFrame.h"
#include "shell/CTest1App.h"
#include "shell/MessageBoxMessages.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <clocale>
#include <filesystem>
#include <string>
#include <vector>

namespace {
// Ends the event loop after the first paint of the view has been drawn.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Queued: runs once this paint has finished and reached the screen.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};
} // namespace

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("korvex-model-viewer"));
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code unknown;
    const std::string launchFolder = std::filesystem::current_path(unknown).string();
    MessageBoxMessages messages;
    CTest1App app(messages);
    if (!app.InitInstance(args, launchFolder))
        return 255;
    messages.setParent(app.frame());
    FirstPaint firstPaint;
    app.view()->installEventFilter(&firstPaint);
    return QApplication::exec();
}
