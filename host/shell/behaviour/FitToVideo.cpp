#include "host/shell/behaviour/FitToVideo.h"

#include <algorithm>

namespace ZelkShell {

QRect fittedWindowGeometry(const QSize& videoSize, const QSize& frame, const QRect& current, const QRect& available)
{
    if (videoSize.isEmpty() || available.isEmpty())
        return current;
    const QSize room(std::max(1, available.width() - frame.width()), std::max(1, available.height() - frame.height()));
    QSize video = videoSize;
    if (video.width() > room.width() || video.height() > room.height())
        video.scale(room, Qt::KeepAspectRatio);
    video = video.expandedTo(QSize(1, 1));
    QRect fitted(current.topLeft(), video + frame);
    // Slide back inside the available area, right/bottom edges first so that a
    // window larger than the area still shows its top-left corner.
    if (fitted.right() > available.right())
        fitted.moveRight(available.right());
    if (fitted.bottom() > available.bottom())
        fitted.moveBottom(available.bottom());
    if (fitted.left() < available.left())
        fitted.moveLeft(available.left());
    if (fitted.top() < available.top())
        fitted.moveTop(available.top());
    return fitted;
}

} // namespace ZelkShell
