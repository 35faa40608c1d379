// Playback end to end, offscreen, on media the test makes: settings saved in
// the preferences window reach the rendered picture; code page and
// MicroDVD rate decide which subtitle text shows; the restart prompt brings
// the player back where it was; bad input is reported, never fatal.

#include "IsolatedEnvironment.h"
#include "ModalAnswerer.h"
#include "PlaybackTestMedia.h"
#include "ShellTestSupport.h"

#include "host/shell/app/PlayerSession.h"
#include "host/shell/settings/PlayerSettings.h"
#include "host/shell/window/PlayerWindow.h"
#include "host/shell/app/ShellOptions.h"
#include "host/shell/video/VideoView.h"
#include "host/shell/engine/EngineSettingsApplier.h"
#include "host/shell/engine/PlaybackEngine.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <algorithm>

using namespace zelktest;
using ZelkShell::PlaybackEngine;
using ZelkShell::PlayerWindow;
using ZelkShell::PluginHost;

namespace {

const char consumerLogLine[] = "zelk-player: settings saved; the player re-reads them";
constexpr int subtitlesPage = 3;
constexpr int playbackPage = 2;
constexpr int advancedPage = 4;

template <typename T>
T* control(PluginHost& plugins, const char* name)
{
    auto* window = qobject_cast<QWidget*>(plugins.existingPreferencesWindow());
    return window ? window->findChild<T*>(QLatin1String(name)) : nullptr;
}

// The warnings logged while the object lives.
class WarningLog {
public:
    WarningLog()
    {
        lines().clear();
        previous_ = qInstallMessageHandler(&WarningLog::handle);
    }
    ~WarningLog() { qInstallMessageHandler(previous_); }
    int count(const char* text) const
    {
        return int(std::count_if(lines().begin(), lines().end(),
                                 [text](const QString& line) { return line.contains(QLatin1String(text)); }));
    }

private:
    static QStringList& lines()
    {
        static QStringList logged;
        return logged;
    }
    static void handle(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type == QtWarningMsg)
            lines() << message;
    }
    QtMessageHandler previous_ = nullptr;
};

bool openPaused(PlayerWindow& player, const QString& file, double seconds)
{
    QSignalSpy loaded(&player.engine(), &PlaybackEngine::fileLoaded);
    QSignalSpy restarted(&player.engine(), &PlaybackEngine::playbackRestarted);
    player.playFiles({file}, seconds, true);
    return loaded.wait(10000) && (restarted.count() > 0 || restarted.wait(10000));
}

bool seekPaused(PlaybackEngine& engine, double seconds)
{
    QSignalSpy restarted(&engine, &PlaybackEngine::playbackRestarted);
    engine.seek(seconds);
    return restarted.wait(5000);
}

// Clicks OK in the open preferences window, where the player is notified.
void pressOk(PluginHost& plugins)
{
    QTest::ignoreMessage(QtInfoMsg, consumerLogLine);
    QTest::mouseClick(control<QPushButton>(plugins, "okButton"), Qt::LeftButton);
}

} // namespace

class PlayerPlaybackTest : public QObject {
    Q_OBJECT

private slots:
    void init() { clearStore(); }

    void initTestCase()
    {
        QVERIFY(media_.isValid());
        grey_ = makeGreyVideo(QDir(media_.path()), QStringLiteral("grey.mkv"));
        QVERIFY(!grey_.isEmpty());
        // Due at 1.0 s, beside the video under its base name.
        QVERIFY(writeBytes(media_.filePath(QStringLiteral("grey.srt")),
                           "1\n00:00:01,000 --> 00:00:01,800\nZelk subtitle line\n"));
    }

