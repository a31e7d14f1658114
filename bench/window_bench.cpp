// The viewer as a user meets it, timed from outside as a whole process by
// bench/run-benchmarks.sh (nothing here is a test). It runs the viewer's own start-up
// (the command line's files read, the window built and shown) and then either ends
// once the view has finished its first paint, or, with --reload, presses Reload and
// prints how long it took until the reloaded model had been painted, how long at most
// the window's event loop was held up meanwhile, and whether a progress bar showed in
// the status bar (only a load of more than half a second shows one).
// Only calls that every revision of the viewer has, so that a "before" build compiles
// it too.
#include "document/CTest1Doc.h"
#include "plot/CTest1View.h"
#include "shell/CMainFrame.h"
#include "shell/CTest1App.h"
#include "shell/CommandIds.h"
#include "shell/MessageBoxMessages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QProgressBar>
#include <QTimer>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {
// Calls `then` (once) after the next paint of the watched widget has been drawn.
class AfterPaint : public QObject {
public:
    std::function<void()> then;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && then)
            QTimer::singleShot(0, qApp, std::exchange(then, nullptr));
        return QObject::eventFilter(watched, event);
    }
};

// The longest stretch between two moments the event loop was free, from start() on.
class LoopWatch : public QObject {
public:
    void start() {
        clock_.start();
        last_ = 0;
        connect(&ticker_, &QTimer::timeout, this, &LoopWatch::tick);
        ticker_.setTimerType(Qt::PreciseTimer);
        ticker_.start(5);
    }
    void tick() {
        const qint64 now = clock_.nsecsElapsed();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            for (const QProgressBar* bar : window->findChildren<QProgressBar*>()) {
                if (bar->isVisible()) {
                    ++progressSeen_;
                    progressMax_ = std::max(progressMax_, bar->value());
                }
            }
        }
    }
    void stop() {
        tick();
        ticker_.stop();
        total_ = clock_.nsecsElapsed();
    }
    double longestMs() const { return longest_ / 1e6; }
    double totalMs() const { return total_ / 1e6; }
    int progressSeen() const { return progressSeen_; }
    int progressMax() const { return progressMax_; }

private:
    QTimer ticker_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
    qint64 total_ = 0;
    int progressSeen_ = 0;
    int progressMax_ = -1;
};
} // namespace

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("korvex-model-viewer"));
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool reload = !args.empty() && args.front() == "--reload";
    if (reload)
        args.erase(args.begin());
    std::error_code unknown;
    const std::string launchFolder = std::filesystem::current_path(unknown).string();
    MessageBoxMessages messages;
    CTest1App app(messages);
    if (!app.InitInstance(args, launchFolder))
        return 255;
    messages.setParent(app.frame());
    app.frame()->activateWindow();

    AfterPaint afterPaint;
    app.view()->installEventFilter(&afterPaint);
    LoopWatch watch;
    bool reloaded = false;
    app.document().AddUpdateListener([&] { reloaded = true; });
    afterPaint.then = [&] {
        if (!reload) {
            QApplication::quit();
            return;
        }
        // Reload, as the R key does; the end is the paint after the document update.
        QTimer::singleShot(100, [&] {
            watch.start();
            app.frame()->Dispatch(ID_RELOAD);
            if (reloaded) // a load on the spot has already updated the document
                afterPaint.then = [&] {
                    watch.stop();
                    QApplication::quit();
                };
            else
                app.document().AddUpdateListener([&] {
                    afterPaint.then = [&] {
                        watch.stop();
                        QApplication::quit();
                    };
                });
        });
    };
    const int status = QApplication::exec();
    if (reload)
        std::printf("reload_ms\t%.1f\nreload_longest_block_ms\t%.1f\nreload_progress_seen\t%d\n"
                    "reload_progress_max\t%d\n",
                    watch.totalMs(), watch.longestMs(), watch.progressSeen(), watch.progressMax());
    return status;
}
