#pragma once

#include "document/TextScanner.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <exception>
#include <functional>
#include <memory>
#include <thread>

// Runs one file load at a time on a worker thread, so that the window keeps answering
// while a large model is read, and hands the load's end back to the thread the object
// lives on. A load that runs longer than half a second reports how much of its files
// it has read. In synchronous mode each load runs on the spot instead (tests that look
// at the outcome right after the command).
class BackgroundLoad : public QObject {
    Q_OBJECT
public:
    explicit BackgroundLoad(QObject* parent = nullptr);
    // Stops a running load at its next piece of a file and waits for its thread; its
    // end is not run.
    ~BackgroundLoad() override;

    // `read` runs on the worker thread and counts into the progress it is given; `done`
    // then runs on this object's thread. False, and nothing run, while a load runs.
    bool start(std::function<void(ReadProgress&)> read, std::function<void()> done);
    bool busy() const { return running_; }
    // Waits for the running load, if any, and runs its end now.
    void wait();
    void setSynchronous(bool synchronous) { synchronous_ = synchronous; }

    static constexpr int ProgressDelayMs = 500;

signals:
    // Parts per thousand of the files' bytes read: first sent once the load has run for
    // ProgressDelayMs, then every few tens of milliseconds.
    void progressed(int permille);
    // The load has ended; sent just before its end runs.
    void finished();

private:
    void finish(unsigned generation);
    void reportProgress();

    bool synchronous_ = false;
    bool running_ = false;
    bool ending_ = false;     // the end is running
    unsigned generation_ = 0; // tells a stale end notice from the current load's
    std::unique_ptr<ReadProgress> progress_;
    std::function<void()> done_;
    std::exception_ptr failure_;
    std::thread worker_;
    QTimer ticker_;
    QElapsedTimer elapsed_;
};
