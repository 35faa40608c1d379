#include "host/shell/videolibrary/LibraryRules.h"

#include "host/shell/behaviour/BehaviourSettings.h"
#include "host/shell/videolibrary/VideoLibrary.h"

#include <QFile>
#include <QFileInfo>

namespace ZelkShell::LibraryRules {

bool videoPlayed(VideoLibrary& library, const BehaviourSettings& settings, const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (settings.addPlayedVideosToLibrary)
        return library.add(absolute, true);
    return library.markPlayed(absolute);
}

QString folderToImport(const BehaviourSettings& settings)
{
    // Not asked whether it exists: on the GUI thread, a stat() of a hung
    // mount would hold the window; the walk finds nothing in a missing folder.
    if (!settings.addDefaultFolderToLibrary || settings.mediaFolder.isEmpty())
        return QString();
    return settings.mediaFolder;
}

Removal removeEntry(VideoLibrary& library, const BehaviourSettings& settings, const QString& path,
                    const std::function<bool(const QString& path)>& confirm)
{
    if (!settings.deleteDiskFileWithEntry)
        return library.remove(path) ? Removal::EntryRemoved : Removal::Failed;
    if (!confirm(path))
        return Removal::Declined;
    // The file first: an entry whose file could not be deleted stays listed.
    if (QFileInfo::exists(path) && !QFile::remove(path))
        return Removal::Failed;
    return library.remove(path) ? Removal::EntryAndFileRemoved : Removal::Failed;
}

} // namespace ZelkShell::LibraryRules
