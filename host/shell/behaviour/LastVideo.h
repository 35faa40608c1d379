#pragma once

#include <QString>
#include <QStringList>

namespace ZelkShell {

// The recently watched files (RecentFilis / "RecentWatchedMovies", newest
// first, one local-file URL a line) and whether a video was still open when the player
// last quit (Playback / "WasPlaying"): together they name the video to reopen
// when "Automatically play last video left open on player quit" is on.
namespace LastVideo {

constexpr int recentMaximum = 10;

// Puts `file` (an absolute path) at the head of the recently watched files;
// false when it could not be stored.
bool recordOpened(const QString& file);
// Records at quit whether a video was open (`openFile` empty: none was). When
// `openFile` cannot be recorded, no video counts as open.
bool recordQuit(const QString& openFile);

QStringList recentlyWatched();
// The file that was open at the last quit, if it still exists; else empty.
QString fileToReopen();

} // namespace LastVideo

} // namespace ZelkShell
