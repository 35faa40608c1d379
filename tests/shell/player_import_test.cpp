// Library > Import Folder… in the player window: a tree shaped like a video
// collection goes in through the menu, each video once; the dialog follows
// the auto-close setting as it stands when the import ends; a big import is
// cancelled part way while the window keeps answering.

#include "IsolatedEnvironment.h"
#include "LibraryTestSupport.h"
#include "ModalAnswerer.h"
#include "PlaybackTestMedia.h"
#include "ShellTestSupport.h"

#include "host/shell/videolibrary/FolderImport.h"
#include "host/shell/videolibrary/VideoLibrary.h"
#include "host/shell/window/ImportDialog.h"
#include "host/shell/window/LibraryListModel.h"
#include "host/shell/window/LibraryView.h"
#include "host/shell/window/PlayerViews.h"
#include "host/shell/window/PlayerWindow.h"
#include "settings/PreferenceAccessors.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zelktest;
using namespace ZelkShell;

namespace {

// A small file at `path`, by raw name; false when it could not be written.
bool writeSmallFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool written = fd >= 0 && ::write(fd, "x", 1) == 1;
    return fd >= 0 && ::close(fd) == 0 && written;
}

bool symlinkTo(const QString& target, const QString& name)
{
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(name).constData()) == 0;
}

// A video collection: clips made by ffmpeg and files named like videos in
// nested folders, files that are not videos, a link back up the tree, one
// folder linked twice, and a folder that cannot be read.
struct Collection {
    QString root;
    QSet<QString> videos; // each once, by its real path
    int files = 0;        // in the folders that can be read, each folder once
    int unreadableFolders = 0;
    QString unreadable;

    ~Collection()
    {
        if (!unreadable.isEmpty())
            ::chmod(QFile::encodeName(unreadable).constData(), 0700);
    }

    bool make(const QString& at)
    {
        root = at;
        const QDir top(root);
        for (const char* folder : {"Series/Season 1", "Series/Season 2/Extras", "Private"})
            if (!top.mkpath(QLatin1String(folder)))
                return false;
        const auto video = [this](const QString& path) {
            videos.insert(path);
            ++files;
            return writeSmallFile(path);
        };
        const auto other = [this](const QString& path) {
            ++files;
            return writeSmallFile(path);
        };
        const bool clips = !makeClip(top, QStringLiteral("Holiday 2023.mkv")).isEmpty() &&
                           !makeGreyVideo(top, QStringLiteral("Series/Season 1/S01E01.mp4"), 1).isEmpty();
        videos << top.filePath(QStringLiteral("Holiday 2023.mkv"))
               << top.filePath(QStringLiteral("Series/Season 1/S01E01.mp4"));
        files += 2;
        const bool made = clips && other(top.filePath(QStringLiteral("notes.txt"))) &&
                          video(top.filePath(QStringLiteral("Series/Season 1/S01E02.avi"))) &&
                          other(top.filePath(QStringLiteral("Series/Season 1/S01E01.srt"))) &&
                          video(top.filePath(QStringLiteral("Series/Season 2/S02E01.MKV"))) &&
                          other(top.filePath(QStringLiteral("Series/Season 2/cover.jpg"))) &&
                          video(top.filePath(QStringLiteral("Series/Season 2/Extras/Making of.webm"))) &&
                          symlinkTo(QStringLiteral(".."), top.filePath(QStringLiteral("Series/Season 1/back"))) &&
                          symlinkTo(top.filePath(QStringLiteral("Series/Season 1")), top.filePath(QStringLiteral("Favourites"))) &&
                          symlinkTo(top.filePath(QStringLiteral("Series/Season 1")), top.filePath(QStringLiteral("Watch again")));
        const QString hidden = top.filePath(QStringLiteral("Private/secret.mkv"));
        if (!made || !writeSmallFile(hidden))
            return false;
        QSet<QString> real;
        for (const QString& path : qAsConst(videos))
            real.insert(QFileInfo(path).canonicalFilePath());
        videos = real;
        unreadable = top.filePath(QStringLiteral("Private"));
        if (::chmod(QFile::encodeName(unreadable).constData(), 0) != 0)
            return false;
        if (::access(QFile::encodeName(unreadable).constData(), R_OK) == 0) { // as root: it can be read
            videos.insert(QFileInfo(hidden).canonicalFilePath());
            ++files;
        } else {
            unreadableFolders = 1;
        }
        return true;
    }
};