    // Colour, delay and brightness each go through the window's own control
    // and OK; the pictures the player draws next show the change.
    void savedSettingsShowInTheNextRenderedFrame()
    {
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        QStringList errors;
        QCOMPARE(plugins.startSettingsConsumers(&errors), 1);
        PlayerWindow player(plugins);
        player.resize(640, 520);
        player.show();
        ZelkShell::VideoView* view = player.videoView();
        QVERIFY(view);
        QVERIFY(openPaused(player, grey_, 1.2));
        QTRY_VERIFY_WITH_TIMEOUT(yellowPixels(view->lastFrame()) > 50, 5000);
        QCOMPARE(redPixels(view->lastFrame()), 0);
        const double greyLuma = meanLuma(view->lastFrame());
        QVERIFY2(greyLuma > 110 && greyLuma < 145, qPrintable(QString::number(greyLuma)));

        // Text colour: pure red, chosen in the window's colour dialog.
        QVERIFY(player.openPreferences(subtitlesPage));
        {
            ModalAnswerer pickRed([](QWidget* modal) {
                if (auto* dialog = qobject_cast<QColorDialog*>(modal)) {
                    dialog->setCurrentColor(Qt::red);
                    dialog->accept();
                } else {
                    modal->close();
                }
            });
            QTest::mouseClick(control<QPushButton>(plugins, "subtitleTextColorButton"), Qt::LeftButton);
            QVERIFY(pickRed.shown());
        }
        quint64 frames = view->framesRendered();
        pressOk(plugins);
        // The engine draws on its own thread: a picture it was drawing when
        // OK was pressed may still arrive first.
        QVERIFY(waitForFrameAfter(*view, frames));
        QTRY_VERIFY2_WITH_TIMEOUT(redPixels(view->lastFrame()) > 50, "no red subtitle after OK", 3000);
        QCOMPARE(yellowPixels(view->lastFrame()), 0);

        // Delay +2.0 s: the line due at 1.0 s is gone at 1.2 s.
        QVERIFY(player.openPreferences(subtitlesPage));
        control<QSpinBox>(plugins, "subtitleDelaySpinBox")->setValue(20);
        frames = view->framesRendered();
        pressOk(plugins);
        QVERIFY(waitForFrameAfter(*view, frames));
        QTRY_COMPARE_WITH_TIMEOUT(redPixels(view->lastFrame()), 0, 3000);
        QCOMPARE(player.engine().propertyString("sub-text"), QString());
        QVERIFY(seekPaused(player.engine(), 3.2));
        QTRY_COMPARE(player.engine().propertyString("sub-text"), QStringLiteral("Zelk subtitle line"));

        // Brightness: the grey picture gets lighter.
        QVERIFY(player.openPreferences(playbackPage));
        control<QSlider>(plugins, "brightnessSlider")->setValue(64);
        frames = view->framesRendered();
        pressOk(plugins);
        QVERIFY(waitForFrameAfter(*view, frames));
        QTRY_VERIFY_WITH_TIMEOUT(meanLuma(view->lastFrame()) > greyLuma + 20 && redPixels(view->lastFrame()) > 50,
                                 3000);
    }

    // A GUI thread that is busy for a while (a slow dialog, a disk that
    // sleeps) must not hold up the picture: the engine's video output gives
    // up on a frame nobody draws within 200 ms and counts it as dropped.
    void aBusyGuiThreadDropsNoFrame()
    {
        PluginHost plugins;
        PlayerWindow player(plugins);
        player.show();
        ZelkShell::VideoView* view = player.videoView();
        QVERIFY(view);
        QVERIFY(openPaused(player, grey_, 0.5));
        for (const double seconds : {2.0, 4.0, 1.0, 3.0}) {
            const quint64 frames = view->framesRendered();
            QSignalSpy restarted(&player.engine(), &PlaybackEngine::playbackRestarted);
            player.engine().seek(seconds);
            QThread::msleep(400);
            QVERIFY(restarted.count() > 0 || restarted.wait(5000));
            QVERIFY(waitForFrameAfter(*view, frames));
        }
        QVERIFY(view->showsVideo());
        QCOMPARE(player.engine().propertyString("frame-drop-count"), QStringLiteral("0"));
    }

