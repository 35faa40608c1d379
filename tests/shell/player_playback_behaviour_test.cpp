// The playback switches in the playing player, end to end with generated
// videos: resuming where a video was left (directly or through the offer),
// the last video at start, pause on focus loss, blackout, the screen saver
// (on a session bus of the test's own), fitting the window to the video, the
// default view, and the player's own switches reaching the store and the
// preferences window.

#include "IsolatedEnvironment.h"
#include "PrivateSessionBus.h"
#include "ShellTestSupport.h"

#include "host/shell/window/PlaybackControls.h"
#include "host/shell/window/PlayerWindow.h"
#include "host/library/HubMessages.h"
#include "host/shell/video/VideoView.h"
#include "host/shell/behaviour/ControlBarAutoHide.h"
#include "host/shell/behaviour/PlaybackBehaviour.h"
#include "host/shell/behaviour/ResumeOffer.h"
#include "host/shell/engine/PlaybackEngine.h"
#include "host/shell/window/LibraryView.h"
#include "host/shell/window/PlayerViews.h"
#include "host/shell/videolibrary/VideoLibrary.h"
#include "settings/PreferenceAccessors.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

#include <memory>

using namespace zelktest;
using ZelkShell::PlayerWindow;
using ZelkShell::PluginHost;

namespace {

// Makes a test-pattern video with a key frame every second, so that seeks
// are quick; empty on failure (the reason logged).
QString makeVideo(const QTemporaryDir& dir, const QString& name, const QString& size, int seconds)
{
    const QString path = dir.filePath(name);
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                  QStringLiteral("-y"), QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                  QStringLiteral("testsrc=size=%1:rate=4:duration=%2").arg(size).arg(seconds),
                  QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-preset"),
                  QStringLiteral("ultrafast"), QStringLiteral("-g"), QStringLiteral("4"), QStringLiteral("-pix_fmt"),
                  QStringLiteral("yuv420p"), path});
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0) {
        qWarning("ffmpeg: %s", ffmpeg.readAllStandardError().constData());
        return QString();
    }
    return path;
}

// A player window with the build tree's plug-ins, shown and active.
struct Player {
    PluginHost plugins;
    std::unique_ptr<PlayerWindow> window;

    Player()
    {
        if (!readPlayerPlugins(plugins))
            return;
        window = std::make_unique<PlayerWindow>(plugins);
        window->show();
        QApplication::setActiveWindow(window.get());
    }
    ZelkShell::PlaybackEngine& engine() const { return window->engine(); }
    ZelkShell::ResumeOffer* offer() const { return window->behaviour().resumeOffer(); }
    // Plays `file` and waits for it to load.
    bool play(const QString& file)
    {
        QSignalSpy loaded(&engine(), &ZelkShell::PlaybackEngine::fileLoaded);
        window->playFiles({file});
        return loaded.wait(10000);
    }
    // Pauses, then seeks exactly to `seconds` and waits until it stands there.
    bool pauseAt(double seconds)
    {
        engine().setPaused(true);
        engine().seek(seconds, true);
        return QTest::qWaitFor([&] { return engine().isPaused() && qAbs(engine().position() - seconds) < 0.2; }, 10000);
    }
    void quit()
    {
        window->close();
        window.reset();
    }
};

// Share of the picture's pixels that are not (nearly) black.
double litShare(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    qint64 lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lit += qGray(image.pixel(x, y)) > 24 ? 1 : 0;
    return image.isNull() ? 0.0 : double(lit) / (double(image.width()) * image.height());
}

} // namespace

class PlayerPlaybackBehaviourTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(media_.isValid());
        twoMinutes_ = makeVideo(media_, QStringLiteral("two minutes.mkv"), QStringLiteral("96x64"), 120);
        wide_ = makeVideo(media_, QStringLiteral("wide.mkv"), QStringLiteral("1280x720"), 2);
        small_ = makeVideo(media_, QStringLiteral("small.mkv"), QStringLiteral("560x420"), 2);
        QVERIFY(!twoMinutes_.isEmpty() && !wide_.isEmpty() && !small_.isEmpty());

        // The players of this test find the session bus here.
        bus_ = std::make_unique<PrivateSessionBus>();
        QVERIFY2(!bus_->address().isEmpty(), "dbus-daemon did not start");
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus_->address().toUtf8());
        QVERIFY(screenSaver_.registerOn(bus_->connect(QStringLiteral("screen-saver"))));
    }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("screen-saver"));
    }

    void init()
    {
        ZelkNimbo::releaseComponentSettings();
        clearStore();
    }

    void quittingAtHalfAMinuteResumesThereOnReopening_data()
    {
        QTest::addColumn<bool>("offerShown");
        QTest::newRow("directly") << false;
        QTest::newRow("through the offer") << true;
    }

    void quittingAtHalfAMinuteResumesThereOnReopening()
    {
        QFETCH(bool, offerShown);
        QVERIFY(storeBool("Playback", "ShowResumeOffer", offerShown));
        {
            Player first;
            QVERIFY(first.window);
            QVERIFY(first.play(twoMinutes_));
            QVERIFY(!first.offer()->isVisible());
            QVERIFY(first.pauseAt(30.0));
            first.quit();
        }
        Player second;
        QVERIFY(second.play(twoMinutes_));
        if (offerShown) {
            QVERIFY(second.offer()->isVisible());
            QVERIFY(second.offer()->geometry().intersects(second.window->videoView()->rect()));
            QCOMPARE(second.offer()->resumeButton()->text(), QStringLiteral("Resume"));
            QCOMPARE(second.offer()->startOverButton()->text(), QStringLiteral("Start from the beginning"));
            // Non-modal: the video plays from the beginning meanwhile.
            QVERIFY(!QApplication::activeModalWidget());
            QVERIFY(second.engine().position() < 5.0);
            QTest::mouseClick(second.offer()->resumeButton(), Qt::LeftButton);
            QVERIFY(!second.offer()->isVisible());
        }
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(second.engine().position() - 30.0) <= 1.0, 10000);
        // The played video went into the library.
        QTRY_VERIFY(second.window->views().library().contains(twoMinutes_));
    }

    void theLastVideoReopensWhereItWasLeft()
    {
        QVERIFY(storeBool("Playback", "RememberPreviousMovie", true));
        {
            Player first;
            QVERIFY(!first.window->reopenLastVideo()); // nothing was open before
            QVERIFY(first.play(twoMinutes_));
            QVERIFY(first.pauseAt(45.0));
            first.quit();
        }
        {
            Player second;
            QSignalSpy loaded(&second.engine(), &ZelkShell::PlaybackEngine::fileLoaded);
            QVERIFY(second.window->reopenLastVideo());
            QVERIFY(loaded.wait(10000));
            QCOMPARE(loaded.first().first().toString(), twoMinutes_);
            // At its position, without asking.
            QTRY_VERIFY_WITH_TIMEOUT(qAbs(second.engine().position() - 45.0) <= 1.0, 10000);
            QVERIFY(!second.offer()->isVisible());
            second.quit();
        }
        // With the switch off, nothing reopens.
        QVERIFY(storeBool("Playback", "RememberPreviousMovie", false));
        Player third;
        QVERIFY(third.play(twoMinutes_));
        third.quit();
        QVERIFY(!Player().window->reopenLastVideo());
    }

    void losingFocusPausesOnlyAPlayingVideo()
    {
        QVERIFY(storeBool("Playback", "PauseInBackground", true));
        Player player;
        QWidget elsewhere;
        elsewhere.show();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        player.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(player.window.get()));
        QVERIFY(player.play(twoMinutes_));
        QVERIFY(!player.engine().isPaused());

        elsewhere.activateWindow();
        QTRY_VERIFY(player.engine().isPaused());
        player.window->activateWindow();
        QTRY_VERIFY(!player.engine().isPaused());

        // Paused by the user: coming back leaves it paused.
        player.engine().setPaused(true);
        QTRY_VERIFY(player.engine().isPaused());
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        player.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(player.window.get()));
        QTest::qWait(100);
        QVERIFY(player.engine().isPaused());
    }

    void playingKeepsTheScreenSaverOff()
    {
        screenSaver_.calls.clear();
        {
            Player player;
            QVERIFY(player.play(twoMinutes_));
            QTRY_COMPARE(screenSaver_.held.size(), 1);
            player.engine().setPaused(true);
            QTRY_VERIFY(screenSaver_.held.isEmpty());
            player.engine().setPaused(false);
            QTRY_COMPARE(screenSaver_.held.size(), 1);
            player.quit();
        }
        QTRY_VERIFY(screenSaver_.held.isEmpty());
        QCOMPARE(screenSaver_.calls.size(), 4);

        // Switched off: the screen saver is left alone.
        QVERIFY(storeBool("Playback", "DisableScreenSaver", false));
        Player player;
        QVERIFY(player.play(twoMinutes_));
        QTest::qWait(200);
        QCOMPARE(screenSaver_.calls.size(), 4);
    }

    void pausedVideoIsBlackedOut()
    {
        QVERIFY(storeBool("Playback", "BlackoutWhenPaused", true));
        Player player;
        ZelkShell::VideoView* view = player.window->videoView();
        QVERIFY(view);
        QVERIFY(player.play(twoMinutes_));
        QTRY_VERIFY(view->showsVideo());
        QVERIFY(player.pauseAt(10.0));
        QTRY_VERIFY(litShare(view->grab().toImage()) == 0.0);
        // The engine still draws the picture (on its own thread, so it may
        // arrive after the pause); the area shows black over it.
        QTRY_VERIFY(litShare(view->lastFrame()) > 0.3);
        QCOMPARE(litShare(view->grab().toImage()), 0.0);

        player.engine().setPaused(false);
        QTRY_VERIFY(litShare(view->grab().toImage()) > 0.3);

        // Switched off after a save: paused shows the picture.
        QVERIFY(storeBool("Playback", "BlackoutWhenPaused", false));
        player.window->reloadSettings();
        QVERIFY(player.pauseAt(20.0));
        QTRY_VERIFY(litShare(view->grab().toImage()) > 0.3);
    }

    void theWindowFitsTheVideoWithinTheScreen()
    {
        QVERIFY(storeBool("Playback", "ResizePlayerToVideo", true));
        Player player;
        QWidget* video = player.window->videoView();
        const QRect available = player.window->screen()->availableGeometry();

        QVERIFY(player.play(small_));
        QTRY_COMPARE(video->size(), QSize(560, 420));
        QVERIFY(available.contains(player.window->frameGeometry()));

        // Larger than the screen: scaled down with its shape kept.
        QVERIFY(player.play(wide_));
        QTRY_VERIFY(video->width() != 560);
        QVERIFY(available.contains(player.window->frameGeometry()));
        QVERIFY(qAbs(double(video->width()) / video->height() - 16.0 / 9.0) < 0.02);
        QVERIFY(video->width() < 1280);
    }

    void thePlayerOpensOnTheStoredView()
    {
        QVERIFY(storeString("General", "StartupView", QStringLiteral("download manager")));
        {
            Player player;
            QCOMPARE(player.window->views().currentViewName(), QStringLiteral("download manager"));
            // An empty queue: the view says how to add a download.
            auto* hint = player.window->findChild<QLabel*>(QStringLiteral("downloadsHint"));
            QVERIFY(hint && hint->isVisible());
            QVERIFY(hint->text().contains(QStringLiteral("No downloads")));
        }
        QVERIFY(storeString("General", "StartupView", QStringLiteral("media library")));
        Player player;
        QCOMPARE(player.window->views().currentViewName(), QStringLiteral("media library"));
        QVERIFY(player.window->views().libraryView()->isVisible());
    }

    void thePlayersOwnSwitchesReachTheStoreAndThePreferences()
    {
        Player player;
        MessageCounter changes(ZelkNimbo::HubMessages::PreferenceItemChanged);
        QVERIFY(changes.listening);
        QVERIFY(player.window->openPreferences());
        auto* preferences = qobject_cast<QWidget*>(player.plugins.existingPreferencesWindow());
        auto* toolTipsBox = preferences->findChild<QCheckBox*>(QStringLiteral("toolTipsCheckBox"));
        auto* autoHideBox = preferences->findChild<QCheckBox*>(QStringLiteral("autohideCheckBox"));
        QVERIFY(!toolTipsBox->isChecked() && !autoHideBox->isChecked());

        // A control of the player's with a tooltip, shown while tooltips are on.
        QWidget* control = nullptr;
        for (QWidget* child : player.window->controls()->findChildren<QWidget*>())
            if (!child->toolTip().isEmpty())
                control = child;
        QVERIFY(control);
        const auto askForToolTip = [control] {
            QToolTip::hideText();
            if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
                return true;
            QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), control->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(control, &help);
            return QToolTip::isVisible();
        };
        QVERIFY(askForToolTip());

        QAction* toolTips = player.window->behaviour().toolTipsAction();
        QVERIFY(toolTips->isChecked());
        toolTips->trigger();
        QCOMPARE(changes.count, 1);
        QCOMPARE(changes.lastPayload.toString(), QStringLiteral("enableToolTips"));
        QCOMPARE(storedValue("Playback", "enableToolTips").asBool(), false);
        QVERIFY(toolTipsBox->isChecked()); // "Disable tooltips"
        QVERIFY(!askForToolTip());

        player.window->behaviour().autoHideAction()->trigger();
        QCOMPARE(changes.count, 2);
        QCOMPARE(changes.lastPayload.toString(), QStringLiteral("hideInactiveButtons"));
        QVERIFY(autoHideBox->isChecked());

        // Auto-hide: while playing, the bar goes after a quiet spell and
        // comes back with the mouse.
        player.window->behaviour().controlBarAutoHide()->setDelay(100);
        QVERIFY(player.play(twoMinutes_));
        QTRY_VERIFY(!player.window->controls()->isVisible());
        QTest::mouseMove(player.window->videoView(), QPoint(10, 10));
        QVERIFY(player.window->controls()->isVisible());
        QTRY_VERIFY(!player.window->controls()->isVisible());
        player.engine().setPaused(true);
        QTRY_VERIFY(player.window->controls()->isVisible());
        QTest::qWait(200);
        QVERIFY(player.window->controls()->isVisible());
    }

private:
    std::unique_ptr<PrivateSessionBus> bus_;
    FakeScreenSaver screenSaver_;
    QTemporaryDir media_;
    QString twoMinutes_;
    QString wide_;
    QString small_;
};

QTEST_MAIN(PlayerPlaybackBehaviourTest)
#include "player_playback_behaviour_test.moc"
