// The player's own behaviour classes, each against what it really talks to:
// resume positions in the registry store, pause on focus loss on a real
// window, the screen-saver inhibition on a private D-Bus session bus with a
// stand-in ScreenSaver service, and the video library's rules on an SQLite
// file with real files on disk.

#include "IsolatedEnvironment.h"
#include "ModalAnswerer.h"
#include "PreferencesHarness.h"
#include "PrivateSessionBus.h"

#include "host/shell/behaviour/BehaviourSettings.h"
#include "host/shell/behaviour/FocusPause.h"
#include "host/shell/behaviour/LastVideo.h"
#include "host/shell/behaviour/ResumePositions.h"
#include "host/shell/behaviour/ScreenSaverInhibitor.h"
#include "host/shell/behaviour/StoredPaths.h"
#include "host/shell/videolibrary/FolderImport.h"
#include "host/shell/videolibrary/LibraryRules.h"
#include "host/shell/videolibrary/LibraryWriter.h"
#include "host/shell/videolibrary/VideoLibrary.h"
#include "host/shell/window/LibraryView.h"
#include "settings/PreferenceAccessors.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace zelktest;
using namespace ZelkShell;

namespace {

// Counts log lines that contain `text`, for the code under test's own logging.
struct LogCounter {
    static inline QString text;
    static inline int count = 0;
    static inline QtMessageHandler previous = nullptr;

    explicit LogCounter(const QString& watched)
    {
        text = watched;
        count = 0;
        previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& line) {
            if (line.contains(text))
                ++count;
            else
                previous(type, context, line);
        });
    }
    ~LogCounter() { qInstallMessageHandler(previous); }
};

void writeFile(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not really a video");
}

QStringList paths(const QList<VideoLibrary::Entry>& entries)
{
    QStringList result;
    for (const VideoLibrary::Entry& entry : entries)
        result << entry.path;
    return result;
}

} // namespace

class PlayerBehaviourTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        ZelkNimbo::releaseComponentSettings();
        clearStore();
    }

    void resumePositionsLiveInTheirOwnKeyBoundedToTheNewestFiles()
    {
        ResumePositions positions(5);
        const QString film = QStringLiteral("/videos/a film; with: odd\\characters.mkv");
        QVERIFY(positions.remember(film, 30.4, 120.0));
        // Kept in the store, below the component's settings, in a key of its own.
        const StoredValue stored =
            storedValue(ResumePositions::sectionName, StoredPaths::encode(film).toUtf8().constData());
        QVERIFY(stored.exists());
        QVERIFY(stored.asString().startsWith(QStringLiteral("30400;")));
        ZelkNimbo::releaseComponentSettings();
        QCOMPARE(positions.positionFor(film, 120.0), std::optional<double>(30.4));

        // Short videos and positions near the end start from the beginning;
        // leaving one near the end forgets the position stored before.
        QVERIFY(positions.remember(QStringLiteral("/videos/clip.mp4"), 30.0, 59.0));
        QCOMPARE(positions.positionFor(QStringLiteral("/videos/clip.mp4"), 59.0), std::nullopt);
        QVERIFY(positions.remember(film, 117.0, 120.0));
        QCOMPARE(positions.positionFor(film, 120.0), std::nullopt);
        QCOMPARE(positions.count(), 0);

        // Bounded: the oldest positions make way for new ones.
        for (int i = 0; i < 7; ++i)
            QVERIFY(positions.remember(QStringLiteral("/videos/%1.mkv").arg(i), 10.0 + i, 600.0));
        positions.waitUntilTrimmed();
        QCOMPARE(positions.count(), 5);
        QCOMPARE(positions.positionFor(QStringLiteral("/videos/1.mkv"), 600.0), std::nullopt);
        QCOMPARE(positions.positionFor(QStringLiteral("/videos/2.mkv"), 600.0), std::optional<double>(12.0));
        QCOMPARE(positions.positionFor(QStringLiteral("/videos/6.mkv"), 600.0), std::optional<double>(16.0));
        // Storing an old file again makes it the newest.
        QVERIFY(positions.remember(QStringLiteral("/videos/2.mkv"), 20.0, 600.0));
        QVERIFY(positions.remember(QStringLiteral("/videos/7.mkv"), 17.0, 600.0));
        positions.waitUntilTrimmed();
        QCOMPARE(positions.positionFor(QStringLiteral("/videos/2.mkv"), 600.0), std::optional<double>(20.0));
        QCOMPARE(positions.positionFor(QStringLiteral("/videos/3.mkv"), 600.0), std::nullopt);
    }

    // The player holds its settings keys open between writes; the
    // preferences or zelk-reg may delete them meanwhile. The player's own
    // writes then go to freshly opened keys instead of failing.
    void thePlayersWritesSurviveItsKeysBeingDeletedUnderIt()
    {
        QTemporaryDir folder;
        const QString film = folder.filePath(QStringLiteral("film.mkv"));
        writeFile(film);
        ResumePositions positions(5);
        QVERIFY(positions.remember(film, 30.0, 600.0));
        QVERIFY(LastVideo::recordOpened(film));

        clearStore();
        QVERIFY(positions.remember(film, 40.0, 600.0));
        QCOMPARE(positions.positionFor(film, 600.0), std::optional<double>(40.0));

        clearStore();
        QVERIFY(LastVideo::recordQuit(film));
        QCOMPARE(LastVideo::fileToReopen(), film);
    }

    void focusLossPausesAndOnlyItsOwnPauseIsUndone()
    {
        QWidget window;
        QWidget other;
        bool paused = false;
        int pauseCalls = 0;
        FocusPause rule(&window, {[&] { return !paused; },
                                  [&](bool pause) {
                                      ++pauseCalls;
                                      paused = pause;
                                  }});
        rule.setEnabled(true);
        window.show();
        other.show();
        QApplication::setActiveWindow(&window);
        QTRY_VERIFY(window.isActiveWindow());

        QApplication::setActiveWindow(&other);
        QTRY_VERIFY(paused);
        QApplication::setActiveWindow(&window);
        QTRY_VERIFY(!paused);
        QCOMPARE(pauseCalls, 2);

        // Minimising pauses too; coming back resumes.
        window.showMinimized();
        QTRY_VERIFY(paused);
        window.showNormal();
        QApplication::setActiveWindow(&window);
        QTRY_VERIFY(!paused);

        // The user paused first: leaving and coming back leaves it paused.
        paused = true;
        pauseCalls = 0;
        QApplication::setActiveWindow(&other);
        QApplication::setActiveWindow(&window);
        QTRY_VERIFY(window.isActiveWindow());
        QVERIFY(paused);
        QCOMPARE(pauseCalls, 0);

        // The user resumed while away: nothing to undo on return.
        paused = false;
        QApplication::setActiveWindow(&other);
        QTRY_VERIFY(paused);
        paused = false;
        rule.pauseChanged(false);
        paused = true; // and paused again by hand before returning
        QApplication::setActiveWindow(&window);
        QTRY_VERIFY(window.isActiveWindow());
        QVERIFY(paused);

        // Switched off: focus no longer matters.
        rule.setEnabled(false);
        paused = false;
        QApplication::setActiveWindow(&other);
        QTRY_VERIFY(!window.isActiveWindow());
        QVERIFY(!paused);
    }

    void screenSaverIsInhibitedAndReleasedOnAPrivateBus()
    {
        PrivateSessionBus privateBus;
        QVERIFY2(!privateBus.address().isEmpty(), "dbus-daemon did not start");

        {
            // No service on the bus: one log line, and nothing further.
            QDBusConnection bus = privateBus.connect(QStringLiteral("player-without-service"));
            QVERIFY(bus.isConnected());
            LogCounter log(QStringLiteral("the screen saver cannot be disabled"));
            ScreenSaverInhibitor inhibitor(bus);
            inhibitor.setInhibited(true);
            QTRY_VERIFY(inhibitor.serviceMissing());
            inhibitor.setInhibited(false);
            inhibitor.setInhibited(true);
            QTest::qWait(50);
            QCOMPARE(LogCounter::count, 1);
            QVERIFY(!inhibitor.holdsInhibition());
        }

        FakeScreenSaver screenSaver;
        QVERIFY(screenSaver.registerOn(privateBus.connect(QStringLiteral("screen-saver"))));

        QDBusConnection playerBus = privateBus.connect(QStringLiteral("player"));
        {
            ScreenSaverInhibitor inhibitor(playerBus);
            inhibitor.setInhibited(true);
            QTRY_VERIFY(inhibitor.holdsInhibition());
            QCOMPARE(screenSaver.held, QSet<uint>{42});
            inhibitor.setInhibited(true); // already held: no second inhibition
            inhibitor.setInhibited(false);
            QVERIFY(!inhibitor.holdsInhibition());
            QTRY_VERIFY(screenSaver.held.isEmpty());
            QCOMPARE(screenSaver.calls.size(), 2);
            QVERIFY(screenSaver.calls[0].startsWith(QStringLiteral("Inhibit ")));
            QCOMPARE(screenSaver.calls[1], QStringLiteral("UnInhibit 42"));

            // Released while the answer is on its way: released on arrival.
            inhibitor.setInhibited(true);
            inhibitor.setInhibited(false);
            QTRY_COMPARE(screenSaver.calls.size(), 4);
            QTRY_VERIFY(screenSaver.held.isEmpty());

            inhibitor.setInhibited(true);
            QTRY_COMPARE(screenSaver.held.size(), 1);
        }
        // Quitting releases what is held.
        QTRY_VERIFY(screenSaver.held.isEmpty());
        QCOMPARE(screenSaver.calls.size(), 6);
        QDBusConnection::disconnectFromBus(QStringLiteral("player-without-service"));
        QDBusConnection::disconnectFromBus(QStringLiteral("player"));
        QDBusConnection::disconnectFromBus(QStringLiteral("screen-saver"));
    }

    void theLibraryIsFilledAndEmptiedByTheSwitches()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString videos = folder.filePath(QStringLiteral("Videos"));
        writeFile(videos + QStringLiteral("/one.mkv"));
        writeFile(videos + QStringLiteral("/season/two.mp4"));
        writeFile(videos + QStringLiteral("/notes.txt"));
        const QString played = folder.filePath(QStringLiteral("elsewhere/played.avi"));
        writeFile(played);

        BehaviourSettings settings;
        settings.mediaFolder = videos;
        settings.addPlayedVideosToLibrary = false;
        settings.addDefaultFolderToLibrary = false;
        VideoLibrary library(VideoLibrary::defaultLocation());
        QString error;
        QVERIFY2(library.open(&error), qPrintable(error));
        // In the user's data folder.
        QVERIFY(library.file().startsWith(qEnvironmentVariable("XDG_DATA_HOME")));

        // Both switches off: nothing goes in.
        QVERIFY(LibraryRules::videoPlayed(library, settings, played));
        QVERIFY(LibraryRules::folderToImport(settings).isEmpty());
        QVERIFY(library.entries().isEmpty());

        // The default folder's switch on: its videos go in once, through the
        // import the player starts.
        settings.addDefaultFolderToLibrary = true;
        QCOMPARE(LibraryRules::folderToImport(settings), videos);
        {
            LibraryWriter writer(library.file());
            for (const int added : {2, 0}) {
                FolderImport import(LibraryRules::folderToImport(settings), writer, LibraryWriter::AtQuit::Keep);
                import.start();
                QTRY_VERIFY(import.isFinished());
                QCOMPARE(import.figures().videosAdded, added);
            }
        }
        settings.addPlayedVideosToLibrary = true;
        QVERIFY(LibraryRules::videoPlayed(library, settings, played));
        QCOMPARE(paths(library.entries()),
                 (QStringList{videos + QStringLiteral("/one.mkv"), videos + QStringLiteral("/season/two.mp4"), played}));
        QCOMPARE(paths(library.recentlyWatched(10)), QStringList{played});

        // The view: the recently watched list only with its switch on.
        LibraryView view(library, [&settings] { return settings; });
        view.refresh();
        QTRY_VERIFY(!view.isReading());
        QCOMPARE(view.videoCount(), 3);
        QCOMPARE(view.recentList()->count(), 1);
        settings.recentlyWatchedList = false;
        view.refresh();
        QVERIFY(view.recentList()->isHidden());
        QTRY_VERIFY(!view.isReading());
        const auto select = [&view](int row) {
            view.videoList()->setCurrentIndex(view.videoList()->model()->index(row, 0));
        };

        // Removing without the disk switch: the entry goes, the file stays, no question.
        select(2);
        {
            ModalAnswerer noQuestion(ModalAnswerer::press(QMessageBox::Yes), 300);
            QVERIFY(view.removeSelected());
            QTest::qWait(350);
            QVERIFY(!noQuestion.shown());
        }
        QVERIFY(QFile::exists(played));
        QVERIFY(!library.contains(played));

        // With it: the question decides; No keeps entry and file, Yes removes both.
        settings.deleteDiskFileWithEntry = true;
        const QString one = videos + QStringLiteral("/one.mkv");
        QTRY_VERIFY(!view.isReading());
        select(0);
        {
            ModalAnswerer question(ModalAnswerer::press(QMessageBox::No));
            QVERIFY(!view.removeSelected());
            QVERIFY(question.shown());
        }
        QVERIFY(QFile::exists(one));
        QVERIFY(library.contains(one));
        select(0);
        {
            ModalAnswerer question(ModalAnswerer::press(QMessageBox::Yes));
            QVERIFY(view.removeSelected());
            QVERIFY(question.shown());
            QVERIFY(question.text().contains(QStringLiteral("one.mkv")));
        }
        QVERIFY(!QFile::exists(one));
        QVERIFY(!library.contains(one));
        QTRY_COMPARE(view.videoCount(), 1);
        QVERIFY(view.statusLabel()->text().isEmpty());
    }
};

QTEST_MAIN(PlayerBehaviourTest)
#include "player_behaviour_test.moc"
