#include "host/shell/downloads/DownloadManager.h"

#include "host/shell/behaviour/BehaviourSettings.h"
#include "host/shell/downloads/DownloadMessages.h"
#include "host/shell/downloads/DownloadNames.h"
#include "host/shell/downloads/TransferThread.h"
#include "host/shell/videolibrary/LibraryWriter.h"
#include "host/shell/videolibrary/VideoLibrary.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <limits>

namespace ZelkShell {

namespace {

QString lockFileBeside(const QString& libraryFile)
{
    return QFileInfo(libraryFile).absoluteDir().filePath(QStringLiteral("downloads.lock"));
}

} // namespace

DownloadManager::DownloadManager(VideoLibrary& reader, LibraryWriter& writer,
                                 std::function<BehaviourSettings()> settings, QObject* parent)
    : QObject(parent)
    , reader_(reader)
    , writer_(writer)
    , settings_(std::move(settings))
    , lock_(lockFileBeside(reader.file()))
    , transfers_(std::make_unique<TransferThread>())
    , retryLoad_(new QTimer(this))
    , self_(std::make_shared<DownloadManager*>(this))
{
    // A lock is stale only when its player is gone (killed or crashed), not
    // because it is old: players run for days.
    lock_.setStaleLockTime(std::numeric_limits<int>::max());
    if (!lock_.tryLock(0) && lock_.error() != QLockFile::LockFailedError)
        qWarning("zelk-player: the downloads cannot be managed: %s cannot be created",
                 qUtf8Printable(lockFileBeside(reader.file())));
    retryLoad_->setSingleShot(true);
    retryLoad_->setInterval(busyRetryMs);
    connect(retryLoad_, &QTimer::timeout, this, &DownloadManager::load);
    connect(transfers_.get(), &TransferThread::named, this, &DownloadManager::named);
    connect(transfers_.get(), &TransferThread::partMade, this, &DownloadManager::partMade);
    connect(transfers_.get(), &TransferThread::inspected, this, &DownloadManager::inspected);
    connect(transfers_.get(), &TransferThread::progressed, this, &DownloadManager::progressed);
    connect(transfers_.get(), &TransferThread::completed, this, &DownloadManager::completed);
    connect(transfers_.get(), &TransferThread::stopped, this, &DownloadManager::stopped);
}

DownloadManager::~DownloadManager()
{
    self_.reset(); // writes finishing from now on find no one to tell
    transfers_.reset(); // stops the transfers before the rows go
}

void DownloadManager::load()
{
    if (loaded_)
        return;
    QList<DownloadRecord> records;
    const bool read = reader_.withConnection(QStringLiteral("read the downloads"), [&records](sqlite3* db) {
        return DownloadTable::load(db, &records);
    });
    if (!read && reader_.isBusy()) {
        retryLoad_->start();
        return;
    }
    if (!read)
        qWarning("zelk-player: the download queue cannot be read: %s", qUtf8Printable(reader_.lastError()));
    loaded_ = true;
    const BehaviourSettings settings = settings_();
    const bool managing = !managedElsewhere();
    for (const DownloadRecord& record : records) {
        if (find(record.id))
            continue;
        Download download;
        static_cast<DownloadRecord&>(download) = record;
        lastId_ = std::max(lastId_, record.id);
        if (managing && record.state == State::Finished && settings.autoClearDownloads) {
            dropRow(record.id);
            continue;
        }
        // What was under way at the last quit (or crash) goes on, or waits.
        if (managing && record.state == State::Downloading)
            download.state = State::Queued;
        if (managing && download.state == State::Queued && !settings.resumeDownloadsOnStartup) {
            download.state = State::Paused;
            store(download);
        }
        download.received = download.state == State::Finished ? std::max<qint64>(download.total, 0) : 0;
        downloads_.append(download);
    }
    std::sort(downloads_.begin(), downloads_.end(),
              [](const Download& a, const Download& b) { return a.id < b.id; });
    for (const Download& download : downloads_)
        emit changed(download.id);
    emit loaded();
    inspectFiles();
    startWaiting();
}

void DownloadManager::inspectFiles()
{
    QList<DownloadJob> jobs;
    for (const Download& download : qAsConst(downloads_)) {
        if (!download.name.isEmpty() && download.state != State::Finished && download.state != State::Cancelled)
            jobs << jobFor(download);
    }
    inspecting_ = jobs.size();
    if (!jobs.isEmpty())
        transfers_->inspect(jobs);
}

void DownloadManager::inspected(qint64 id, TransferThread::Found found, qint64 size, qint64 device, qint64 inode,
                                qint64 bornNs)
{
    inspecting_ = std::max(inspecting_ - 1, 0);
    Download* download = row(id);
    if (download && managedElsewhere()) {
        // Only shown here: the managing player sorts the files out.
        download->received = found == TransferThread::Found::OwnPart ? size : 0;
        emit changed(id);
    } else if (download) {
        const FileIdentity identity{device, inode, bornNs};
        switch (found) {
        case TransferThread::Found::Finished:
            // Complete on the disk, only its record was missing (a quit or
            // crash right after the rename).
            download->part = identity;
            download->received = size;
            setState(*download, State::Finished);
            if (const QString path = filePath(id); VideoLibrary::isVideoFile(path))
                writer_.enqueue([path](VideoLibrary& library) { return library.add(path, false); });
            break;
        case TransferThread::Found::OwnPart:
            download->received = size;
            if (download->part != identity) {
                download->part = identity; // adopted: the row named it before it was made
                store(*download);
            }
            emit changed(id);
            break;
        case TransferThread::Found::ForeignPart:
            // Not this download's data: never continued, nor deleted.
            download->received = 0;
            download->part = FileIdentity();
            store(*download);
            emit changed(id);
            break;
        case TransferThread::Found::NoPart:
            download->received = 0;
            break;
        }
    }
    if (inspecting_ == 0)
        startWaiting();
}

QString DownloadManager::add(const QString& address)
{
    const QString trimmed = address.trimmed();
    // Tolerant, as a browser's address bar: a pasted address with a space
    // in its path is the address with %20 there.
    QUrl url(trimmed, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        || url.host().isEmpty())
        return DownloadMessages::refusedAddress(trimmed);
    // A user name and password are held for this run only: never kept,
    // shown or logged.
    const QString userInfo = url.userInfo(QUrl::FullyEncoded);
    url.setUserInfo(QString());
    if (managedElsewhere())
        return tr("Another Zelk Player is managing the downloads; add the address there.");
    Download download;
    download.id = nextId();
    download.url = url.toString(QUrl::FullyEncoded);
    download.folder = settings_().mediaFolder;
    download.state = State::Queued;
    download.userInfo = userInfo;
    download.signsIn = !userInfo.isEmpty();
    downloads_.append(download);
    store(download);
    emit changed(download.id);
    startWaiting();
    return QString();
}

qint64 DownloadManager::nextId()
{
    // Growing with the time as well, so that ids made before the kept queue
    // could be read stay after the ones it holds.
    lastId_ = std::max(lastId_ + 1, QDateTime::currentMSecsSinceEpoch() * 1000);
    return lastId_;
}

const DownloadManager::Download* DownloadManager::find(qint64 id) const
{
    for (const Download& download : downloads_) {
        if (download.id == id)
            return &download;
    }
    return nullptr;
}

DownloadManager::Download* DownloadManager::row(qint64 id)
{
    return const_cast<Download*>(find(id));
}

QString DownloadManager::filePath(qint64 id) const
{
    const Download* download = find(id);
    return download && !download->name.isEmpty() ? QDir(download->folder).filePath(download->name) : QString();
}

void DownloadManager::startWaiting()
{
    if (managedElsewhere())
        return;
    int running = int(std::count_if(downloads_.begin(), downloads_.end(),
                                    [](const Download& download) { return download.state == State::Downloading; }));
    for (Download& download : downloads_) {
        if (running >= maxRunning)
            break;
        if (inspecting_ > 0)
            break;
        if (download.state == State::Queued && !intents_.contains(download.id)) {
            startTransfer(download);
            ++running;
        }
    }
}

void DownloadManager::startTransfer(Download& download)
{
    download.error.clear();
    download.bytesPerSecond = 0;
    samples_.remove(download.id);
    setState(download, State::Downloading);
    transfers_->start(jobFor(download));
}

DownloadJob DownloadManager::jobFor(const Download& download) const
{
    DownloadJob job;
    job.id = download.id;
    job.url = QUrl(download.url);
    if (!download.userInfo.isEmpty())
        job.url.setUserInfo(download.userInfo, QUrl::StrictMode);
    job.folder = download.folder;
    job.name = download.name;
    job.validator = download.validator;
    job.total = download.total;
    job.part = download.part;
    job.signsIn = download.signsIn;
    job.dataFolder = QFileInfo(reader_.file()).absolutePath();
    return job;
}

void DownloadManager::named(qint64 id, const QString& folder, const QString& name, qint64 total,
                            const QByteArray& validator, const QString& note)
{
    Download* download = row(id);
    if (!download)
        return;
    download->folder = folder;
    download->name = name;
    download->total = total;
    download->validator = validator;
    download->error = note;
    // The .part is made only once the row names it in the file: a crash
    // never leaves a .part that no row names.
    storeThen(*download, [](DownloadManager& self, qint64 kept) { self.transfers_->nameKept(kept); });
    emit changed(id);
}

void DownloadManager::partMade(qint64 id, qint64 device, qint64 inode, qint64 bornNs)
{
    Download* download = row(id);
    if (!download)
        return;
    download->part = FileIdentity{device, inode, bornNs};
    store(*download);
}

void DownloadManager::progressed(qint64 id, qint64 received, qint64 total)
{
    Download* download = row(id);
    if (!download || download->state != State::Downloading)
        return;
    RateSample& sample = samples_[id];
    if (sample.clock.isValid() && sample.clock.elapsed() > 0) {
        const double now = double(received - sample.bytes) * 1000.0 / double(sample.clock.elapsed());
        // Smoothed, so that the time left does not jump at every report.
        download->bytesPerSecond = download->bytesPerSecond > 0 ? 0.7 * download->bytesPerSecond + 0.3 * now : now;
    }
    sample.clock.start();
    sample.bytes = received;
    download->received = received;
    download->total = total;
    emit changed(id);
}

void DownloadManager::completed(qint64 id, const QString& name, qint64 size)
{
    intents_.remove(id);
    samples_.remove(id);
    Download* download = row(id);
    if (!download)
        return;
    download->name = name;
    download->received = size;
    download->total = size;
    download->bytesPerSecond = 0;
    // Reported finished only once the file says so: a quit or crash before
    // that finds a row still downloading, and the finished file at start.
    DownloadRecord finished = *download;
    finished.state = State::Finished;
    storeThen(finished, [](DownloadManager& self, qint64 kept) { self.completionKept(kept); });
}

void DownloadManager::completionKept(qint64 id)
{
    Download* download = row(id);
    if (!download)
        return;
    const QString path = filePath(id);
    if (VideoLibrary::isVideoFile(path))
        writer_.enqueue([path](VideoLibrary& library) { return library.add(path, false); });
    if (settings_().autoClearDownloads) {
        dropRow(id);
    } else {
        setState(*download, State::Finished);
    }
    emit finished(id, path);
    startWaiting();
}

void DownloadManager::stopped(qint64 id, const QString& reason, qint64 received, bool partGone)
{
    const Intent intent = intents_.take(id);
    samples_.remove(id);
    Download* download = row(id);
    if (!download)
        return;
    download->received = received;
    download->bytesPerSecond = 0;
    if (partGone)
        download->part = FileIdentity();
    switch (intent) {
    case Intent::Restart:
        setState(*download, State::Queued);
        break;
    case Intent::Remove:
        dropRow(id);
        break;
    case Intent::Cancel:
        download->received = 0;
        setState(*download, State::Cancelled);
        break;
    case Intent::Pause:
        setState(*download, State::Paused);
        break;
    case Intent::None:
        download->error = reason;
        setState(*download, reason.isEmpty() ? State::Paused : State::Failed);
        break;
    }
    startWaiting();
}

void DownloadManager::pause(qint64 id)
{
    Download* download = row(id);
    if (!download || managedElsewhere())
        return;
    if (download->state == State::Downloading) {
        intents_.insert(id, Intent::Pause);
        transfers_->stop(id, false);
    } else if (download->state == State::Queued) {
        setState(*download, State::Paused);
    }
}

void DownloadManager::resume(qint64 id)
{
    Download* download = row(id);
    if (!download || managedElsewhere())
        return;
    // Resumed while still pausing: goes on once the pause has stopped it.
    if (intents_.value(id) == Intent::Pause) {
        intents_.insert(id, Intent::Restart);
        return;
    }
    if (intents_.contains(id))
        return;
    if (download->state == State::Paused || download->state == State::Failed || download->state == State::Cancelled) {
        download->error.clear();
        setState(*download, State::Queued);
        startWaiting();
    }
}

void DownloadManager::cancel(qint64 id)
{
    Download* download = row(id);
    if (!download || managedElsewhere() || download->state == State::Finished)
        return;
    if (download->state == State::Downloading) {
        intents_.insert(id, Intent::Cancel);
        transfers_->stop(id, true);
        return;
    }
    if (discardPart(*download, Intent::Cancel))
        return;
    download->received = 0;
    setState(*download, State::Cancelled);
}

void DownloadManager::remove(qint64 id)
{
    Download* download = row(id);
    if (!download || managedElsewhere())
        return;
    if (download->state == State::Downloading) {
        intents_.insert(id, Intent::Remove);
        transfers_->stop(id, true);
        return;
    }
    if (download->state != State::Finished && discardPart(*download, Intent::Remove))
        return;
    dropRow(id);
}

bool DownloadManager::discardPart(const Download& download, Intent then)
{
    // Only the .part this download made; whatever else has its name stays.
    if (!download.part.isKnown())
        return false;
    intents_.insert(download.id, then); // done when stopped() says the file is gone
    transfers_->discard(jobFor(download));
    return true;
}

void DownloadManager::dropRow(qint64 id)
{
    downloads_.erase(std::remove_if(downloads_.begin(), downloads_.end(),
                                    [id](const Download& download) { return download.id == id; }),
                     downloads_.end());
    if (!managedElsewhere()) {
        writer_.enqueue([id](VideoLibrary& library) {
            return library.withConnection(QStringLiteral("remove a download"),
                                          [id](sqlite3* db) { return DownloadTable::remove(db, id); });
        });
    }
    emit removed(id);
}

void DownloadManager::setState(Download& download, State state)
{
    download.state = state;
    store(download);
    emit changed(download.id);
}

void DownloadManager::storeThen(const DownloadRecord& record, void (*then)(DownloadManager&, qint64))
{
    if (managedElsewhere())
        return;
    const std::weak_ptr<DownloadManager*> alive = self_;
    writer_.enqueue([record, alive, then](VideoLibrary& library) {
        const bool saved = library.withConnection(
            QStringLiteral("keep a download"), [&record](sqlite3* db) { return DownloadTable::save(db, record); });
        // Tried again later while locked; otherwise done, kept or not.
        if (saved || !library.isBusy()) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [alive, then, id = record.id] {
                    if (const std::shared_ptr<DownloadManager*> self = alive.lock())
                        then(**self, id);
                },
                Qt::QueuedConnection);
        }
        return saved;
    });
}

void DownloadManager::store(const DownloadRecord& record)
{
    if (managedElsewhere())
        return;
    writer_.enqueue([record](VideoLibrary& library) {
        return library.withConnection(QStringLiteral("keep a download"),
                                      [&record](sqlite3* db) { return DownloadTable::save(db, record); });
    });
}

} // namespace ZelkShell
