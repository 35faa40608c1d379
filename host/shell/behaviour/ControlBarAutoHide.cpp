#include "host/shell/behaviour/ControlBarAutoHide.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace ZelkShell {

ControlBarAutoHide::ControlBarAutoHide(QWidget* window, QWidget* bar, int delayMs, QObject* parent)
    : QObject(parent)
    , window_(window)
    , bar_(bar)
{
    idle_.setSingleShot(true);
    idle_.setInterval(delayMs);
    connect(&idle_, &QTimer::timeout, this, &ControlBarAutoHide::hideIfIdle);
    // Movements reach whichever child is under the mouse; the application
    // filter sees them all and keeps those over this window.
    qApp->installEventFilter(this);
}

void ControlBarAutoHide::setEnabled(bool enabled)
{
    enabled_ = enabled;
    showBarAndRestart();
}

void ControlBarAutoHide::setPlaying(bool playing)
{
    playing_ = playing;
    showBarAndRestart();
}

bool ControlBarAutoHide::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::HoverMove) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget == window_ || window_->isAncestorOf(widget)))
            showBarAndRestart();
    }
    return QObject::eventFilter(watched, event);
}

void ControlBarAutoHide::showBarAndRestart()
{
    bar_->setVisible(true);
    if (enabled_ && playing_)
        idle_.start();
    else
        idle_.stop();
}

void ControlBarAutoHide::hideIfIdle()
{
    if (enabled_ && playing_)
        bar_->setVisible(false);
}

} // namespace ZelkShell