QSet<QString> realPaths(const QList<VideoLibrary::Entry>& entries)
{
    QSet<QString> paths;
    for (const VideoLibrary::Entry& entry : entries)
        paths.insert(QFileInfo(entry.path).canonicalFilePath());
    return paths;
}

QString labelText(QWidget* dialog, const char* name)
{
    const auto* label = dialog->findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

// Answers the folder chooser the way a user would, then runs `afterwards`
// (the import has started by then); the dialog it opened is kept.
class FolderAnswer {
public:
    FolderAnswer(PlayerWindow& window, const QString& folder, std::function<void()> afterwards = {})
        : answerer_([target = &window, folder, afterwards, this](QWidget* modal) {
            auto* chooser = qobject_cast<QFileDialog*>(modal);
            if (!chooser) {
                modal->close();
                return;
            }
            // Opened on a folder and accepted with no name typed: that folder.
            chooser->setDirectory(folder);
            static_cast<QDialog*>(chooser)->accept(); // QFileDialog's own is protected
            dialog = target->importDialog();
            if (afterwards)
                afterwards();
        })
    {
    }
    bool shown() const { return answerer_.shown(); }
    QPointer<ImportDialog> dialog;

private:
    ModalAnswerer answerer_;
};

// `count` files in folders of 500 below `root`, one in ten not a video.
bool makeBigTree(const QString& root, int count)
{
    for (int i = 0; i < count; ++i) {
        const QString folder = QStringLiteral("%1/disc %2").arg(root).arg(i / 500);
        if (i % 500 == 0 && !QDir().mkpath(folder))
            return false;
        if (!writeSmallFile(QStringLiteral("%1/clip %2.%3").arg(folder).arg(i).arg(i % 10 == 9 ? "nfo" : "mkv")))
            return false;
    }
    return true;
}

} // namespace

class PlayerImportTest : public QObject {
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

    void aFolderGoesInThroughTheMenuEachVideoOnce_data()
    {
        QTest::addColumn<bool>("autoCloseAtStart");
        QTest::addColumn<bool>("autoCloseAtEnd");
        QTest::newRow("switched off while importing: the summary stays") << true << false;
        QTest::newRow("switched on while importing: the dialog closes") << false << true;
    }

