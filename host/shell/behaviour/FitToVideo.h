#pragma once

#include <QRect>
#include <QSize>

namespace ZelkShell {

// "Resize Player to Fit Video": the window geometry that shows a video of
// `videoSize` at its own size, or scaled down with its shape kept until the
// whole window (the video area plus `frame`, what the window needs around it:
// menus, control bar, borders) fits into `available`. The window keeps its
// top-left corner where the result still fits, else it moves inside.
// An empty video size keeps `current`.
QRect fittedWindowGeometry(const QSize& videoSize, const QSize& frame, const QRect& current, const QRect& available);

} // namespace ZelkShell
