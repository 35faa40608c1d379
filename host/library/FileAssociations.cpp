// Registering the player as the handler of video file types. On Linux this
// goes through the user's mimeapps.list, the file desktop environments consult
// for "open with" defaults.

#include "host/library/MimeAppsList.h"
#include "host/library/ZNBLibrary.h"

#include <QFile>
#include <QHash>
#include <QMimeDatabase>
#include <QMutex>
#include <QStandardPaths>

namespace ZelkNimbo {

namespace {

// The player's desktop entry, named by its application id; older players
// wrote their associations under the entry's earlier name, which still count
// as the player's own.
const char* const playerDesktopId = "com.zelk.Player.desktop";
const char* const earlierPlayerDesktopId = "zelk-player.desktop";
const char* const mimeAppsFileName = "mimeapps.list";

// Every MIME type a file with this extension may be recognised as; empty for
// an extension the MIME database does not know. Looking a name up matches it
// against every glob of the database (Qt compiles a regular expression for
// each complex one, every time), which made this most of a save's cost: the
// answers are kept for the life of the process. A MIME package installed
// while the player runs is seen after a restart.
QStringList mimeTypesForExtension(const QString& extension)
{
    if (!extension.startsWith(QLatin1Char('.')) || extension.size() < 2)
        return {};
    static QMutex cacheMutex;
    static QHash<QString, QStringList> known;
    QMutexLocker lock(&cacheMutex);
    const auto found = known.constFind(extension);
    if (found != known.constEnd())
        return *found;
    QStringList names;
    const QList<QMimeType> types = QMimeDatabase().mimeTypesForFileName(QLatin1Char('x') + extension);
    for (const QMimeType& type : types)
        names.append(type.name());
    // A copy of its own: the caller's string may be a literal of a module
    // that is unloaded before this cache is destroyed at exit.
    known.insert(QString(extension.unicode(), extension.size()), names);
    return names;
}

// When ZELK_ASSOCIATION_LOG names a file, every request is appended to it as
// one line, "(none)" or ".ext=1 .ext=0 ..." in key order, so that tests and
// support can see exactly what the player asked for.
void logRequest(const QMap<QString, bool>& associations)
{
    const QString logPath = qEnvironmentVariable("ZELK_ASSOCIATION_LOG");
    if (logPath.isEmpty())
        return;
    QStringList entries;
    for (auto entry = associations.constBegin(); entry != associations.constEnd(); ++entry)
        entries << entry.key() + (entry.value() ? QLatin1String("=1") : QLatin1String("=0"));
    QFile log(logPath);
    if (log.open(QIODevice::Append | QIODevice::Text))
        log.write((entries.isEmpty() ? QStringLiteral("(none)") : entries.join(QLatin1Char(' '))).toUtf8() + '\n');
}

} // namespace

bool OSUtilities::setFileTypeAssociations(const QMap<QString, bool>& associations)
{
    logRequest(associations);
    // Every save hands over a map, usually empty: leave the file alone then.
    if (associations.isEmpty())
        return true;

    const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (configFolder.isEmpty())
        return false;
    const QString path = configFolder + QLatin1Char('/') + QLatin1String(mimeAppsFileName);

    MimeAppsList list;
    if (!list.load(path))
        return false;
    // Rewritten under today's name, so that the edits below find them.
    list.renameApplication(QLatin1String(earlierPlayerDesktopId), QLatin1String(playerDesktopId));

    // Extensions that share a MIME type (".mov" and ".qt") share its default
    // too; the map's order decides between contradicting entries. An unknown
    // extension does not stop the others from being registered, but the
    // caller learns that not everything was done.
    const QString desktopId = QLatin1String(playerDesktopId);
    bool everyExtensionKnown = true;
    for (auto entry = associations.constBegin(); entry != associations.constEnd(); ++entry) {
        const QStringList mimeTypes = mimeTypesForExtension(entry.key());
        if (mimeTypes.isEmpty())
            everyExtensionKnown = false;
        for (const QString& mimeType : mimeTypes) {
            if (entry.value())
                list.makeDefault(mimeType, desktopId);
            else
                list.dropDefault(mimeType, desktopId);
        }
    }

    if (list.isModified() && !list.save(path))
        return false;
    return everyExtensionKnown;
}

} // namespace ZelkNimbo
