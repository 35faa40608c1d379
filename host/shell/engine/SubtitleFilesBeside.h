#pragma once

#include <QString>
#include <QStringList>

namespace ZelkShell {

// The subtitle files the engine's "exact" search would load with `video`:
// in its folder, named like it with a subtitle extension, possibly with a
// language in between ("film.srt", "film.en.srt"). Sorted by name.
QStringList subtitleFilesBeside(const QString& video);

// Whether reading one of `files` would keep the engine busy long enough to
// hold up the video: then they are loaded after it opens.
bool holdsUpTheVideo(const QStringList& files);

} // namespace ZelkShell
