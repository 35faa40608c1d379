#pragma once

#include <QString>

namespace ZelkShell {

// Renders the frame `video` shows at `seconds`, with its subtitles and the
// stored picture and subtitle settings, into the image file `output` (the
// format follows its extension), without a window. Runs its own event loop;
// false with a one-line `error` when the video cannot be opened, the time is
// past its end, or the image cannot be written.
bool grabFrame(const QString& video, double seconds, const QString& output, QString* error);

} // namespace ZelkShell
