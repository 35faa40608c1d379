#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace ZelkShell {

// Runs one job on a thread of its own whenever it is asked to, so that the
// GUI thread hands the work off and goes on. Requests made while the job
// runs coalesce into one more run; the thread starts with the first request.
class BackgroundJob {
public:
    explicit BackgroundJob(std::function<void()> job);
    // Finishes a run that was requested, then ends the thread.
    ~BackgroundJob();
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    // Returns at once; the job runs (again) after this call.
    void request();
    // Returns when every requested run has ended.
    void waitUntilIdle();

private:
    void serve();

    std::function<void()> job_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool requested_ = false;
    bool running_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace ZelkShell
