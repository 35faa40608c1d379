// The player's own files against hostile names and sizes: paths with line
// breaks, names that are not valid UTF-8, 4,000-character paths, a large
// media folder (walked without stalling the event loop), a damaged or locked
// library, and the privacy of the data folder.

#include "IsolatedEnvironment.h"
#include "LibraryTestSupport.h"
#include "PlaybackTestMedia.h"
#include "ShellTestSupport.h"
#include "StallMeter.h"

#include "host/shell/window/PlayerWindow.h"
#include "host/shell/behaviour/BehaviourSettings.h"
#include "host/shell/behaviour/LastVideo.h"
#include "host/shell/behaviour/ResumePositions.h"
#include "host/shell/behaviour/StoredPaths.h"
#include "host/shell/engine/PlaybackEngine.h"
#include "host/shell/videolibrary/FolderImport.h"
#include "host/shell/videolibrary/LibraryWriter.h"
#include "host/shell/window/LibraryView.h"
#include "host/shell/window/PlayerViews.h"
#include "host/shell/videolibrary/VideoLibrary.h"
#include "settings/PreferenceAccessors.h"

#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

using namespace zelktest;
using namespace ZelkShell;

namespace {


// A file of `bytes` at `path` (a raw name, so that any bytes can be used).
bool writeRaw(const QByteArray& path, const QByteArray& bytes = QByteArray("x"))
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool ok = fd >= 0 && ::write(fd, bytes.constData(), bytes.size()) == bytes.size();
    return fd >= 0 && ::close(fd) == 0 && ok;
}

// A folder path of about `length` characters below `base`, created.
QString deepFolder(const QString& base, int length)
{
    QString path = base;
    while (path.size() < length - 40)
        path += QLatin1Char('/') + QString(std::min(200, length - 41 - int(path.size())), QLatin1Char('d'));
    return QDir().mkpath(path) ? path : QString();
}

QSet<QString> asSet(const QStringList& list)
{
    return QSet<QString>(list.begin(), list.end());
}

QStringList paths(const QList<VideoLibrary::Entry>& entries)
{
    QStringList result;
    for (const VideoLibrary::Entry& entry : entries)
        result << entry.path;
    return result;
}

BehaviourSettings importing(const QString& folder)
{
    BehaviourSettings settings;
    settings.mediaFolder = folder;
    settings.addDefaultFolderToLibrary = true;
    settings.addPlayedVideosToLibrary = true;
    return settings;
}

// Opens a player window, plays `file` (if any) and quits; the file the engine
// loaded, empty when none did.
QString playAndQuit(const QString& file, bool reopenLast = false)
{
    PluginHost plugins;
    if (!readPlayerPlugins(plugins))
        return QString();
    PlayerWindow window(plugins);
    window.show();
    QSignalSpy loaded(&window.engine(), &PlaybackEngine::fileLoaded);
    if (reopenLast ? !window.reopenLastVideo() : (window.playFiles({file}), false))
        return QString();
    const QString played = loaded.wait(10000) ? loaded.first().first().toString() : QString();
    window.close();
    return played;
}

} // namespace

class PlayerFilesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // No desktop session here: the player goes without the screen saver.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    }

    void init()
    {
        startWithNothingStored();
    }

    // The reported case, in the window: the video playing at the last quit
    // has a line break in its name; it, not the one before, reopens.
    void theLastVideoReopensEvenWithALineBreakInItsName()
    {
        QVERIFY(storeBool("Playback", "RememberPreviousMovie", true));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString older = makeGreyVideo(QDir(dir.path()), QStringLiteral("older.mkv"), 2);
        const QString newline = makeGreyVideo(QDir(dir.path()), QStringLiteral("new\nline.mkv"), 2);
        QVERIFY(!older.isEmpty() && !newline.isEmpty());
        QCOMPARE(playAndQuit(older), older);
        QCOMPARE(playAndQuit(newline), newline);
        QCOMPARE(playAndQuit(QString(), true), newline);
    }

    // Every path the player keeps comes back as the same path, whatever it
    // holds, and what earlier versions stored is still read.
    void keptPathsComeBackExactly()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString older = dir.filePath(QStringLiteral("older.mkv"));
        const QString newline = dir.filePath(QStringLiteral("new\nline.mkv"));
        const QString deep = deepFolder(dir.path(), 4040) + QStringLiteral("/a %41 #b? c%0A\u00e9\u00e8.mkv");
        QVERIFY(deep.size() >= 4000);
        for (const QString& file : {older, newline, deep})
            QVERIFY(writeRaw(QFile::encodeName(file)));

        // The reported case: the newline file was playing at the last quit.
        QVERIFY(LastVideo::recordQuit(older));
        QVERIFY(LastVideo::recordQuit(newline));
        QCOMPARE(LastVideo::fileToReopen(), newline);
        QVERIFY(LastVideo::recordQuit(deep));
        QCOMPARE(LastVideo::fileToReopen(), deep);
        QCOMPARE(LastVideo::recentlyWatched(), (QStringList{deep, newline, older}));
        // A file that cannot head the list leaves no older one to be reopened.
        QVERIFY(!LastVideo::recordQuit(QStringLiteral("relative.mkv")));
        QCOMPARE(LastVideo::fileToReopen(), QString());

        // A list an earlier version stored: one plain path a line.
        QVERIFY(storeString("RecentFilis", "RecentWatchedMovies", older + QStringLiteral("\n/gone.mkv")));
        QCOMPARE(LastVideo::recentlyWatched(), (QStringList{older, QStringLiteral("/gone.mkv")}));
        QVERIFY(LastVideo::recordOpened(newline));
        QCOMPARE(LastVideo::recentlyWatched(), (QStringList{newline, older, QStringLiteral("/gone.mkv")}));

        // Resume positions: one each, under a name that keeps them apart.
        ResumePositions positions;
        QVERIFY(positions.remember(newline, 61.0, 600.0));
        QVERIFY(positions.remember(deep, 62.0, 600.0));
        QVERIFY(positions.remember(QStringLiteral("/new"), 63.0, 600.0));
        ZelkNimbo::releaseComponentSettings();
        QCOMPARE(positions.positionFor(newline, 600.0), std::optional<double>(61.0));
        QCOMPARE(positions.positionFor(deep, 600.0), std::optional<double>(62.0));
        QCOMPARE(positions.positionFor(QStringLiteral("/new"), 600.0), std::optional<double>(63.0));
        QCOMPARE(positions.positionFor(QStringLiteral("/new\nline.mkv"), 600.0), std::nullopt);
        // One an earlier version stored under the plain path is found, and
        // replaced rather than kept twice.
        QVERIFY(storeString(ResumePositions::sectionName, older.toUtf8().constData(), QStringLiteral("45000;1")));
        QCOMPARE(positions.positionFor(older, 600.0), std::optional<double>(45.0));
        QCOMPARE(positions.count(), 4);
        QVERIFY(positions.remember(older, 50.0, 600.0));
        QCOMPARE(positions.count(), 4);
        QVERIFY(!storedValue(ResumePositions::sectionName, older.toUtf8().constData()).exists());
        QVERIFY(positions.forget(deep));
        QCOMPARE(positions.positionFor(deep, 600.0), std::nullopt);

        // Library rows.
        VideoLibrary library;
        QString error;
        QVERIFY2(library.open(&error), qPrintable(error));
        QVERIFY(library.add(newline, true));
        QVERIFY(library.add(deep, false));
        QCOMPARE(asSet(paths(library.entries())), (QSet<QString>{newline, deep}));
    }

    // A name that is not valid UTF-8 beside one spelled with the replacement
    // characters Qt would decode it to: the player refuses the first and
    // never takes it for the second.
    void namesThatAreNotUtf8AreRefusedNotConfused()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray invalid = QFile::encodeName(dir.path()) + "/bad\xff\xfename.mkv";
        const QString lookalike = dir.filePath(QStringLiteral("bad\ufffd\ufffdname.mkv"));
        QVERIFY(!makeGreyVideo(QDir(dir.path()), QStringLiteral("bad\ufffd\ufffdname.mkv"), 1).isEmpty());
        QVERIFY(writeRaw(invalid, "not the lookalike"));
        QVERIFY(!StoredPaths::isFaithful(invalid));
        QVERIFY(StoredPaths::isFaithful(QFile::encodeName(lookalike)));

        // From the command line: refused with the name as the system gave it.
        QProcess player;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        player.setProcessEnvironment(environment);
        // The shell passes the bytes as they are; QProcess would encode text.
        const QString script = QStringLiteral("exec \"$0\" \"$(printf '%s/bad\\377\\376name.mkv' \"$1\")\"");
        player.start(QStringLiteral("/bin/sh"),
                     {QStringLiteral("-c"), script, zelktest::testPlayerPath(), dir.path()});
        QVERIFY(player.waitForFinished(30000));
        const QString message = QString::fromUtf8(player.readAllStandardError());
        QCOMPARE(player.exitCode(), 2);
        QVERIFY2(message.contains(QStringLiteral("bad\\xff\\xfename.mkv")) && message.contains(QStringLiteral("rename")),
                 qPrintable(message));
        QCOMPARE(LastVideo::recentlyWatched(), QStringList());

        // Imported from the media folder: the lookalike goes in, the other is left out.
        {
            LibraryWriter writer(VideoLibrary::defaultLocation());
            FolderImport import(dir.path(), writer, LibraryWriter::AtQuit::Keep);
            QSignalSpy finished(&import, &FolderImport::finished);
            import.start();
            QVERIFY(finished.wait(30000));
            QCOMPARE(import.figures().refusedNames, 1);
            QCOMPARE(import.figures().videosAdded, 1);
        }
        VideoLibrary library;
        QString error;
        QVERIFY2(library.open(&error), qPrintable(error));
        QCOMPARE(paths(library.entries()), QStringList{lookalike});

        // Dropped on the window: only the lookalike is taken.
        PluginHost plugins;
        PlayerWindow window(plugins);
        const auto accepts = [&window](const QUrl& url) {
            QMimeData dropped;
            dropped.setUrls({url});
            QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&window, &enter);
            return enter.isAccepted();
        };
        QVERIFY(accepts(QUrl::fromLocalFile(lookalike)));
        QVERIFY(!accepts(QUrl::fromEncoded("file://" + invalid.toPercentEncoding("/"))));
        // Named through Qt's decoding (a file dialog shows both files under
        // the lookalike's name), it cannot be told apart: refused, not played;
        // the file queued after it is the first to play.
        const QString next = makeGreyVideo(QDir(dir.path()), QStringLiteral("next.mkv"), 1);
        QVERIFY(!next.isEmpty());
        QSignalSpy loaded(&window.engine(), &PlaybackEngine::fileLoaded);
        window.playFiles({lookalike, next});
        QTRY_VERIFY2(window.statusBar()->currentMessage().contains(QLatin1String("rename")),
                     qPrintable(window.statusBar()->currentMessage()));
        QVERIFY(loaded.count() == 1 || loaded.wait(10000));
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(loaded.first().at(0).toString(), next);
        QVERIFY(::unlink(invalid.constData()) == 0); // QTemporaryDir cannot name it
    }

    // The default folder's videos (100,000 files, a link loop, a link to a
    // folder seen elsewhere, an unreadable folder) go in from other threads
    // while the event loop keeps running.
    void aLargeMediaFolderIsWalkedWithoutStallingTheWindow()
    {
        // In memory when it can be: making and removing 100,000 files on a
        // busy disk takes minutes.
        const QString memory = QStringLiteral("/dev/shm");
        QTemporaryDir dir((QFileInfo(memory).isWritable() ? memory : QDir::tempPath()) +
                          QStringLiteral("/player_files_test-XXXXXX"));
        QVERIFY(dir.isValid());
        const QString root = dir.filePath(QStringLiteral("Videos"));
        constexpr int folders = 100;
        constexpr int perFolder = 1000;
        for (int f = 0; f < folders; ++f) {
            const QByteArray folder = QFile::encodeName(QStringLiteral("%1/season %2").arg(root).arg(f));
            QVERIFY(QDir().mkpath(QFile::decodeName(folder)));
            for (int i = 0; i < perFolder; ++i)
                QVERIFY(writeRaw(folder + "/episode " + QByteArray::number(i) + (i % 10 == 9 ? ".srt" : ".mkv")));
        }
        const int videos = folders * perFolder * 9 / 10;
        QVERIFY(::symlink("..", QFile::encodeName(root + QStringLiteral("/season 0/loop")).constData()) == 0);
        QVERIFY(::symlink(QFile::encodeName(root + QStringLiteral("/season 1")).constData(),
                          QFile::encodeName(root + QStringLiteral("/also season 1")).constData()) == 0);
        const QString locked = root + QStringLiteral("/locked");
        QVERIFY(QDir().mkpath(locked));
        QVERIFY(writeRaw(QFile::encodeName(locked + QStringLiteral("/hidden.mkv"))));
        QVERIFY(::chmod(QFile::encodeName(locked).constData(), 0) == 0);
        const bool lockedIsReadable = ::access(QFile::encodeName(locked).constData(), R_OK) == 0; // as root

        BehaviourSettings settings = importing(root);
        qint64 longestStall = 0;
        {
            PlayerViews views(new QWidget, [&settings] { return settings; });
            StallMeter meter;
            views.refreshLibrary();
            QVERIFY(views.libraryWorkPending());
            QTRY_VERIFY_WITH_TIMEOUT(!views.libraryWorkPending(), 120000);
            longestStall = meter.longestMs();
            QCOMPARE(views.library().entries().size(), videos + (lockedIsReadable ? 1 : 0));
            // A folder reached twice is listed under whichever path came first.
            QVERIFY(views.library().contains(root + QStringLiteral("/season 1/episode 0.mkv")) !=
                    views.library().contains(root + QStringLiteral("/also season 1/episode 0.mkv")));
            QVERIFY(!views.library().contains(root + QStringLiteral("/season 1/episode 9.srt")));

            // Asked to, it walks again; a walk cut short by quitting ends.
            views.refreshLibrary();
            QVERIFY(views.libraryWorkPending());
        }
        ::chmod(QFile::encodeName(locked).constData(), 0700);
        qInfo("longest event-loop stall while %d videos went into the library: %lld ms", videos, longestStall);
        // Generous: a walk or a write on the GUI thread would take seconds.
        QVERIFY2(longestStall < 1000, qPrintable(QString::number(longestStall)));
    }

    // The default folder on a mount that does not answer (stat() blocks, as
    // on a network mount whose server went away): a save walks again only
    // when the folder changed, never waits for the stuck walk, and quitting
    // waits for it a bounded time. A video asked for there is looked at
    // without holding the window: another asked for meanwhile plays.
    void aFolderThatDoesNotAnswerHoldsUpNeitherSaveNorQuit()
    {
        QTemporaryDir dir;
        const QString mountPoint = dir.filePath(QStringLiteral("mount"));
        const QString release = dir.filePath(QStringLiteral("release"));
        const QString videos = dir.filePath(QStringLiteral("Videos"));
        QVERIFY(QDir().mkpath(mountPoint) && QDir().mkpath(videos));
        QVERIFY(writeRaw(QFile::encodeName(videos + QStringLiteral("/one.mkv"))));
        QProcess fs;
        QByteArray said;
        const auto hasSaid = [&fs, &said](const char* word) {
            said += fs.readAllStandardOutput();
            return said.contains(word);
        };
        const auto unmount = qScopeGuard([&] {
            writeRaw(QFile::encodeName(release));
            // Lazily: the walk left behind may still hold the folder open.
            QProcess::execute(QStringLiteral("fusermount3"), {QStringLiteral("-u"), QStringLiteral("-z"), mountPoint});
            fs.waitForFinished(10000);
        });
        fs.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(ZELK_TEST_HUNG_FOLDER_FS), mountPoint, release});
        if (!QTest::qWaitFor([&] { return hasSaid("mounted") || fs.state() == QProcess::NotRunning; }, 10000) ||
            !hasSaid("mounted"))
            QSKIP(qPrintable(QStringLiteral("no FUSE mount here (python3-fuse, fuse3, /dev/fuse): ") +
                             QString::fromLocal8Bit(fs.readAllStandardError())));

        BehaviourSettings settings = importing(videos);
        auto views = std::make_unique<PlayerViews>(new QWidget, [&settings] { return settings; });
        views->followSettings();
        QTRY_VERIFY(!views->libraryWorkPending());
        QCOMPARE(views->library().entries().size(), 1);
        views->followSettings(); // saved, the folder unchanged
        QVERIFY(!views->libraryWorkPending());

        StallMeter meter;
        settings.mediaFolder = mountPoint;
        views->followSettings();
        QTRY_VERIFY(hasSaid("stuck"));
        QVERIFY(views->libraryWorkPending());
        settings.mediaFolder = videos;
        views->followSettings();
        QTRY_VERIFY(!views->libraryWorkPending());
        qInfo("longest event-loop stall while saving past a stuck walk: %lld ms", meter.longestMs());
        QVERIFY2(meter.longestMs() < 1000, qPrintable(QString::number(meter.longestMs())));

        {
            const QString clip = makeGreyVideo(QDir(dir.path()), QStringLiteral("clip.mkv"), 1);
            QVERIFY(!clip.isEmpty());
            PluginHost plugins;
            PlayerWindow window(plugins);
            QSignalSpy loaded(&window.engine(), &PlaybackEngine::fileLoaded);
            // Should the window itself wait on the mount, the mount is let go
            // after a while, so that the test fails on the stall, not hangs.
            std::thread([release] {
                std::this_thread::sleep_for(std::chrono::seconds(20));
                writeRaw(QFile::encodeName(release));
            }).detach();
            StallMeter playing;
            window.playFiles({mountPoint + QStringLiteral("/stuck/film.mkv")});
            window.playFiles({clip});
            QVERIFY(loaded.wait(10000));
            QCOMPARE(loaded.first().at(0).toString(), clip);
            qInfo("longest event-loop stall while a look at a file waits on the mount: %lld ms", playing.longestMs());
            QVERIFY2(playing.longestMs() < 1000, qPrintable(QString::number(playing.longestMs())));
        }

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("1 folder walk\\(s\\) had not ended")));
        QElapsedTimer quitting;
        quitting.start();
        views.reset();
        QVERIFY2(quitting.elapsed() < 5 * PlayerViews::walkEndWaitMs, qPrintable(QString::number(quitting.elapsed())));
    }

    void aDamagedLibraryIsMovedAsideAndAFreshOneStarts_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("not a database") << QStringLiteral("garbage");
        QTest::newRow("a folder") << QStringLiteral("folder");
        QTest::newRow("a FIFO") << QStringLiteral("fifo");
        QTest::newRow("unreadable") << QStringLiteral("unreadable");
        QTest::newRow("a link to itself") << QStringLiteral("loop");
    }

    void aDamagedLibraryIsMovedAsideAndAFreshOneStarts()
    {
        QFETCH(QString, kind);
        const QString file = VideoLibrary::defaultLocation();
        const QByteArray name = QFile::encodeName(file);
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
        const QByteArray garbage(8192, '\x5a');
        if (kind == QLatin1String("garbage") || kind == QLatin1String("unreadable"))
            QVERIFY(writeRaw(name, garbage));
        if (kind == QLatin1String("unreadable"))
            QVERIFY(::chmod(name.constData(), 0) == 0);
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(file + QStringLiteral("/inside")));
        if (kind == QLatin1String("fifo"))
            QVERIFY(::mkfifo(name.constData(), 0600) == 0);
        if (kind == QLatin1String("loop"))
            QVERIFY(::symlink(name.constData(), name.constData()) == 0);
        if (kind == QLatin1String("unreadable") && ::access(name.constData(), R_OK | W_OK) == 0)
            QSKIP("running as root: every file can be read");

        QTemporaryDir media;
        const QString video = makeGreyVideo(QDir(media.path()), QStringLiteral("played.mkv"), 1);
        QVERIFY(!video.isEmpty());
        BehaviourSettings settings;
        {
            PlayerViews views(new QWidget, [&settings] { return settings; });
            QVERIFY(views.library().isOpen());
            const QString aside = views.library().movedAsideTo();
            QVERIFY(aside.startsWith(file + QStringLiteral(".damaged-") + QDate::currentDate().toString(Qt::ISODate)));
            // Kept, as it was.
            QFileInfo kept(aside);
            if (kind == QLatin1String("folder"))
                QVERIFY(QFileInfo(aside + QStringLiteral("/inside")).isDir());
            else if (kind == QLatin1String("fifo"))
                QVERIFY(!kept.isFile() && kept.exists());
            else if (kind == QLatin1String("loop"))
                QCOMPARE(kept.symLinkTarget(), file);
            else
                QCOMPARE(kept.size(), qint64(garbage.size()));
            // A working library in its place.
            views.videoPlayed(video);
            QTRY_VERIFY(!views.libraryWorkPending());
            QCOMPARE(paths(views.library().entries()), QStringList{video});
            // Said once in the view.
            views.show();
            views.showView(QLatin1String(PlayerViews::libraryName));
            QVERIFY(views.libraryView()->statusLabel()->text().contains(QStringLiteral("damaged")));
            QVERIFY(views.libraryView()->statusLabel()->text().contains(QFileInfo(aside).fileName()));
            views.showView(QLatin1String(PlayerViews::playbackName));
            views.showView(QLatin1String(PlayerViews::libraryName));
            QCOMPARE(views.libraryView()->statusLabel()->text(), QString());
        }
        PlayerViews again(new QWidget, [&settings] { return settings; });
        QCOMPARE(again.library().movedAsideTo(), QString());
        QCOMPARE(paths(again.library().entries()), QStringList{video});
    }

    // Another process holds the library locked: at start, and again later.
    // Nothing played meanwhile is lost, and the window keeps running.
    void aLockedLibraryKeepsItsWritesAndTheWindowResponsive()
    {
        QTemporaryDir media;
        QVERIFY(media.isValid());
        const QString first = makeGreyVideo(QDir(media.path()), QStringLiteral("first.mkv"), 1);
        const QString second = makeGreyVideo(QDir(media.path()), QStringLiteral("second.mkv"), 1);
        QVERIFY(!first.isEmpty() && !second.isEmpty());
        const QString file = VideoLibrary::defaultLocation();
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));

        BehaviourSettings settings = importing(media.path());
        qint64 longestStall = 0;
        auto lock = std::make_unique<LockHolder>(file);
        QVERIFY(lock->waitUntilLocked());
        PlayerViews views(new QWidget, [&settings] { return settings; });
        QVERIFY(views.library().isOpen());
        views.show();
        {
            StallMeter meter;
            views.showView(QLatin1String(PlayerViews::libraryName));
            QTRY_VERIFY(views.libraryView()->statusLabel()->text().contains(QStringLiteral("Another program")));
            views.refreshLibrary();
            QSignalSpy lockMet(&views.libraryWriter(), &LibraryWriter::waitingForLock);
            views.videoPlayed(first);
            QVERIFY(lockMet.wait(10000));
            QVERIFY(views.libraryWorkPending());
            longestStall = meter.longestMs();
        }
        lock->release();
        QTRY_VERIFY_WITH_TIMEOUT(!views.libraryWorkPending(), 10000);
        QCOMPARE(paths(views.library().recentlyWatched(10)), QStringList{first});
        QCOMPARE(views.library().entries().size(), 2);
        QTRY_COMPARE(views.libraryView()->videoCount(), 2);

        // A lock taken later.
        lock = std::make_unique<LockHolder>(file);
        QVERIFY(lock->waitUntilLocked());
        {
            StallMeter meter;
            QSignalSpy lockMet(&views.libraryWriter(), &LibraryWriter::waitingForLock);
            views.videoPlayed(second);
            QVERIFY(lockMet.wait(10000));
            QVERIFY(views.libraryWorkPending());
            longestStall = std::max(longestStall, meter.longestMs());
        }
        lock.reset();
        QTRY_VERIFY_WITH_TIMEOUT(!views.libraryWorkPending(), 10000);
        QCOMPARE(asSet(paths(views.library().recentlyWatched(10))), (QSet<QString>{first, second}));
        qInfo("longest event-loop stall with the library locked: %lld ms", longestStall);
        QVERIFY2(longestStall < 1000, qPrintable(QString::number(longestStall)));
    }

    // The library file changed under the running player. Deleted: the plays
    // go into a new one, without a word of failure. Immutable at start: the
    // message at quit says what is wrong with it, not that it was locked.
    void aLibraryDeletedOrImmutableIsNamedForWhatItIs()
    {
        QTemporaryDir media;
        const QString first = makeGreyVideo(QDir(media.path()), QStringLiteral("first.mkv"), 1);
        const QString second = makeGreyVideo(QDir(media.path()), QStringLiteral("second.mkv"), 1);
        QVERIFY(!first.isEmpty() && !second.isEmpty());
        const QString file = VideoLibrary::defaultLocation();
        BehaviourSettings settings;
        {
            PlayerViews views(new QWidget, [&settings] { return settings; });
            QSignalSpy problems(&views, &PlayerViews::problem);
            views.videoPlayed(first);
            QTRY_VERIFY(!views.libraryWorkPending());
            QVERIFY(QFile::remove(file));
            views.videoPlayed(second);
            QTRY_VERIFY(!views.libraryWorkPending());
            QCOMPARE(problems.count(), 0);
            VideoLibrary recreated(file);
            QString error;
            QVERIFY2(recreated.open(&error), qPrintable(error));
            QCOMPARE(paths(recreated.recentlyWatched(10)), QStringList{second});
        }

        if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), file}) != 0)
            QSKIP("chattr +i is not permitted here");
        const auto mutableAgain =
            qScopeGuard([&] { QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), file}); });
        PlayerViews views(new QWidget, [&settings] { return settings; });
        QSignalSpy problems(&views, &PlayerViews::problem);
        views.videoPlayed(first);
        QTRY_COMPARE(problems.count(), 1);
        QVERIFY(views.libraryWorkPending());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                               "1 change\\(s\\) to the video library could not be written: "
                                               ".*it cannot be read and written: Operation not permitted")));
    }

    // The viewing history is the user's alone, whatever the umask.
    void theDataFolderAndLibraryArePrivate()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray previousData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("fresh/data"))));
        const mode_t previousMask = ::umask(0);
        VideoLibrary library;
        QString error;
        const bool opened = library.open(&error);
        const bool added = opened && library.add(QStringLiteral("/videos/a.mkv"), true);
        ::umask(previousMask);
        qputenv("XDG_DATA_HOME", previousData);
        QVERIFY2(opened && added, qPrintable(error));
        const auto modeOf = [](const QString& path) {
            struct stat status {};
            return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 0777 : 0u;
        };
        QCOMPARE(modeOf(library.file()), 0600u);
        QCOMPARE(modeOf(QFileInfo(library.file()).absolutePath()), 0700u);
        QCOMPARE(modeOf(dir.filePath(QStringLiteral("fresh"))), 0700u);
    }
};

QTEST_MAIN(PlayerFilesTest)
#include "player_files_test.moc"
