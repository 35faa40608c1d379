#include "host/shell/engine/SubtitleFilesBeside.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace ZelkShell {

namespace {

// Text subtitle formats the engine reads; image-based ones come in pairs
// (idx/sub) and are small.
const QStringList subtitleExtensions{
    QStringLiteral("srt"), QStringLiteral("ass"), QStringLiteral("ssa"), QStringLiteral("sub"),
    QStringLiteral("smi"), QStringLiteral("vtt"), QStringLiteral("txt"), QStringLiteral("utf"),
    QStringLiteral("utf8"), QStringLiteral("utf-8"), QStringLiteral("rt"), QStringLiteral("aqt"),
    QStringLiteral("jss"), QStringLiteral("mpl"), QStringLiteral("pjs")};

// A few megabytes of text parse in well under a second; beyond this the
// engine's reading is felt as a late start.
constexpr qint64 largeSubtitleBytes = 8 * 1024 * 1024;

} // namespace

QStringList subtitleFilesBeside(const QString& video)
{
    const QFileInfo info(video);
    const QString base = info.completeBaseName() + QLatin1Char('.');
    QStringList found;
    // No name filter: a video's name may hold the filter's wildcards.
    const QFileInfoList candidates = info.dir().entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& candidate : candidates) {
        const QString name = candidate.fileName();
        if (!name.startsWith(base) || candidate == info)
            continue;
        const QString rest = name.mid(base.size());
        const QStringList parts = rest.split(QLatin1Char('.'));
        // "srt", or "en.srt": one language part at most.
        if (parts.size() > 2 || !subtitleExtensions.contains(parts.last(), Qt::CaseInsensitive))
            continue;
        found << candidate.absoluteFilePath();
    }
    return found;
}

bool holdsUpTheVideo(const QStringList& files)
{
    return std::any_of(files.begin(), files.end(),
                       [](const QString& file) { return QFileInfo(file).size() > largeSubtitleBytes; });
}

} // namespace ZelkShell
