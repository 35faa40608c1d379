#include "host/shell/engine/SubtitleFilesBeside.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>

namespace ZelkShell {

namespace {

// Text subtitle formats the engine reads; image-based ones come in pairs
// (idx/sub) and are small.
const QStringList subtitleExtensions{
    QStringLiteral("srt"), QStringLiteral("ass"), QStringLiteral("ssa"), QStringLiteral("sub"),
    QStringLiteral("smi"), QStringLiteral("vtt"), QStringLiteral("txt"), QStringLiteral("utf"),
    QStringLiteral("utf8"), QStringLiteral("utf-8"), QStringLiteral("rt"), QStringLiteral("aqt"),
    QStringLiteral("jss"), QStringLiteral("mpl"), QStringLiteral("pjs")};

bool namesSubtitleOf(const QString& name, const QString& base)
{
    if (!name.startsWith(base))
        return false;
    const QStringList parts = name.mid(base.size()).split(QLatin1Char('.'));
    // "srt", or "en.srt": one language part at most.
    return parts.size() <= 2 && subtitleExtensions.contains(parts.last(), Qt::CaseInsensitive);
}

} // namespace

SubtitlesBeside subtitleFilesBeside(const QString& video, int maxEntries, int maxMilliseconds)
{
    QElapsedTimer clock;
    clock.start();
    const QFileInfo info(video);
    const QString base = info.completeBaseName() + QLatin1Char('.');
    SubtitlesBeside found;
    // Names only, as the folder lists them: no file is looked at (a stat()
    // each) unless its name matches, and no wildcard filter, since a
    // video's name may hold the filter's wildcards.
    QDirIterator names(info.absolutePath(), QDir::Files | QDir::Hidden | QDir::System);
    int read = 0;
    while (names.hasNext()) {
        if (++read > maxEntries || clock.elapsed() > maxMilliseconds) {
            found.complete = false;
            break;
        }
        const QString path = names.next();
        const QString name = names.fileName();
        if (name == info.fileName() || !namesSubtitleOf(name, base))
            continue;
        const QFileInfo candidate(path);
        if (candidate.isFile() && candidate.isReadable())
            found.files << candidate.absoluteFilePath();
    }
    found.files.sort();
    return found;
}

} // namespace ZelkShell
