#pragma once

#include <QString>

#include <functional>

namespace ZelkShell {

class VideoLibrary;
struct BehaviourSettings;

// The Video Library page's switches applied to the library.
namespace LibraryRules {

// A video was played: added when "add played videos" is on; an entry already
// in the library is stamped as played either way. False on a store failure.
bool videoPlayed(VideoLibrary& library, const BehaviourSettings& settings, const QString& path);

// The folder whose videos go into the library: the default video folder when
// "add videos in the default folder" is on; else empty.
QString folderToImport(const BehaviourSettings& settings);

enum class Removal {
    EntryRemoved,         // only the library entry went
    EntryAndFileRemoved,  // the disk file went too
    Declined,             // the user kept both
    Failed,               // see the library's lastError(), or the file could not be deleted
};

// Removes an entry. With "delete library file and disk file" on, `confirm`
// (asked with the path) decides whether the entry and the disk file go
// together; otherwise only the entry goes and `confirm` is not asked.
Removal removeEntry(VideoLibrary& library, const BehaviourSettings& settings, const QString& path,
                    const std::function<bool(const QString& path)>& confirm);

} // namespace LibraryRules

} // namespace ZelkShell
