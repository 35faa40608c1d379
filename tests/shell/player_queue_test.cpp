// The player's queue at its edges, offscreen, on media the test makes: a
// file that fails (or a folder) is reported under its own name and the
// queue goes on; a local playlist plays its local entries and never reaches
// the network; a start without a sound device is quiet; a large subtitle
// does not hold the window up.

#include "IsolatedEnvironment.h"
#include "LogCounter.h"
#include "PlaybackTestMedia.h"
#include "ShellTestSupport.h"
#include "StallMeter.h"

#include "host/shell/window/PlayerWindow.h"
#include "host/shell/video/VideoView.h"
#include "host/shell/engine/PlaybackEngine.h"
#include "host/shell/engine/SubtitleFilesBeside.h"

#include <QAction>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QStatusBar>
#include <QTcpServer>
#include <QTextCodec>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cstdio>

using namespace zelktest;
using ZelkShell::PlaybackEngine;
using ZelkShell::PlayerWindow;
using ZelkShell::PluginHost;

namespace {

QStringList namesOf(const QSignalSpy& spy)
{
    QStringList names;
    for (const QList<QVariant>& call : spy)
        names << QFileInfo(call.at(0).toString()).fileName();
    return names;
}

// Writes `count` cues, one every tenth of a second, each `text` with its
// number for %1, encoded by `codec` (UTF-8 without one).
bool writeCues(const QString& path, int count, const char* text, QTextCodec* codec = nullptr)
{
    QFile subtitle(path);
    if (!subtitle.open(QIODevice::WriteOnly))
        return false;
    const QStringList halves = QString::fromUtf8(text).split(QStringLiteral("%1"));
    const auto encoded = [codec](const QString& part) { return codec ? codec->fromUnicode(part) : part.toUtf8(); };
    const QByteArray before = encoded(halves.value(0));
    const QByteArray after = encoded(halves.value(1)) + "\n\n";
    QByteArray block;
    char times[64];
    for (int cue = 0; cue < count; ++cue) {
        // Past a day too: hours simply go on counting.
        const qint64 ms = cue * qint64(100);
        std::snprintf(times, sizeof times, "%02lld:%02lld:%02lld,%03lld --> %02lld:%02lld:%02lld,%03lld\n",
                      ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000, ms / 3600000, ms / 60000 % 60,
                      ms / 1000 % 60, ms % 1000 + 90);
        const QByteArray number = QByteArray::number(cue + 1);
        block += number;
        block += '\n';
        block += times;
        block += before + number + after;
        if (block.size() > (1 << 20)) {
            if (subtitle.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    return subtitle.write(block) == block.size();
}

} // namespace

class PlayerQueueTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(media_.isValid());
        const QDir folder(media_.path());
        first_ = makeClip(folder, QStringLiteral("first.mkv"));
        last_ = makeClip(folder, QStringLiteral("last.mkv"));
        QVERIFY(!first_.isEmpty() && !last_.isEmpty());
        broken_ = folder.absoluteFilePath(QStringLiteral("broken.mkv"));
        QVERIFY(writeBytes(broken_, QByteArray(64 * 1024, 'x')));
        QVERIFY(folder.mkpath(QStringLiteral("season.mkv")));
        QVERIFY(QFile::copy(first_, folder.absoluteFilePath(QStringLiteral("season.mkv/episode.mkv"))));
    }

    // good, broken, a folder, good: each failure is reported once under its
    // own name with its reason, and the last file plays.
    void aFailedFileDoesNotStopTheQueue()
    {
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        PlayerWindow player(plugins);
        QSignalSpy loaded(&player.engine(), &PlaybackEngine::fileLoaded);
        QSignalSpy failed(&player.engine(), &PlaybackEngine::openFailed);
        // With a trailing slash, as a shell completes a folder's name.
        const QString folder = media_.filePath(QStringLiteral("season.mkv/"));
        player.playFiles({first_, broken_, folder, last_});
        QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 2, 20000);
        QCOMPARE(namesOf(loaded), (QStringList{QStringLiteral("first.mkv"), QStringLiteral("last.mkv")}));
        QCOMPARE(player.engine().currentFile(), last_);
        QCOMPARE(namesOf(failed), QStringList{QStringLiteral("broken.mkv")});
        QVERIFY(!failed.first().at(1).toString().isEmpty());
        // The folder never reached the engine; the window says why.
        QVERIFY(player.queuedFiles().isEmpty());
        QVERIFY(player.windowTitle().startsWith(QLatin1String("last.mkv")));
        QVERIFY2(player.statusBar()->currentMessage().contains(QLatin1String("season.mkv")),
                 qPrintable(player.statusBar()->currentMessage()));
        QVERIFY(player.statusBar()->currentMessage().contains(QLatin1String("folder")));
    }