    // What a user does to play: drop a file on the window, pause and seek
    // with the keys, pick another in File > Open, which starts in the folder
    // "Video File Opening" names and keeps the folder opened from.
    void dropKeysAndFileOpenDriveThePlayer()
    {
        PluginHost plugins;
        PlayerWindow player(plugins);
        player.show();
        player.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&player));
        player.videoView()->setFocus();
        PlaybackEngine& engine = player.engine();

        QSignalSpy loaded(&engine, &PlaybackEngine::fileLoaded);
        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile(grey_)});
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&player, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&player, &drop);
        QVERIFY(loaded.wait(10000));
        QCOMPARE(engine.currentFile(), QFileInfo(grey_).absoluteFilePath());
        QVERIFY(!engine.isPaused());

        QTest::keyClick(&player, Qt::Key_Space);
        QTRY_VERIFY(engine.isPaused());
        const double pausedAt = engine.position();
        QTest::keyClick(&player, Qt::Key_Right);
        QTRY_VERIFY(engine.position() > pausedAt + 4.0);
        QVERIFY(engine.isPaused());

        QDir media(media_.path());
        QVERIFY(media.mkpath(QStringLiteral("picked")));
        const QString picked = media.filePath(QStringLiteral("picked/other.mkv"));
        QVERIFY(QFile::copy(grey_, picked));
        QVERIFY(storeString("General", "DefaultOpenFileLocation", media.absolutePath()));
        QString startedIn;
        ModalAnswerer pick([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            startedIn = dialog->directory().absolutePath();
            dialog->selectFile(picked);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        loaded.clear();
        player.findChild<QAction*>(QStringLiteral("openAction"))->trigger();
        QVERIFY(pick.shown());
        QCOMPARE(startedIn, media.absolutePath());
        QVERIFY(loaded.count() > 0 || loaded.wait(10000));
        QCOMPARE(engine.currentFile(), QFileInfo(picked).absoluteFilePath());
        QVERIFY(storeString("General", "DefaultOpenFileLocation", QStringLiteral("<last directory>")));
        QCOMPARE(ZelkShell::PlayerSettings::openDialogFolder(), QFileInfo(picked).absolutePath());
    }

    // The stored code page decodes a Windows-1251 file; the stored MicroDVD
    // rate times frame-numbered lines.
    void codePageAndFrameRateDecideTheSubtitleText()
    {
        const QString cyrillic = QStringLiteral("Привет, мир");
        const QString video = QFile::copy(grey_, media_.filePath(QStringLiteral("cyr.mkv")))
                                  ? media_.filePath(QStringLiteral("cyr.mkv"))
                                  : QString();
        QVERIFY(!video.isEmpty());
        QTextCodec* windows1251 = QTextCodec::codecForName("windows-1251");
        QVERIFY(windows1251);
        QVERIFY(writeBytes(media_.filePath(QStringLiteral("cyr.srt")),
                           "1\n00:00:01,000 --> 00:00:03,000\n" + windows1251->fromUnicode(cyrillic) + "\n"));
        QVERIFY(storeString("Subtitles", "SubtitleCodePage", QStringLiteral("KOI8-R")));

        PluginHost plugins;
        PlayerWindow player(plugins);
        QVERIFY(openPaused(player, video, 1.5));
        QTRY_VERIFY(!player.engine().propertyString("sub-text").isEmpty());
        QVERIFY(player.engine().propertyString("sub-text") != cyrillic);
        // Applied to the file already playing.
        QVERIFY(storeString("Subtitles", "SubtitleCodePage", QStringLiteral("windows-1251")));
        player.reloadSettings();
        QTRY_COMPARE(player.engine().propertyString("sub-text"), cyrillic);

        // Frame 50 at the chosen 50 fps is 1.0 s into the 25 fps video.
        QVERIFY(QFile::copy(grey_, media_.filePath(QStringLiteral("frames.mkv"))));
        QVERIFY(writeBytes(media_.filePath(QStringLiteral("frames.sub")),
                           "{50}{75}Frame line\n{80}{90}Second line\n{95}{99}Third line\n"));
        QVERIFY(storeInt("Subtitles", "SubtitleFrameRateNumerator", 50));
        QVERIFY(storeInt("Subtitles", "SubtitleFrameRateDenominator", 1));
        player.reloadSettings();
        QVERIFY(openPaused(player, media_.filePath(QStringLiteral("frames.mkv")), 0.8));
        QCOMPARE(player.engine().subtitleCodec(), QStringLiteral("microdvd"));
        QTRY_COMPARE(player.engine().propertyString("sub-text"), QString());
        QVERIFY(seekPaused(player.engine(), 1.2));
        QTRY_COMPARE(player.engine().propertyString("sub-text"), QStringLiteral("Frame line"));
        QVERIFY(seekPaused(player.engine(), 1.6));
        QTRY_COMPARE(player.engine().propertyString("sub-text"), QStringLiteral("Second line"));
    }

    // Yes at the restart prompt: the player comes back with the same file,
    // position and pause state.
    void restartPromptBringsThePlayerBackWhereItWas()
    {
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        ZelkShell::ShellOptions options;
        options.files = QStringList{grey_};
        options.startSeconds = 2.5;
        options.startPaused = true;
        const QStringList arguments{QStringLiteral("zelk-player"), QStringLiteral("--plugins"),
                                    samplePluginBuildDir(), QStringLiteral("--page"), QStringLiteral("advanced"),
                                    grey_};
        ModalAnswerer restart(ModalAnswerer::press(QMessageBox::Yes), 15000);
        QTimer chooseOutput;
        connect(&chooseOutput, &QTimer::timeout, this, [&] {
            auto* outputs = control<QComboBox>(plugins, "videoOutputMethodComboBox");
            if (!outputs || !outputs->isVisible())
                return;
            chooseOutput.stop();
            outputs->setCurrentIndex(outputs->findText(QStringLiteral("Software")));
            // Wait for the file before answering: the position must be known.
            QTimer::singleShot(1500, this, [&plugins] {
                QTest::mouseClick(control<QPushButton>(plugins, "okButton"), Qt::LeftButton);
            });
        });
        chooseOutput.start(50);
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, this, [] { QCoreApplication::exit(3); });
        guard.start(20000);
        options.openPreferences = true;
        options.page = advancedPage;

        QTest::ignoreMessage(QtInfoMsg, consumerLogLine);
        const ZelkShell::PlayerExit exit = ZelkShell::runPlayerSession(plugins, options, arguments);
        QCOMPARE(exit.status, 0);
        QVERIFY(restart.shown());
        QVERIFY(exit.restart);
        QVERIFY(plugins.hasShutDown());

        // The command line the player starts again with, read back as the
        // new process would read it.
        const ZelkShell::ParsedCommandLine again =
            ZelkShell::parseCommandLine(QStringList{QStringLiteral("zelk-player")} + exit.restartArguments);
        QVERIFY2(again.error.isEmpty(), qPrintable(again.error));
        QCOMPARE(again.options.files, QStringList{grey_});
        QVERIFY2(qAbs(again.options.startSeconds - 2.5) <= 1.0, qPrintable(exit.restartArguments.join(' ')));
        QVERIFY(again.options.startPaused);
        QCOMPARE(again.options.pluginFolders, QStringList{samplePluginBuildDir()});
        QVERIFY(!again.options.openPreferences);

        // And the player really started with it: its first frame is there.
        QProcess relaunched;
        relaunched.start(zelktest::testPlayerPath(),
                         QStringList{QStringLiteral("--quit-on-first-frame")} + exit.restartArguments);
        QVERIFY(relaunched.waitForFinished(30000));
        const QStringList firstFrame = QString::fromUtf8(relaunched.readAllStandardOutput()).trimmed().split(' ');
        QCOMPARE(firstFrame.size(), 3);
        QCOMPARE(firstFrame.at(0), QStringLiteral("first-frame"));
        QVERIFY2(qAbs(firstFrame.at(1).toDouble() - 2.5) <= 1.0, qPrintable(firstFrame.join(' ')));
        QCOMPARE(firstFrame.at(2), QStringLiteral("paused"));
    }

    // The headless grab, in its own process, renders the frame at the time
    // asked with the stored settings (red text here).
    void frameGrabRendersWithTheStoredSettings()
    {
        QVERIFY(storeString("Subtitles", "SubtitleTextColor", QStringLiteral("#ff0000")));
        QString reason;
        QCOMPARE(grab(grey_, QStringLiteral("1.4"), &reason), 0);
        const QImage frame(media_.filePath(QStringLiteral("frame.png")));
        QCOMPARE(frame.size(), QSize(320, 240));
        QVERIFY2(redPixels(frame) > 30, qPrintable(QString::number(redPixels(frame))));
        QCOMPARE(yellowPixels(frame), 0);
        QVERIFY(grab(grey_, QStringLiteral("0.5"), &reason) == 0);
        QCOMPARE(redPixels(QImage(media_.filePath(QStringLiteral("frame.png")))), 0);
    }

    // A file the engine cannot open: a message in the window, a one-line
    // reason and non-zero exit from the frame grab. Stored values the engine
    // does not know fall back with one log line each.
    void badInputIsReportedAndNeverFatal()
    {
        const QString junk = media_.filePath(QStringLiteral("junk.mkv"));
        QVERIFY(writeBytes(junk, QByteArray(4096, 'z')));
        QVERIFY(storeString("Subtitles", "SubtitleCodePage", QStringLiteral("x-no-such-code-page")));
        QVERIFY(storeString("Video", "DeinterlacingMethod", QStringLiteral("sideways")));
        WarningLog warnings;
        {
            PluginHost plugins;
            PlayerWindow player(plugins);
            player.show();
            player.reloadSettings();
            QCOMPARE(player.engineSettings().appliedValue("sub-codepage"), QStringLiteral("auto"));
            QVERIFY(!player.engineSettings().appliedValue("vf").contains(QLatin1String("deinterlace")));
            player.playFiles({junk});
            QTRY_VERIFY_WITH_TIMEOUT(player.videoView()->message().contains(QLatin1String("junk.mkv")), 5000);
            QVERIFY(player.isVisible());
        }
        QCOMPARE(warnings.count("unknown subtitle code page \"x-no-such-code-page\""), 1);
        QCOMPARE(warnings.count("unknown deinterlacing method \"sideways\""), 1);
        QVERIFY(storeString("Subtitles", "SubtitleCodePage", QStringLiteral("system")));
        QVERIFY(storeString("Video", "DeinterlacingMethod", QStringLiteral("none")));

        QString reason;
        QVERIFY(grab(junk, QStringLiteral("1"), &reason) > 0);
        // One line of the player's own (a sanitizer run may add its report).
        const QStringList lines = reason.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^zelk-player: ")));
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().contains(QLatin1String("junk.mkv")), qPrintable(reason));
        QVERIFY(grab(grey_, QStringLiteral("60"), &reason) > 0);
        QVERIFY2(reason.contains(QLatin1String("past the end")), qPrintable(reason));
    }

private:
    // Runs the player's frame grab; its exit code, and its stderr in `reason`.
    int grab(const QString& file, const QString& seconds, QString* reason)
    {
        QProcess player;
        player.start(zelktest::testPlayerPath(), {QStringLiteral("--frame-at"), seconds, QStringLiteral("--output"),
                                                         media_.filePath(QStringLiteral("frame.png")), file});
        if (!player.waitForFinished(30000))
            return -1;
        *reason = QString::fromUtf8(player.readAllStandardError()).trimmed();
        return player.exitStatus() == QProcess::NormalExit ? player.exitCode() : -1;
    }

    QTemporaryDir media_;
    QString grey_;
};

QTEST_MAIN(PlayerPlaybackTest)
#include "player_playback_test.moc"
