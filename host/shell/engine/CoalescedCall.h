#pragma once

#include <QMetaObject>
#include <QObject>

#include <atomic>

namespace ZelkShell {

// Runs a function on an object's thread once for however many requests
// arrive before it runs: how the engine's threads wake the GUI thread
// without filling its event queue. Keep it a member of `receiver`, so that
// it lives as long as the queued call can run.
class CoalescedCall {
public:
    // Safe from any thread. `run` is called on `receiver`'s thread, after
    // the request is cleared: a request made while it runs queues it again.
    template <typename Function>
    void request(QObject* receiver, Function run)
    {
        if (pending_.exchange(true))
            return;
        QMetaObject::invokeMethod(
            receiver,
            [this, run] {
                pending_ = false;
                run();
            },
            Qt::QueuedConnection);
    }

private:
    std::atomic<bool> pending_{false};
};

} // namespace ZelkShell
