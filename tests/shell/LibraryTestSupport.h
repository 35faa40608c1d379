#pragma once

// Shared by the tests of the video library: a clean library before each
// case, and another process holding it locked.

#include "PreferencesHarness.h"

#include "host/shell/videolibrary/VideoLibrary.h"
#include "settings/PreferenceAccessors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <sys/stat.h>

namespace zelktest {

// Empties the library's folder: the library, whatever was moved aside beside
// it, and what the download manager keeps there (its lock).
inline void removeLibraryFiles()
{
    const QFileInfo library(ZelkShell::VideoLibrary::defaultLocation());
    QDir folder = library.absoluteDir();
    const QStringList names = folder.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        const QString path = folder.filePath(name);
        ::chmod(QFile::encodeName(path).constData(), 0700);
        if (!QFile::remove(path))
            QDir(path).removeRecursively();
    }
}

// Before each case: no settings cached in this process, none stored, and an
// empty library folder.
inline void startWithNothingStored()
{
    ZelkNimbo::releaseComponentSettings();
    clearStore();
    removeLibraryFiles();
}

// The sqlite3 program holding an exclusive lock on `file` until release().
class LockHolder {
public:
    explicit LockHolder(const QString& file)
    {
        process_.start(QStringLiteral("sqlite3"), {file});
        process_.write("BEGIN EXCLUSIVE;\n.print locked\n");
    }
    ~LockHolder() { release(); }
    bool waitUntilLocked()
    {
        while (!process_.readAllStandardOutput().contains("locked")) {
            if (!process_.waitForReadyRead(10000))
                return false;
        }
        return true;
    }
    void release()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.write("ROLLBACK;\n.quit\n");
        process_.closeWriteChannel();
        process_.waitForFinished(10000);
    }

private:
    QProcess process_;
};

} // namespace zelktest
