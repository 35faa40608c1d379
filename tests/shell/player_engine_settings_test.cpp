// Settings whose effect depends on the file playing, end to end on media the
// test makes: language preferences against tracks tagged in three-letter
// codes, "None" subtitles with dual subtitles allowed, the "MIME" code page,
// post-processing by the video track's codec (and every custom level still
// plays), every deblocking mode smoothing the block edges of blocky clips,
// and a video filter the engine cannot use left out while the video plays
// on.

#include "IsolatedEnvironment.h"
#include "PlaybackTestMedia.h"
#include "ShellTestSupport.h"

#include "host/shell/window/PlayerWindow.h"
#include "host/shell/video/VideoView.h"
#include "host/shell/engine/EngineSettingsApplier.h"
#include "host/shell/engine/PlaybackEngine.h"
#include "host/shell/engine/SoftwareFrameRenderer.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstdio>

using namespace zelktest;
using ZelkShell::EngineSettingsApplier;
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


// The mean luma step between neighbouring pixels, across the 8-pixel block
// boundaries (first) and inside the blocks (second), both directions.
std::pair<double, double> lumaSteps(const QImage& frame)
{
    const QImage grey = frame.convertToFormat(QImage::Format_Grayscale8);
    double across = 0, inside = 0;
    qint64 acrossCount = 0, insideCount = 0;
    const auto add = [&](int step, bool boundary) {
        (boundary ? across : inside) += std::abs(step);
        ++(boundary ? acrossCount : insideCount);
    };
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        const uchar* above = y > 0 ? grey.constScanLine(y - 1) : nullptr;
        for (int x = 0; x < grey.width(); ++x) {
            if (x > 0)
                add(row[x] - row[x - 1], x % 8 == 0);
            if (above)
                add(row[x] - above[x], y % 8 == 0);
        }
    }
    return {across / std::max<qint64>(acrossCount, 1), inside / std::max<qint64>(insideCount, 1)};
}

