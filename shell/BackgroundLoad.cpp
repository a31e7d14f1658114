#include "shell/BackgroundLoad.h"

#include <algorithm>
#include <utility>

BackgroundLoad::BackgroundLoad(QObject* parent) : QObject(parent) {
    ticker_.setInterval(50);
    connect(&ticker_, &QTimer::timeout, this, &BackgroundLoad::reportProgress);
}

BackgroundLoad::~BackgroundLoad() {
    if (worker_.joinable()) {
        progress_->cancelled = true;
        worker_.join();
    }
}

bool BackgroundLoad::start(std::function<void(ReadProgress&)> read, std::function<void()> done) {
    if (running_)
        return false;
    running_ = true;
    const unsigned generation = ++generation_;
    progress_ = std::make_unique<ReadProgress>();
    done_ = std::move(done);
    failure_ = nullptr;
    if (synchronous_) {
        read(*progress_);
        finish(generation);
        return true;
    }
    elapsed_.start();
    ticker_.start();
    worker_ = std::thread([this, generation, read = std::move(read)] {
        try {
            read(*progress_);
        } catch (...) {
            failure_ = std::current_exception();
        }
        // Queued to this object: dropped with it if it is destroyed first.
        QMetaObject::invokeMethod(
            this, [this, generation] { finish(generation); }, Qt::QueuedConnection);
    });
    return true;
}

void BackgroundLoad::wait() {
    if (running_)
        finish(generation_);
}

void BackgroundLoad::finish(unsigned generation) {
    if (!running_ || generation != generation_ || ending_)
        return;
    if (worker_.joinable())
        worker_.join();
    ticker_.stop();
    // Busy until the end has run: its message boxes must not let another load begin.
    ending_ = true;
    const struct Ended {
        BackgroundLoad& load;
        ~Ended() { load.running_ = load.ending_ = false; }
    } ended{*this};
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
    const std::function<void()> done = std::exchange(done_, nullptr);
    emit finished();
    if (done)
        done();
}

void BackgroundLoad::reportProgress() {
    if (!running_ || elapsed_.elapsed() < ProgressDelayMs)
        return;
    const std::uint64_t total = progress_->bytesTotal;
    const std::uint64_t read = std::min(progress_->bytesRead.load(), total);
    emit progressed(total > 0 ? static_cast<int>(read * 1000 / total) : 0);
}