    void aFolderGoesInThroughTheMenuEachVideoOnce()
    {
        QFETCH(bool, autoCloseAtStart);
        QFETCH(bool, autoCloseAtEnd);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        Collection collection;
        QVERIFY(collection.make(dir.filePath(QStringLiteral("Videos"))));
        QVERIFY(storeBool("MediaLibrary", "AutoCloseImportDialog", autoCloseAtStart));

        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        PlayerWindow window(plugins);
        window.show();
        // Shown before the import: it must follow the writes by itself.
        QVERIFY(window.views().showView(QLatin1String(PlayerViews::libraryName)));
        QAction* action = window.findChild<QAction*>(QStringLiteral("importFolderAction"));
        QVERIFY(action);
        QMenu* menu = nullptr;
        for (QAction* entry : window.menuBar()->actions())
            if (entry->menu() && entry->menu()->actions().contains(action))
                menu = entry->menu();
        QVERIFY(menu);
        QCOMPARE(menu->title(), QStringLiteral("&Library"));

        // The setting changes while the import runs (before it can finish:
        // its end is delivered by the event loop, after this answer).
        FolderAnswer answer(window, collection.root, [&] {
            QVERIFY(storeBool("MediaLibrary", "AutoCloseImportDialog", autoCloseAtEnd));
            window.reloadSettings();
        });
        action->trigger();
        QTRY_VERIFY(answer.shown());
        QVERIFY(answer.dialog);
        QVERIFY(!answer.dialog->isModal());
        FolderImport* import = window.views().folderImport();
        QVERIFY(import);
        QCOMPARE(import->folder(), collection.root);
        QTRY_VERIFY_WITH_TIMEOUT(import->isFinished(), 30000);

        const FolderImport::Figures figures = import->figures();
        const QList<VideoLibrary::Entry> entries = window.views().library().entries();
        QCOMPARE(realPaths(entries), collection.videos);
        QCOMPARE(entries.size(), collection.videos.size());
        QCOMPARE(figures.videosAdded, collection.videos.size());
        QCOMPARE(figures.filesLookedAt, collection.files);
        QCOMPARE(figures.skippedFolders, collection.unreadableFolders);
        QCOMPARE(figures.cancelled, false);
        QTRY_COMPARE(window.views().libraryView()->videoCount(), collection.videos.size());

        const QString added = QLocale().toString(collection.videos.size());
        if (autoCloseAtEnd) {
            QTRY_VERIFY(!answer.dialog);
            const QString message = window.statusBar()->currentMessage();
            QVERIFY2(message.contains(collection.root) && message.contains(QStringLiteral("videos added: ") + added),
                     qPrintable(message));
        } else {
            QTRY_VERIFY(answer.dialog && answer.dialog->isDone());
            QVERIFY(answer.dialog->isVisible());
            QCOMPARE(answer.dialog->stateText(), QStringLiteral("Import finished."));
            QCOMPARE(labelText(answer.dialog, "importVideosAdded"), added);
            QCOMPARE(labelText(answer.dialog, "importFilesLookedAt"), QLocale().toString(collection.files));
            QCOMPARE(labelText(answer.dialog, "importSkippedFolders"), QLocale().toString(collection.unreadableFolders));
        }

        // The same folder again: nothing new, and the count says so.
        // Compared when answered: a second import this small may end, and its
        // dialog close itself, before the next look.
        bool freshDialog = false;
        FolderAnswer again(window, collection.root, [&] {
            freshDialog = window.importDialog() && window.importDialog() != answer.dialog.data();
        });
        action->trigger();
        QTRY_VERIFY(again.shown());
        QVERIFY(freshDialog);
        QTRY_VERIFY(!answer.dialog); // the last summary went
        QTRY_VERIFY_WITH_TIMEOUT(window.views().folderImport()->isFinished(), 30000);
        QCOMPARE(window.views().folderImport()->figures().videosAdded, 0);
        QCOMPARE(window.views().library().entries().size(), collection.videos.size());
    }

