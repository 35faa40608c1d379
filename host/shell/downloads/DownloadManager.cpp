#include "host/shell/downloads/DownloadManager.h"

#include "host/shell/behaviour/BehaviourSettings.h"
#include "host/shell/downloads/DownloadMessages.h"
#include "host/shell/downloads/DownloadNames.h"
#include "host/shell/downloads/TransferThread.h"
#include "host/shell/videolibrary/LibraryWriter.h"
#include "host/shell/videolibrary/VideoLibrary.h"

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

QString partPath(const DownloadRecord& record)
{
    return record.name.isEmpty() ? QString()
                                 : QDir(record.folder).filePath(record.name + DownloadNames::partSuffix);
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
    connect(transfers_.get(), &TransferThread::answered, this, &DownloadManager::answered);
    connect(transfers_.get(), &TransferThread::progressed, this, &DownloadManager::progressed);
    connect(transfers_.get(), &TransferThread::completed, this, &DownloadManager::completed);
    connect(transfers_.get(), &TransferThread::stopped, this, &DownloadManager::stopped);
}

DownloadManager::~DownloadManager()
{
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
        const QFileInfo part(partPath(download));
        download.received = download.state == State::Finished ? std::max<qint64>(download.total, 0)
                                                              : (part.isFile() ? part.size() : 0);
        downloads_.append(download);
    }
    std::sort(downloads_.begin(), downloads_.end(),
              [](const Download& a, const Download& b) { return a.id < b.id; });
    for (const Download& download : downloads_)
        emit changed(download.id);
    emit loaded();
    startWaiting();
}

QString DownloadManager::add(const QString& address)
{
    const QString trimmed = address.trimmed();
    // Tolerant, as a browser's address bar: a pasted address with a space
    // in its path is the address with %20 there.
    const QUrl url(trimmed, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        || url.host().isEmpty())
        return DownloadMessages::refusedAddress(trimmed);
    if (managedElsewhere())
        return tr("Another Zelk Player is managing the downloads; add the address there.");
    Download download;
    download.id = nextId();
    download.url = url.toString(QUrl::FullyEncoded);
    download.folder = settings_().mediaFolder;
    download.state = State::Queued;
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
    DownloadJob job;
    job.id = download.id;
    job.url = QUrl(download.url);
    job.folder = download.folder;
    job.name = download.name;
    job.validator = download.validator;
    job.total = download.total;
    transfers_->start(job);
}

void DownloadManager::answered(qint64 id, const QString& name, qint64 total, const QString& validator)
{
    Download* download = row(id);
    if (!download)
        return;
    download->name = name;
    download->total = total;
    download->validator = validator;
    // Kept at once: after a crash, the .part is found under this name.
    store(*download);
    emit changed(id);
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

void DownloadManager::stopped(qint64 id, const QString& reason, qint64 received)
{
    const Intent intent = intents_.take(id);
    samples_.remove(id);
    Download* download = row(id);
    if (!download)
        return;
    download->received = received;
    download->bytesPerSecond = 0;
    switch (intent) {
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
    if (!download || managedElsewhere() || intents_.contains(id))
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
    discardPart(*download);
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
    if (download->state != State::Finished)
        discardPart(*download);
    dropRow(id);
}

void DownloadManager::discardPart(const Download& download)
{
    const QString part = partPath(download);
    if (!part.isEmpty() && QFileInfo(part).isFile() && !QFile::remove(part))
        qWarning("zelk-player: %s could not be deleted", qUtf8Printable(part));
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