// The frame at one second of `video`, with the stored settings applied to
// `engine` already playing it: the settings go out, the decoder restarts
// when they say so, and the frame is decoded afresh.
QImage frameAtOneSecond(PlaybackEngine& engine, EngineSettingsApplier& settings)
{
    settings.apply();
    // A restart of the decoder shows a frame of its own: the second seek's
    // frame comes after everything it did.
    for (int seek = 0; seek < 2; ++seek) {
        engine.propertyString("vf"); // waits for what was sent before
        QSignalSpy restarted(&engine, &PlaybackEngine::playbackRestarted);
        engine.seek(1.0);
        if (!restarted.wait(10000))
            return QImage();
    }
    return engine.softwareRenderer()->drawAndWait(engine.videoSize(), 5000);
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
        // Blocky, as old releases are: a high quantiser, grain, sound.
        for (const auto& [name, codec] : {std::pair{"blocky-mpeg4.avi", "-c:v mpeg4 -q:v 31 -c:a mp3"},
                                          std::pair{"blocky-mpeg2.mpg", "-c:v mpeg2video -q:v 31 -qmin 31 -c:a mp2"}}) {
            blocky_ << folder.filePath(QLatin1String(name));
            QVERIFY(runFfmpeg(words("-f lavfi -i testsrc2=s=640x360:r=25:d=3 -f lavfi -i sine=f=440:d=3 "
                                    "-vf hue=s=0.7,noise=alls=6:allf=t")
                              + words(codec) + QStringList{blocky_.last()}));
        }
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

    // Every deblocking mode smooths the block edges of blocky MPEG-4 Part 2
    // and MPEG-2 (the step across block boundaries falls), each custom
    // level at least as much as the one below; "Automatic" leaves H.264 as
    // it is. One engine per clip: the decoder follows each change.
    void everyDeblockingModeSmoothsBlockEdges()
    {
        const auto frameWith = [](PlaybackEngine& engine, EngineSettingsApplier& settings, const char* mode,
                                  int level) {
            storeString("Codec", "PostProcessingMode", QLatin1String(mode));
            storeInt("Codec", "DeblockingLevel", level);
            return frameAtOneSecond(engine, settings);
        };
        for (const QString& clip : blocky_ + QStringList{h264_}) {
            PlaybackEngine engine;
            QVERIFY(engine.setOption("ao", QStringLiteral("null")) && engine.initialize(nullptr));
            QVERIFY(engine.softwareRenderer());
            EngineSettingsApplier settings(engine, true);
            QSignalSpy loaded(&engine, &PlaybackEngine::fileLoaded);
            engine.open(clip, 1.0, true);
            QVERIFY(loaded.wait(10000));
            const QImage off = frameWith(engine, settings, "off", 0);
            QVERIFY2(!off.isNull(), qPrintable(clip));
            if (clip == h264_) {
                QCOMPARE(frameWith(engine, settings, "automatic", 0), off);
                continue;
            }
            // Against the picture's own texture: what deringing smooths
            // inside the blocks does not count for or against an edge.
            const double texture = lumaSteps(off).second;
            const auto blockiness = [texture](const QImage& frame) { return lumaSteps(frame).first / texture; };
            const double unfiltered = blockiness(off);
            double below = unfiltered;
            for (const int level : {1, 2, 3, 4}) {
                const double measured = blockiness(frameWith(engine, settings, "custom", level));
                qInfo("%s level %d: %.3f (off %.3f)", qPrintable(QFileInfo(clip).fileName()), level, measured,
                      unfiltered);
                QVERIFY2(measured < unfiltered * 0.9 && measured <= below, qPrintable(QString::number(level)));
                below = measured;
            }
            for (const char* mode : {"full", "automatic"})
                QVERIFY2(blockiness(frameWith(engine, settings, mode, 0)) < unfiltered * 0.9, mode);
        }
    }

    // "Automatic" knows the codec before the decoder starts: the first
    // frame of a blocky file opened after an H.264 one is deblocked, by the
    // decoder's first start.
    void automaticDeblocksTheFirstFrameOfABlockyFile()
    {
        PlaybackEngine engine;
        QVERIFY(engine.setOption("ao", QStringLiteral("null")) && engine.initialize(nullptr));
        QVERIFY(engine.softwareRenderer());
        EngineSettingsApplier settings(engine, true);
        settings.apply();
        const auto firstFrame = [&engine](const QString& clip) {
            QSignalSpy loaded(&engine, &PlaybackEngine::fileLoaded);
            QSignalSpy restarted(&engine, &PlaybackEngine::playbackRestarted);
            engine.open(clip, 1.0, true);
            const bool shown = loaded.wait(10000) && (restarted.count() > 0 || restarted.wait(10000));
            return shown ? engine.softwareRenderer()->drawAndWait(engine.videoSize(), 5000) : QImage();
        };
        QVERIFY(!firstFrame(h264_).isNull());
        QSignalSpy codecs(&engine, &PlaybackEngine::videoCodecChanged);
        const QImage deblocked = firstFrame(blocky_.first());
        QVERIFY(!deblocked.isNull());
        // Its decoder started once, with the options it needs: no restart
        // (which would take the track off and announce it again).
        engine.propertyString("vf");
        QStringList announced;
        for (const QList<QVariant>& codec : codecs)
            announced << codec.at(0).toString();
        QCOMPARE(announced.filter(QStringLiteral("mpeg4")).size(), 1);
        storeString("Codec", "PostProcessingMode", QStringLiteral("off"));
        const QImage off = frameAtOneSecond(engine, settings);
        const double texture = lumaSteps(off).second;
        QVERIFY2(lumaSteps(deblocked).first / texture < lumaSteps(off).first / texture * 0.9,
                 qPrintable(QStringLiteral("%1 %2").arg(lumaSteps(deblocked).first).arg(lumaSteps(off).first)));
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
    QStringList blocky_;
};

QTEST_MAIN(PlayerEngineSettingsTest)
#include "player_engine_settings_test.moc"