    // 50,000 files on a library another program holds locked: the walk gets
    // a few thousand videos ahead of the writer and waits, so the import is
    // surely running while the window is asked to do something and when
    // Cancel is pressed. Once the lock goes, what was found lands and nothing
    // more; then the whole folder goes in.
    void aBigImportIsCancelledPartWayWhileTheWindowAnswers()
    {
        const QString memory = QStringLiteral("/dev/shm");
        QTemporaryDir dir((QFileInfo(memory).isWritable() ? memory : QDir::tempPath()) +
                          QStringLiteral("/player_import_test-XXXXXX"));
        QVERIFY(dir.isValid());
        constexpr int files = 50000;
        const QString root = dir.filePath(QStringLiteral("Archive"));
        QVERIFY(makeBigTree(root, files));
        {
            VideoLibrary library;
            QString error;
            QVERIFY2(library.open(&error), qPrintable(error));
            QVERIFY(library.ensureTable());
        }
        LockHolder lock(VideoLibrary::defaultLocation());
        QVERIFY(lock.waitUntilLocked());

        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        PlayerWindow window(plugins);
        window.show();
        QVERIFY(window.views().showView(QLatin1String(PlayerViews::libraryName)));
        auto* button = window.views().libraryView()->findChild<QPushButton*>(QStringLiteral("importFolderButton"));
        QVERIFY(button);
        FolderAnswer answer(window, root);
        button->click();
        QTRY_VERIFY(answer.shown());
        QVERIFY(answer.dialog);
        FolderImport* import = window.views().folderImport();
        QVERIFY(import && import->isRunning());

        bool delivered = false;
        bool runningWhenDelivered = false;
        QMetaObject::invokeMethod(
            &window,
            [&] {
                delivered = true;
                runningWhenDelivered = import->isRunning();
            },
            Qt::QueuedConnection);
        QTRY_VERIFY(delivered);
        QVERIFY(runningWhenDelivered);

        // Cancel once the walk is held up by the writer: it must stop at once,
        // while the library is still locked, not when the writes free it.
        QTRY_VERIFY_WITH_TIMEOUT(import->figures().videosFound > FolderImport::maximumWaiting, 30000);
        QTRY_COMPARE(labelText(answer.dialog, "importFilesLookedAt"), QLocale().toString(import->figures().filesLookedAt));
        auto* buttons = answer.dialog->findChild<QDialogButtonBox*>();
        QVERIFY(buttons && buttons->button(QDialogButtonBox::Cancel));
        buttons->button(QDialogButtonBox::Cancel)->click();
        QCOMPARE(answer.dialog->stateText(), QStringLiteral("Cancelling…"));
        QTRY_VERIFY(import->figures().cancelled);
        QVERIFY(import->isRunning()); // what was found has not landed yet
        QCOMPARE(import->figures().videosAdded, 0);
        lock.release();
        QTRY_VERIFY_WITH_TIMEOUT(import->isFinished(), 30000);

        const FolderImport::Figures figures = import->figures();
        QVERIFY(figures.cancelled);
        QVERIFY2(figures.filesLookedAt > 0 && figures.filesLookedAt < files, qPrintable(QString::number(figures.filesLookedAt)));
        QVERIFY(figures.videosAdded > 0);
        QCOMPARE(figures.videosAdded, figures.videosFound);
        QCOMPARE(window.views().library().entries().size(), figures.videosAdded);
        // Cancelled, it stays with its summary although auto-close is on.
        QVERIFY(answer.dialog && answer.dialog->isVisible() && answer.dialog->isDone());
        QVERIFY2(answer.dialog->stateText().contains(QStringLiteral("cancelled")), qPrintable(answer.dialog->stateText()));
        QCOMPARE(labelText(answer.dialog, "importVideosAdded"), QLocale().toString(figures.videosAdded));
        QTRY_COMPARE(window.views().libraryView()->videoCount(), figures.videosAdded);
        // Listed as scrolled to: a page at first, more at the end.
        QListView* list = window.views().libraryView()->videoList();
        QTRY_COMPARE(list->model()->rowCount(), LibraryListModel::pageSize);
        list->scrollToBottom();
        QTRY_VERIFY(list->model()->rowCount() > LibraryListModel::pageSize);

        // The whole folder afterwards, many writes long: the rest goes in,
        // each video once, and only the rest is counted as added.
        FolderAnswer whole(window, root);
        button->click();
        QTRY_VERIFY(whole.shown());
        QTRY_VERIFY_WITH_TIMEOUT(window.views().folderImport()->isFinished(), 60000);
        const int videos = files - files / 10;
        QCOMPARE(window.views().folderImport()->figures().videosAdded, videos - figures.videosAdded);
        QCOMPARE(window.views().library().entries().size(), videos);
    }
};

QTEST_MAIN(PlayerImportTest)
#include "player_import_test.moc"
