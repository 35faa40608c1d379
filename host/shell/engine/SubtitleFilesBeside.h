#pragma once

#include <QString>
#include <QStringList>

namespace ZelkShell {

// What a look for the subtitle files beside a video found.
struct SubtitlesBeside {
    // Sorted by name.
    QStringList files;
    // False when the folder was larger, or slower to read, than the bounds
    // allowed: then more may lie beside the video.
    bool complete = true;
};

// The subtitle files the engine's "exact" search would load with `video`:
// in its folder, named like it with a subtitle extension, possibly with a
// language in between ("film.srt", "film.en.srt"). Reads at most
// `maxEntries` names of the folder, for at most `maxMilliseconds`; only the
// names that match are looked at further. Blocks: never on the GUI thread.
SubtitlesBeside subtitleFilesBeside(const QString& video, int maxEntries, int maxMilliseconds);

} // namespace ZelkShell