    // A broken file followed by a good one while the engine's report of
    // the failure still waits in the queue: the late report is logged under
    // the broken file's name, never against the good one, which plays.
    void aLateErrorIsNotReportedAgainstTheNextFile()
    {
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        PlayerWindow player(plugins);
        QSignalSpy loaded(&player.engine(), &PlaybackEngine::fileLoaded);
        QSignalSpy failed(&player.engine(), &PlaybackEngine::openFailed);
        LogCounter lateReports("/broken.mkv\" could not be played");
        player.playFiles({broken_});
        // Checked straight from the engine between turns of the event loop:
        // it has moved past the broken file while its report is not handled
        // yet, so the good file is asked for before the report arrives (from
        // the engine at once: the window would first look at the file on a
        // thread of its own, and the report would arrive meanwhile).
        QVERIFY(QTest::qWaitFor(
            [&] {
                return failed.isEmpty() && player.engine().propertyString("playlist-pos") == QLatin1String("-1")
                       && player.engine().propertyString("playlist/0/filename") == broken_;
            },
            10000));
        QVERIFY(player.engine().open(last_));
        QVERIFY(loaded.wait(10000));
        QCOMPARE(player.engine().currentFile(), last_);
        QVERIFY(player.engine().hasFile());
        // The engine reports in order: the broken file's end came before the
        // good file loaded.
        QCOMPARE(lateReports.count.load(), 1);
        QVERIFY2(!namesOf(failed).contains(QStringLiteral("last.mkv")), qPrintable(namesOf(failed).join(' ')));
        QVERIFY(player.windowTitle().startsWith(QLatin1String("last.mkv")));
    }

