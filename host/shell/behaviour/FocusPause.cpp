#include "host/shell/behaviour/FocusPause.h"

#include <QEvent>
#include <QWidget>

namespace ZelkShell {

FocusPause::FocusPause(QWidget* window, Playback playback, QObject* parent)
    : QObject(parent)
    , window_(window)
    , playback_(std::move(playback))
{
    window_->installEventFilter(this);
}

void FocusPause::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (!enabled)
        pausedByRule_ = false;
}

void FocusPause::pauseChanged(bool paused)
{
    // Resumed by someone else while away: nothing left to resume on return.
    if (!paused)
        pausedByRule_ = false;
}

bool FocusPause::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::WindowDeactivate:
            windowLeft();
            break;
        case QEvent::WindowActivate:
            windowReturned();
            break;
        case QEvent::WindowStateChange:
            if (window_->isMinimized())
                windowLeft();
            else if (window_->isActiveWindow())
                windowReturned();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void FocusPause::windowLeft()
{
    if (!enabled_ || pausedByRule_ || !playback_.isPlaying())
        return;
    pausedByRule_ = true;
    playback_.setPaused(true);
}

void FocusPause::windowReturned()
{
    if (!pausedByRule_ || window_->isMinimized())
        return;
    pausedByRule_ = false;
    playback_.setPaused(false);
}

} // namespace ZelkShell
