#include "host/shell/engine/LateSubtitles.h"

#include "host/shell/engine/EngineRequests.h"

#include <QFileInfo>
#include <QLocale>
#include <QMetaObject>

#include <algorithm>

namespace ZelkShell {

namespace {

// A few megabytes of text parse in well under a second; beyond this the
// engine's reading is felt as a late start.
constexpr qint64 largeSubtitleBytes = 8 * 1024 * 1024;
// The engine parses a text subtitle on its playback thread, about 45 ms per
// megabyte here: beyond this the picture would stand still for seconds.
constexpr qint64 refusedSubtitleBytes = 64 * 1024 * 1024;

LateSubtitles::Plan planFor(const SubtitlesBeside& found)
{
    LateSubtitles::Plan plan;
    if (!found.complete) {
        // More may lie beside the video than was seen: the engine's own
        // search, on its own thread, finds them.
        qWarning("zelk-player: the folder is too large to look for subtitle files in; the engine looks itself");
        return plan;
    }
    const bool holdsUp = std::any_of(found.files.begin(), found.files.end(),
                                     [](const QString& file) { return QFileInfo(file).size() > largeSubtitleBytes; });
    if (!holdsUp)
        return plan;
    plan.engineOption = QStringLiteral("sub-auto=no");
    for (const QString& file : found.files)
        (QFileInfo(file).size() > refusedSubtitleBytes ? plan.refused : plan.late) << file;
    return plan;
}

} // namespace

LateSubtitles::LateSubtitles(EngineRequests& requests, QObject* parent)
    : QObject(parent)
    , requests_(requests)
{
}

LateSubtitles::~LateSubtitles() = default;

void LateSubtitles::plan(const QString& video, std::function<void(const Plan&)> ready)
{
    // A folder on a hung mount keeps only the search's own thread.
    search_.run([video] { return planFor(subtitleFilesBeside(video, subtitleSearchMaxEntries, subtitleSearchMaxMilliseconds)); },
                std::move(ready));
}

void LateSubtitles::add(const QStringList& files, bool select)
{
    // Not in order with the other requests: reading may take seconds, and
    // pausing or seeking meanwhile must not wait for it.
    for (const QString& file : files) {
        requests_.commandUnordered({QStringLiteral("sub-add"), file, select ? QStringLiteral("select")
                                                                            : QStringLiteral("auto")},
                                   [file](int status) {
                                       if (status < 0)
                                           qWarning("zelk-player: the subtitle file %s could not be read",
                                                    qUtf8Printable(file));
                                   });
    }
}

} // namespace ZelkShell

namespace ZelkShell {

void LateSubtitles::refuse(const QStringList& files)
{
    constexpr qint64 megabyte = 1024 * 1024;
    for (const QString& file : files)
        emit subtitleRefused(file, tr("it is %1 MB; above %2 MB the picture would stand still while it is read")
                                       .arg(QFileInfo(file).size() / megabyte)
                                       .arg(refusedSubtitleBytes / megabyte));
}

} // namespace ZelkShell
