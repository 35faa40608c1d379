#pragma once

#include "host/shell/downloads/DownloadRecord.h"
#include "host/shell/downloads/TransferThread.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QLockFile>
#include <QObject>

#include <functional>
#include <memory>

class QTimer;

namespace ZelkShell {

class LibraryWriter;
class VideoLibrary;
struct BehaviourSettings;

// The player's downloads: a queue of http and https addresses saved into the
// default video folder, two at a time, the rest waiting in order. The queue
// is kept in the video library's file, read on the GUI thread through
// `reader` (which must wait at most a few milliseconds for a lock) and
// written through `writer` on its thread; the transfers run on a thread of
// their own. One running player manages the downloads; another one started
// meanwhile only shows them.
class DownloadManager : public QObject {
    Q_OBJECT

public:
    using State = DownloadRecord::State;
    // A download with what the current run knows of it.
    struct Download : DownloadRecord {
        qint64 received = 0;
        double bytesPerSecond = 0;
        // The user name and password of the address, for this run only.
        QString userInfo;
    };

    static constexpr int maxRunning = 2;
    // How soon a queue that was locked by another program is read again.
    static constexpr int busyRetryMs = 1000;

    // `settings` is asked for the current switches and folder whenever they matter.
    DownloadManager(VideoLibrary& reader, LibraryWriter& writer, std::function<BehaviourSettings()> settings,
                    QObject* parent = nullptr);
    // Stops the transfers; their data stays in the .part files, and they
    // count as unfinished at the next start.
    ~DownloadManager() override;

    // Reads the kept queue (again a little later while another program holds
    // the library locked): the downloads under way at the last quit or crash
    // continue, or wait paused when "Resume downloads on startup" is off.
    void load();
    // Whether another running player manages the downloads.
    bool managedElsewhere() const { return !lock_.isLocked(); }

    // Queues `address` for the default video folder: empty when queued, else
    // why it was refused (nothing queued).
    QString add(const QString& address);
    void pause(qint64 id);
    // Continues a paused, failed or cancelled download from the data it has.
    void resume(qint64 id);
    // Stops the download and deletes its .part file; the row stays, cancelled.
    void cancel(qint64 id);
    // Takes the row off the list: a finished file stays on the disk, the
    // .part file of an unfinished one is deleted.
    void remove(qint64 id);

    const QList<Download>& downloads() const { return downloads_; }
    const Download* find(qint64 id) const;
    // Where the file of `id` is (or will be, once complete).
    QString filePath(qint64 id) const;

signals:
    // A row changed; for a finished download, only once its completion is kept.
    void changed(qint64 id);
    void removed(qint64 id);
    void finished(qint64 id, const QString& path);
    void loaded();

private:
    enum class Intent { None, Pause, Cancel, Remove, Restart };

    Download* row(qint64 id);
    qint64 nextId();
    void startWaiting();
    void startTransfer(Download& download);
    DownloadJob jobFor(const Download& download) const;
    void inspectFiles();
    void inspected(qint64 id, TransferThread::Found found, qint64 size, qint64 device, qint64 inode,
                   qint64 bornNs);
    void named(qint64 id, const QString& folder, const QString& name, qint64 total, const QByteArray& validator,
               const QString& note);
    void partMade(qint64 id, qint64 device, qint64 inode, qint64 bornNs);
    void progressed(qint64 id, qint64 received, qint64 total);
    void completed(qint64 id, const QString& name, qint64 size);
    void completionKept(qint64 id);
    void stopped(qint64 id, const QString& reason, qint64 received, bool partGone);
    // Deletes the download's own .part off the GUI thread; true when it
    // does, and `then` follows once stopped() reports it gone.
    bool discardPart(const Download& download, Intent then);
    void dropRow(qint64 id);
    void store(const DownloadRecord& record);
    // Stores `record`, then (on this thread, once it is in the file, or
    // could not be written for good) calls `then` with its id.
    void storeThen(const DownloadRecord& record, void (*then)(DownloadManager& self, qint64 id));
    void setState(Download& download, State state);

    VideoLibrary& reader_;
    LibraryWriter& writer_;
    std::function<BehaviourSettings()> settings_;
    QLockFile lock_;
    std::unique_ptr<TransferThread> transfers_;
    QList<Download> downloads_;
    QHash<qint64, Intent> intents_;
    struct RateSample {
        QElapsedTimer clock;
        qint64 bytes = 0;
    };
    QHash<qint64, RateSample> samples_;
    QTimer* retryLoad_;
    // Rows whose files are being looked at after the start: nothing starts
    // before all are, so a finished file is not downloaded again.
    int inspecting_ = 0;
    // Lets a write finished on the writer's thread find this manager, if
    // it still exists, back on the GUI thread.
    std::shared_ptr<DownloadManager*> self_;
    bool loaded_ = false;
    qint64 lastId_ = 0;
};

} // namespace ZelkShell
