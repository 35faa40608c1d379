#include "WindowStalls.h"
#include "WaitUntil.h"

#include "host/shell/engine/EngineSettings.h"
#include "host/shell/engine/EngineSettingsApplier.h"
#include "host/shell/engine/PlaybackEngine.h"
#include "host/shell/plugins/PluginHost.h"
#include "host/shell/window/PlayerWindow.h"
#include "settings/SettingKey.h"
#include "tests/shell/StallMeter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <functional>

namespace zelkbench {

namespace {

constexpr int codePageWatchMs = 8000;

// About 40 MB of cues, one every tenth of a second.
bool writeLargeSubtitle(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray block;
    for (int cue = 0; cue < 400000; ++cue) {
        const qint64 ms = cue * qint64(100);
        block += QStringLiteral("%1\n%2:%3:%4,%5 --> %2:%3:%4,%6\nA long line of subtitle text, number %1 of many\n\n")
                     .arg(cue + 1)
                     .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
                     .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
                     .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
                     .arg(ms % 1000, 3, 10, QLatin1Char('0'))
                     .arg(ms % 1000 + 90, 3, 10, QLatin1Char('0'))
                     .toUtf8();
        if (block.size() > (1 << 20)) {
            if (file.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    return file.write(block) == block.size();
}

} // namespace

WindowStalls measureWindowStalls(const QString& clip, const QString& workFolder, int neighbours, QString* error)
{
    WindowStalls stalls;
    const QDir crowd(QDir(workFolder).filePath(QStringLiteral("crowd")));
    const QDir large(QDir(workFolder).filePath(QStringLiteral("large")));
    if (!crowd.mkpath(QStringLiteral(".")) || !large.mkpath(QStringLiteral("."))) {
        *error = QStringLiteral("cannot make the folders");
        return stalls;
    }
    for (int i = 0; i < neighbours; ++i) {
        QFile neighbour(crowd.filePath(QStringLiteral("other %1.txt").arg(i)));
        if (!neighbour.open(QIODevice::WriteOnly)) {
            *error = QStringLiteral("cannot make the neighbouring files");
            return stalls;
        }
    }
    const QString crowded = crowd.filePath(QStringLiteral("film.mkv"));
    const QString beside = large.filePath(QStringLiteral("film.mkv"));
    if (!QFile::copy(clip, crowded) || !QFile::copy(clip, beside)
        || !writeLargeSubtitle(large.filePath(QStringLiteral("film.srt")))) {
        *error = QStringLiteral("cannot make the media");
        return stalls;
    }

    ZelkShell::PluginHost plugins;
    ZelkShell::PlayerWindow player(plugins);
    player.show();
    ZelkShell::PlaybackEngine& engine = player.engine();
    {
        zelktest::StallMeter meter;
        player.playFiles({crowded});
        if (!waitUntil([&] { return engine.hasFile() && engine.currentFile() == crowded; }, 20000)) {
            *error = QStringLiteral("the video among the files did not open");
            return stalls;
        }
        stalls.openAmongFiles = double(meter.longestMs());
    }
    player.playFiles({beside}, 0.5, true);
    if (!waitUntil([&] { return engine.hasFile() && engine.subtitleCodec() == QLatin1String("subrip"); }, 60000)) {
        *error = QStringLiteral("the large subtitle was not read");
        return stalls;
    }
    ZelkShell::StoredSettings settings = ZelkShell::StoredSettings::read();
    settings.set(SettingKeys::Subtitles::SubtitleCodePage, QStringLiteral("windows-1251"));
    zelktest::StallMeter meter;
    player.engineSettings().apply(settings);
    // At least as long as the engine takes to read the file again (2–4 s
    // here, idle), and until its track is back.
    QElapsedTimer watch;
    watch.start();
    if (!waitUntil([&] { return watch.elapsed() > codePageWatchMs && engine.subtitleCodec() == QLatin1String("subrip"); },
                   60000))
        *error = QStringLiteral("the subtitle was not read again (%1)").arg(engine.subtitleCodec());
    stalls.codePageChange = double(meter.longestMs());
    return stalls;
}

} // namespace zelkbench
