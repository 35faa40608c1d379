#include "host/shell/behaviour/ToolTipGate.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace ZelkShell {

ToolTipGate::ToolTipGate(QWidget* controls, QObject* parent)
    : QObject(parent)
    , controls_(controls)
{
    // Tooltip events go to the widget under the mouse, which may be created
    // after the gate; the application filter sees them all.
    qApp->installEventFilter(this);
}

bool ToolTipGate::eventFilter(QObject* watched, QEvent* event)
{
    if (!shown_ && event->type() == QEvent::ToolTip) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget == controls_ || controls_->isAncestorOf(widget)))
            return true; // swallowed: no tooltip
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ZelkShell
