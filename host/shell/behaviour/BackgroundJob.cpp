#include "host/shell/behaviour/BackgroundJob.h"

#include <utility>

namespace ZelkShell {

BackgroundJob::BackgroundJob(std::function<void()> job)
    : job_(std::move(job))
{
}

BackgroundJob::~BackgroundJob()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void BackgroundJob::request()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requested_ = true;
        if (!thread_.joinable())
            thread_ = std::thread(&BackgroundJob::serve, this);
    }
    changed_.notify_all();
}

void BackgroundJob::waitUntilIdle()
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !requested_ && !running_; });
}

void BackgroundJob::serve()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return requested_ || stopping_; });
        // A run requested before the stop still happens: quitting must not
        // drop work the GUI thread handed over.
        if (!requested_)
            return;
        requested_ = false;
        running_ = true;
        lock.unlock();
        job_();
        lock.lock();
        running_ = false;
        changed_.notify_all();
    }
}

} // namespace ZelkShell
