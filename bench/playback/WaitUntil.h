#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

namespace zelkbench {

// Runs the event loop until `done` holds (true) or `timeoutMs` pass (false).
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

} // namespace zelkbench
