// What the download tests share: the loopback server's resources, a
// download manager without a window on the isolated library, and the
// folder the downloads go to.

#pragma once

#include "IsolatedEnvironment.h"
#include "LibraryTestSupport.h"
#include "LoopbackHttpServer.h"
#include "PlaybackTestMedia.h"
#include "ShellTestSupport.h"

#include "host/shell/behaviour/BehaviourSettings.h"
#include "host/shell/downloads/DownloadManager.h"
#include "host/shell/downloads/DownloadNames.h"
#include "host/shell/downloads/DownloadTransfer.h"
#include "host/shell/engine/PlaybackEngine.h"
#include "host/shell/videolibrary/LibraryWriter.h"
#include "host/shell/videolibrary/VideoLibrary.h"
#include "host/shell/window/DownloadRow.h"
#include "host/shell/window/DownloadsView.h"
#include "host/shell/window/PlayerViews.h"
#include "host/shell/window/PlayerWindow.h"
#include "settings/PreferenceAccessors.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

namespace zelktest::downloads {

using namespace ZelkShell;
using State = DownloadManager::State;

inline constexpr int waitMs = 30000;

inline QByteArray randomBytes(int size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(seed);
    generator.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

inline QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

inline LoopbackHttpServer::Resource file(const QByteArray& body, const QByteArray& etag = "\"v1\"",
                                  const QByteArray& disposition = QByteArray())
{
    LoopbackHttpServer::Resource resource;
    resource.body = body;
    resource.etag = etag;
    resource.lastModified = "Mon, 07 Dec 2026 10:00:00 GMT";
    resource.contentDisposition = disposition;
    return resource;
}

// The rest of `body` from `from`, as a 206 with `etag` says it.
inline LoopbackHttpServer::Resource partial(const QByteArray& body, qint64 from, const QByteArray& etag)
{
    LoopbackHttpServer::Resource resource = file(body.mid(from), etag);
    resource.status = 206;
    resource.contentRange = "bytes " + QByteArray::number(from) + '-' + QByteArray::number(body.size() - 1) + '/'
                            + QByteArray::number(body.size());
    return resource;
}

inline FileIdentity identityOf(const QString& path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0
               ? FileIdentity{qint64(status.st_dev), qint64(status.st_ino)}
               : FileIdentity();
}

// The queue as the library's file keeps it, read like another process would.
inline QList<DownloadRecord> keptQueue()
{
    VideoLibrary library(VideoLibrary::defaultLocation(), 1000);
    QString error;
    QList<DownloadRecord> records;
    if (library.open(&error))
        library.withConnection(QStringLiteral("read"), [&records](sqlite3* db) {
            return DownloadTable::load(db, &records);
        });
    return records;
}

// A download manager without a window, on the isolated library.
class Downloads {
public:
    explicit Downloads(const QString& folder)
    {
        settings.mediaFolder = folder;
        QString error;
        if (!library.open(&error))
            qWarning("library: %s", qUtf8Printable(error));
        writer = std::make_unique<LibraryWriter>(library.file());
        manager = std::make_unique<DownloadManager>(library, *writer, [this] { return settings; });
        manager->load();
    }

    qint64 add(const QUrl& url)
    {
        const QString refusal = manager->add(url.toString());
        return refusal.isEmpty() ? manager->downloads().last().id : -1;
    }
    // All queued writes in the library's file.
    bool settled() { return QTest::qWaitFor([this] { return writer->pending() == 0; }, waitMs); }
    bool waitFor(qint64 id, State state)
    {
        return QTest::qWaitFor([&] { return this->state(id) == state; }, waitMs);
    }
    State state(qint64 id) const
    {
        const DownloadManager::Download* download = manager->find(id);
        return download ? download->state : State::Cancelled;
    }
    QString error(qint64 id) const
    {
        const DownloadManager::Download* download = manager->find(id);
        return download ? download->error : QStringLiteral("(no row)");
    }

    BehaviourSettings settings;
    VideoLibrary library{VideoLibrary::defaultLocation(), PlayerViews::readWaitMs};
    std::unique_ptr<LibraryWriter> writer;
    std::unique_ptr<DownloadManager> manager;
};


// The server and the folder of one test program, made once; init() of each
// test empties both.
struct DownloadFixture {
    bool setUp()
    {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
        // The player's own data folder, so that a player started by the test
        // keeps its queue in the same library file.
        QCoreApplication::setApplicationName(QStringLiteral("zelk-player"));
        // A folder of its own, so that "outside" it is inside the test's too.
        folder = QDir(base.filePath(QStringLiteral("Videos")));
        return server.listen() && base.isValid() && folder.mkpath(QStringLiteral("."));
    }
    bool reset()
    {
        startWithNothingStored();
        server.setHonourRange(true);
        server.setPace(0, 0);
        server.dropAfter(-1, 0);
        for (const QString& name : folderEntries(folder.path()))
            if (!QFile::remove(folder.filePath(name)))
                return false;
        return true;
    }

    LoopbackHttpServer server;
    QTemporaryDir base;
    QDir folder;
};

} // namespace zelktest::downloads
