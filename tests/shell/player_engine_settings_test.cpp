// Settings whose effect depends on the file playing, end to end on media the
// test makes: language preferences against tracks tagged in three-letter
// codes, "None" subtitles with dual subtitles allowed, the "MIME" code page,
// post-processing by the video track's codec (and every custom level still
// plays), and a video filter the engine cannot use left out while the video
// plays on.

#include "IsolatedEnvironment.h"
#include "PlaybackTestMedia.h"
#include "ShellTestSupport.h"

#include "host/shell/window/PlayerWindow.h"
#include "host/shell/video/VideoView.h"
#include "host/shell/engine/PlaybackEngine.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

using namespace zelktest;
using ZelkShell::PlaybackEngine;
using ZelkShell::PlayerWindow;
using ZelkShell::PluginHost;

namespace {

// The warnings logged since the last call of logWarnings().
QStringList& loggedWarnings()
{
    static QStringList lines;
    return lines;
}
void logWarnings()
{
    loggedWarnings().clear();
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtWarningMsg)
            loggedWarnings() << message;
        std::fprintf(stderr, "%s\n", qPrintable(message));
    });
}
int warningsWith(const char* text)
{
    return int(loggedWarnings().filter(QLatin1String(text)).size());
}

bool openPaused(PlayerWindow& player, const QString& file, double seconds)
{
    QSignalSpy loaded(&player.engine(), &PlaybackEngine::fileLoaded);
    QSignalSpy restarted(&player.engine(), &PlaybackEngine::playbackRestarted);
    player.playFiles({file}, seconds, true);
    return loaded.wait(10000) && (restarted.count() > 0 || restarted.wait(10000));
}

// Whether frames of the video keep arriving in the view.
bool videoPlays(const ZelkShell::VideoView& view)
{
    const quint64 frames = view.framesRendered();
    return waitForFrameAfter(view, frames) && waitForFrameAfter(view, frames + 1) && view.showsVideo();
}

} // namespace

class PlayerEngineSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { clearStore(); }

    void initTestCase()
    {
        QVERIFY(media_.isValid());
        const QDir folder(media_.path());
        QVERIFY(writeBytes(folder.filePath(QStringLiteral("english.srt")),
                           "1\n00:00:00,000 --> 00:00:05,000\nEnglish line\n"));
        QVERIFY(writeBytes(folder.filePath(QStringLiteral("german.srt")),
                           "1\n00:00:00,000 --> 00:00:05,000\nDeutsche Zeile\n"));
        // As a release is muxed: English first and marked default, every
        // track tagged with an ISO 639-2 code (both of its forms in use).
        const auto words = [](const char* text) { return QString::fromLatin1(text).split(QLatin1Char(' ')); };
        languages_ = folder.filePath(QStringLiteral("languages.mkv"));
        QVERIFY(runFfmpeg(words("-f lavfi -i color=c=0x808080:s=320x240:r=25:d=5 -f lavfi -i sine=f=440:d=5 "
                                "-f lavfi -i sine=f=880:d=5 -i")
                          + QStringList{folder.filePath(QStringLiteral("english.srt")), QStringLiteral("-i"),
                                        folder.filePath(QStringLiteral("german.srt"))}
                          + words("-map 0 -map 1 -map 2 -map 3 -map 4 -c:v mpeg4 -c:a aac -c:s srt "
                                  "-metadata:s:a:0 language=eng -metadata:s:a:1 language=fra "
                                  "-metadata:s:s:0 language=eng -metadata:s:s:1 language=ger")
                          + QStringList{languages_}));
        // One file, two video tracks: MPEG-4 Part 2 first, then H.264.
        twoCodecs_ = folder.filePath(QStringLiteral("two-codecs.mkv"));
        QVERIFY(runFfmpeg(words("-f lavfi -i testsrc2=s=320x240:r=25:d=6 -map 0 -map 0 -c:v:0 mpeg4 "
                                "-c:v:1 libx264 -pix_fmt yuv420p")
                          + QStringList{twoCodecs_}));
        h264_ = folder.filePath(QStringLiteral("h264.mkv"));
        QVERIFY(runFfmpeg(QStringList{QStringLiteral("-i"), twoCodecs_} + words("-map 0:v:1 -c copy")
                          + QStringList{h264_}));
        // White above, black below: the upper half shows whether a vertical
        // flip reached the picture.
        halves_ = folder.filePath(QStringLiteral("halves.mkv"));
        QVERIFY(runFfmpeg(words("-f lavfi -i color=c=black:s=320x240:r=25:d=6,"
                                "drawbox=x=0:y=0:w=320:h=120:color=white:t=fill -c:v libx264 -pix_fmt yuv420p")
                          + QStringList{halves_}));
    }

    // Two-letter codes stored by the window pick tracks tagged "fra" and
    // "ger"; "None" shows no subtitle although dual subtitles are allowed.
    // The code page "MIME" is passed on as the automatic one.
    void preferredLanguagesPickTracksTaggedInThreeLetterCodes()
    {
        // "MIME" from the code-page list means the automatic choice.
        QVERIFY(storeString("Subtitles", "SubtitleCodePage", QStringLiteral("MIME")));
        logWarnings();
        PluginHost plugins;
        PlayerWindow player(plugins);
        PlaybackEngine& engine = player.engine();
        QCOMPARE(engine.propertyString("sub-codepage"), QStringLiteral("auto"));
        QCOMPARE(warningsWith("code page"), 0);
        struct Case {
            const char* audio;
            const char* subtitle;
            const char* audioTrackLanguage;
            const char* subtitleText;
        };
        for (const Case& wanted : {Case{"fr", "de", "fra", "Deutsche Zeile"}, Case{"en", "en", "eng", "English line"},
                                   Case{"de", "fr", "eng", "English line"}}) {
            QVERIFY(storeString("Languages", "AudioLanguage", QLatin1String(wanted.audio)));
            QVERIFY(storeString("Languages", "SubtitleLanguage", QLatin1String(wanted.subtitle)));
            player.reloadSettings();
            QVERIFY(openPaused(player, languages_, 1.0));
            QCOMPARE(engine.propertyString("current-tracks/audio/lang"), QLatin1String(wanted.audioTrackLanguage));
            QTRY_COMPARE(engine.propertyString("sub-text"), QLatin1String(wanted.subtitleText));
        }

        // "None", with "Disable dual subtitles" unticked.
        QVERIFY(storeString("Languages", "SubtitleLanguage", QString()));
        QVERIFY(storeBool("Subtitles", "DisableDualSubtitles", false));
        player.reloadSettings();
        QVERIFY(openPaused(player, languages_, 1.0));
        QCOMPARE(engine.propertyString("sid"), QStringLiteral("no"));
        QCOMPARE(engine.propertyString("secondary-sid"), QStringLiteral("no"));
        QCOMPARE(engine.propertyString("sub-text"), QString());
        QCOMPARE(engine.propertyString("secondary-sub-text"), QString());
        // A second track the user picks is still allowed, and stays.
        QVERIFY(engine.setProperty("secondary-sid", QStringLiteral("2")));
        player.reloadSettings();
        QCOMPARE(engine.propertyString("secondary-sid"), QStringLiteral("2"));
        // The new track's line is read from the file again by a seek.
        QSignalSpy restarted(&engine, &PlaybackEngine::playbackRestarted);
        engine.seek(1.5);
        QVERIFY(restarted.wait(5000));
        QTRY_COMPARE(engine.propertyString("secondary-sub-text"), QStringLiteral("Deutsche Zeile"));
        QCOMPARE(engine.propertyString("sub-text"), QString());
    }

    // "Automatic" deblocks MPEG-4 Part 2, not H.264, and follows a change of
    // video track; every custom level plays with its filter.
    void postProcessingFollowsTheVideoCodec()
    {
        PluginHost plugins;
        PlayerWindow player(plugins);
        player.show();
        PlaybackEngine& engine = player.engine();
        ZelkShell::VideoView* view = player.videoView();
        QVERIFY(view);
        const auto deblocks = [&engine] { return engine.propertyString("vf").contains(QLatin1String("pp=")); };

        QVERIFY(openPaused(player, h264_, 1.0));
        QCOMPARE(engine.videoCodec(), QStringLiteral("h264"));
        QVERIFY2(!deblocks(), qPrintable(engine.propertyString("vf")));

        QVERIFY(openPaused(player, twoCodecs_, 1.0));
        QTRY_COMPARE(engine.videoCodec(), QStringLiteral("mpeg4"));
        QTRY_VERIFY2(deblocks(), qPrintable(engine.propertyString("vf")));
        QVERIFY(engine.setProperty("vid", QStringLiteral("2")));
        QTRY_COMPARE(engine.videoCodec(), QStringLiteral("h264"));
        QTRY_VERIFY2(!deblocks(), qPrintable(engine.propertyString("vf")));
        QVERIFY(engine.setProperty("vid", QStringLiteral("1")));
        QTRY_VERIFY2(deblocks(), qPrintable(engine.propertyString("vf")));
        engine.setPaused(false);
        QVERIFY(videoPlays(*view));

        // Levels 1 to 3 carry the option separator of the filter's own
        // syntax; each must still play, with the filter in place.
        QVERIFY(storeString("Codec", "PostProcessingMode", QStringLiteral("custom")));
        for (const int level : {1, 2, 3, 4}) {
            QVERIFY(storeInt("Codec", "DeblockingLevel", level));
            player.reloadSettings();
            QVERIFY2(openPaused(player, twoCodecs_, 0.5), qPrintable(QString::number(level)));
            QVERIFY2(deblocks(), qPrintable(engine.propertyString("vf")));
            engine.setPaused(false);
            QVERIFY2(videoPlays(*view), qPrintable(QString::number(level)));
        }
    }

    // A filter the engine cannot create (unknown), and one that fails on the
    // first frame (a crop larger than the picture), are each left out with
    // one log line; the video plays with the filter that works.
    void aFilterTheEngineRejectsIsLeftOutAndTheVideoPlays()
    {
        // The settings add no filter of their own.
        QVERIFY(storeString("Codec", "PostProcessingMode", QStringLiteral("off")));
        QVERIFY(storeString("Video", "DeinterlacingMethod", QStringLiteral("none")));
        PluginHost plugins;
        PlayerWindow player(plugins);
        player.show();
        PlaybackEngine& engine = player.engine();
        ZelkShell::VideoView* view = player.videoView();
        QVERIFY(view);
        logWarnings();

        const QStringList accepted = engine.setVideoFilters({QStringLiteral("@unknown:lavfi=[nosuchfilter]"),
                                                             QStringLiteral("@toolarge:lavfi=[crop=w=4000:h=4000]"),
                                                             QStringLiteral("@flip:lavfi=[vflip]")});
        QCOMPARE(accepted, (QStringList{QStringLiteral("@toolarge:lavfi=[crop=w=4000:h=4000]"),
                                        QStringLiteral("@flip:lavfi=[vflip]")}));
        QCOMPARE(warningsWith("video filter left out"), 1);
        QCOMPARE(warningsWith("nosuchfilter"), 1);

        QVERIFY(openPaused(player, halves_, 1.0));
        engine.setPaused(false);
        QVERIFY(videoPlays(*view));
        QVERIFY(!view->lastFrame().isNull());
        // Flipped: the upper half is the black one.
        QTRY_VERIFY2(meanLuma(view->lastFrame()) < 60, qPrintable(QString::number(meanLuma(view->lastFrame()))));
        QTRY_COMPARE(warningsWith("toolarge"), 1);
        QCOMPARE(warningsWith("video filter left out"), 2);
    }

private:
    QTemporaryDir media_;
    QString languages_;
    QString twoCodecs_;
    QString h264_;
    QString halves_;
};

QTEST_MAIN(PlayerEngineSettingsTest)
#include "player_engine_settings_test.moc"