    // A ".mkv" that is really a playlist naming a URL on a server of the
    // test's own, then a local clip: the server never hears from the
    // player, the URL is refused with a message, the local clip plays under
    // its own name.
    void aLocalPlaylistNeverReachesTheNetwork()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QSignalSpy connections(&server, &QTcpServer::newConnection);
        const QString list = media_.filePath(QStringLiteral("list.mkv"));
        QVERIFY(writeBytes(list, QStringLiteral("#EXTM3U\nhttp://127.0.0.1:%1/film.mkv\n%2\n")
                                     .arg(server.serverPort())
                                     .arg(last_)
                                     .toUtf8()));

        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        PlayerWindow player(plugins);
        QSignalSpy loaded(&player.engine(), &PlaybackEngine::fileLoaded);
        QSignalSpy failed(&player.engine(), &PlaybackEngine::openFailed);
        player.playFiles({list});
        QVERIFY(loaded.wait(10000));
        QCOMPARE(loaded.first().at(0).toString(), last_);
        QCOMPARE(failed.count(), 1);
        QVERIFY(failed.first().at(0).toString().startsWith(QLatin1String("http://127.0.0.1")));
        QVERIFY2(failed.first().at(1).toString().contains(QLatin1String("network")),
                 qPrintable(failed.first().at(1).toString()));
        // The engine moved past the URL before the clip loaded, so a
        // connection it made would already wait to be accepted.
        QVERIFY(!server.waitForNewConnection(0));
        QCOMPARE(connections.count(), 0);
        QVERIFY(!server.hasPendingConnections());
    }

    // Ctrl+P opens the preferences whatever the desktop's own key is.
    void ctrlPIsAPreferencesKey()
    {
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        PlayerWindow player(plugins);
        const QList<QKeySequence> keys = player.preferencesAction()->shortcuts();
        QVERIFY(keys.contains(QKeySequence(Qt::CTRL | Qt::Key_P)));
        for (const QKeySequence& platformKey : QKeySequence::keyBindings(QKeySequence::Preferences))
            QVERIFY(keys.contains(platformKey));
    }

    // The player started on a clip with sound, as a user would: where the
    // machine has no sound device, no sound library complains on the
    // terminal, and the first frame arrives.
    void startWithoutSoundIsQuiet()
    {
        QProcess player;
        QStringList arguments{QStringLiteral("--quit-on-first-frame")};
        for (const QString& folder : playerPluginFolders())
            arguments << QStringLiteral("--plugins") << folder;
        player.start(zelktest::testPlayerPath(), arguments << first_);
        QVERIFY(player.waitForFinished(30000));
        QCOMPARE(player.exitCode(), 0);
        QVERIFY(player.readAllStandardOutput().startsWith("first-frame"));
        const QString errors = QString::fromUtf8(player.readAllStandardError());
        for (const char* library : {"ALSA", "PipeWire", "pipewire", "pulse"})
            QVERIFY2(!errors.contains(QLatin1String(library)), qPrintable(errors));
    }

    // A large subtitle beside the video (under the bound above which it is
    // refused) is read after the video opens, and shows. The times and the
    // longest stall of the window are reported for the benchmark's reader,
    // not asserted: they depend on the machine.
    void aLargeSubtitleBesideTheVideoIsReadAndShown()
    {
        const QString video = media_.filePath(QStringLiteral("long.mkv"));
        QVERIFY(QFile::copy(first_, video));
        // About 40 MB of cues.
        QVERIFY(writeCues(media_.filePath(QStringLiteral("long.srt")), 400000,
                          "A long line of subtitle text, number %1 of many"));

        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        PlayerWindow player(plugins);
        QSignalSpy loaded(&player.engine(), &PlaybackEngine::fileLoaded);
        StallMeter meter;
        QElapsedTimer clock;
        clock.start();
        player.playFiles({video});
        QVERIFY(loaded.wait(60000));
        const qint64 loadedAfter = clock.elapsed();
        // The subtitle is read all the same, and shows.
        QTRY_VERIFY_WITH_TIMEOUT(player.engine().subtitleCodec() == QLatin1String("subrip"), 60000);
        const qint64 subtitleAfter = clock.elapsed();
        QTRY_VERIFY_WITH_TIMEOUT(player.engine().propertyString("sub-text").startsWith(QLatin1String("A long line")),
                                 10000);
        qInfo("large subtitle: video loaded after %lld ms, subtitle track after %lld ms; longest GUI-thread stall "
              "%lld ms",
              loadedAfter, subtitleAfter, meter.longestMs());
    }

    // The subtitle files beside a video are found among thousands of other
    // files; a folder beyond the bounds of the look is reported incomplete
    // (and left to the engine's own search).
    void subtitleFilesBesideAreFoundWithinBounds()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        for (int i = 0; i < 3000; ++i)
            QVERIFY(writeBytes(folder.filePath(QStringLiteral("other %1.srt").arg(i)), QByteArray()));
        for (const char* name : {"film [1].mkv", "film [1].srt", "film [1].en.srt", "film [1].en.forced.srt",
                                 "film [1].txt.bak"})
            QVERIFY(writeBytes(folder.filePath(QLatin1String(name)), "1\n"));
        const QString video = folder.filePath(QStringLiteral("film [1].mkv"));
        const ZelkShell::SubtitlesBeside found = ZelkShell::subtitleFilesBeside(video, 100000, 10000);
        QVERIFY(found.complete);
        QCOMPARE(found.files, (QStringList{folder.filePath(QStringLiteral("film [1].en.srt")),
                                           folder.filePath(QStringLiteral("film [1].srt"))}));
        QVERIFY(!ZelkShell::subtitleFilesBeside(video, 1000, 10000).complete);
    }

    // A new code page re-reads a 40 MB subtitle file without the window
    // waiting for the engine: the text turns readable, and the longest
    // stall of the GUI thread meanwhile is reported (not asserted).
    void aCodePageChangeRereadsALargeSubtitleInTheBackground()
    {
        const QString video = media_.filePath(QStringLiteral("cyrillic.mkv"));
        QVERIFY(QFile::copy(first_, video));
        QTextCodec* windows1251 = QTextCodec::codecForName("windows-1251");
        QVERIFY(windows1251);
        const QString line = QStringLiteral("Длинная строка субтитров");
        QVERIFY(writeCues(media_.filePath(QStringLiteral("cyrillic.srt")), 400000, "Длинная строка субтитров %1",
                          windows1251));
        QVERIFY(storeString("Subtitles", "SubtitleCodePage", QStringLiteral("KOI8-R")));
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        PlayerWindow player(plugins);
        QSignalSpy loaded(&player.engine(), &PlaybackEngine::fileLoaded);
        player.playFiles({video}, 0.5, true);
        QVERIFY(loaded.wait(60000));
        QTRY_VERIFY_WITH_TIMEOUT(player.engine().subtitleCodec() == QLatin1String("subrip"), 60000);
        QTRY_VERIFY(!player.engine().propertyString("sub-text").isEmpty());
        QVERIFY(!player.engine().propertyString("sub-text").startsWith(line));

        QSignalSpy tracks(&player.engine(), &PlaybackEngine::trackListChanged);
        QVERIFY(storeString("Subtitles", "SubtitleCodePage", QStringLiteral("windows-1251")));
        StallMeter meter;
        player.reloadSettings();
        // The re-read track comes back (no read of the engine meanwhile: a
        // read would wait for it, and count as a stall).
        QTRY_VERIFY_WITH_TIMEOUT(tracks.count() >= 2, 60000);
        qInfo("code page change with a 40 MB subtitle: longest GUI-thread stall %lld ms", meter.longestMs());
        QTRY_VERIFY_WITH_TIMEOUT(player.engine().propertyString("sub-text").startsWith(line), 10000);
    }

    // A subtitle file too large to read without stopping the picture
    // (200 MB, 1.6 million cues) is not read: the window says so and offers
    // to read it anyway, and the video plays on.
    void aSubtitleTooLargeToReadIsRefusedAndTheVideoPlaysOn()
    {
        const QString video = makeClip(QDir(media_.path()), QStringLiteral("huge.mkv"), 8.0);
        QVERIFY(!video.isEmpty());
        const QString huge = media_.filePath(QStringLiteral("huge.srt"));
        QVERIFY(writeCues(huge, 1600000, "A line of a subtitle file far too long for the engine to read at once: cue %1 of very many"));
        QVERIFY(QFileInfo(huge).size() > 200 * 1000 * 1000);
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        PlayerWindow player(plugins);
        auto* readAnyway = player.findChild<QAction*>(QStringLiteral("readRefusedSubtitleAction"));
        QVERIFY(readAnyway && !readAnyway->isEnabled());
        QSignalSpy refused(&player.engine(), &PlaybackEngine::subtitleRefused);
        QSignalSpy loaded(&player.engine(), &PlaybackEngine::fileLoaded);
        player.playFiles({video});
        QVERIFY(loaded.wait(20000));
        QTRY_COMPARE(refused.count(), 1);
        QCOMPARE(refused.first().at(0).toString(), huge);
        QVERIFY(readAnyway->isEnabled());
        QVERIFY2(player.statusBar()->currentMessage().contains(QLatin1String("huge.srt")),
                 qPrintable(player.statusBar()->currentMessage()));
        // The clock runs: each second of waiting is a second further on.
        for (int second = 1; second <= 3; ++second)
            QTRY_VERIFY_WITH_TIMEOUT(player.engine().position() >= second, 3000);
        QVERIFY(player.engine().subtitleCodec().isEmpty());
    }

private:
    QTemporaryDir media_;
    QString first_;
    QString last_;
    QString broken_;
};

QTEST_MAIN(PlayerQueueTest)
#include "player_queue_test.moc"
