#pragma once

// How long the GUI thread went without running its event loop while a meter
// lived: the largest gap between the ticks of a timer that asks to run every
// 2 ms. What a user would feel as the window not answering.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>

namespace zelktest {

class StallMeter {
public:
    StallMeter()
    {
        tick_.setTimerType(Qt::PreciseTimer);
        tick_.setInterval(2);
        QObject::connect(&tick_, &QTimer::timeout, [this] { longestMs_ = std::max(longestMs_, sinceTick_.restart()); });
        sinceTick_.start();
        tick_.start();
    }
    qint64 longestMs() const { return longestMs_; }

private:
    QTimer tick_;
    QElapsedTimer sinceTick_;
    qint64 longestMs_ = 0;
};

} // namespace zelktest
