#include "host/shell/behaviour/Blackout.h"

#include <QEvent>
#include <QPainter>

namespace ZelkShell {

Blackout::Blackout(QWidget* video)
    : QWidget(video)
{
    setObjectName(QStringLiteral("blackout"));
    // Clicks and movements still reach the video area below.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(video->rect());
    video->installEventFilter(this);
    hide();
}

bool Blackout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void Blackout::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Qt::black);
}

} // namespace ZelkShell
