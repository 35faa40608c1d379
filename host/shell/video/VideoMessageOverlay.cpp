#include "host/shell/video/VideoMessageOverlay.h"

#include <QEvent>

namespace ZelkShell {

VideoMessageOverlay::VideoMessageOverlay(QWidget* area, bool nativeWindow)
    : QLabel(area)
{
    setObjectName(QStringLiteral("videoMessage"));
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setMargin(12);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, QColor(0xaa, 0xaa, 0xaa));
    setPalette(colours);
    if (nativeWindow) {
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_DontCreateNativeAncestors);
    }
    setGeometry(area->rect());
    area->installEventFilter(this);
    hide();
}

void VideoMessageOverlay::showMessage(const QString& text)
{
    setText(text);
    setVisible(!text.isEmpty());
    if (!text.isEmpty())
        raise();
}

bool VideoMessageOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QLabel::eventFilter(watched, event);
}

} // namespace ZelkShell
