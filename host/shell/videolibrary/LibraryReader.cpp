#include "host/shell/videolibrary/LibraryReader.h"

#include <QThread>

#include <utility>

namespace ZelkShell {

// Lives on the reading thread and owns its connection.
class LibraryReader::Worker : public QObject {
public:
    Worker(LibraryReader& owner, QString file)
        : owner_(owner)
        , library_(std::move(file), lockWaitMs)
    {
    }

    void read(const Request& request)
    {
        Page page;
        page.request = request;
        QString error;
        // Removed while the player ran: the writer starts a new one there.
        library_.closeIfMoved();
        if (!library_.isOpen() && !library_.open(&error)) {
            page.failed = true;
            page.error = error;
            emit owner_.pageRead(page);
            return;
        }
        bool read = library_.entriesAfter(request.after, request.limit, &page.entries);
        if (read && request.withTotal)
            read = (page.total = library_.count()) >= 0;
        if (read && request.recentLimit > 0) {
            page.recent = library_.recentlyWatched(request.recentLimit);
            read = !library_.isBusy();
        }
        if (!read) {
            page.failed = true;
            page.busy = library_.isBusy();
            page.error = library_.lastError();
        }
        emit owner_.pageRead(page);
    }

private:
    LibraryReader& owner_;
    VideoLibrary library_;
};

LibraryReader::LibraryReader(QString file, QObject* parent)
    : QObject(parent)
    , worker_(std::make_unique<Worker>(*this, std::move(file)))
    , thread_(new QThread)
{
    qRegisterMetaType<ZelkShell::LibraryReader::Page>();
    thread_->setObjectName(QStringLiteral("library reader"));
    worker_->moveToThread(thread_);
    thread_->start();
}

LibraryReader::~LibraryReader()
{
    // Reads still queued are dropped with the thread's event loop.
    thread_->quit();
    thread_->wait();
    worker_.reset();
    delete thread_;
}

void LibraryReader::read(const Request& request)
{
    QMetaObject::invokeMethod(
        worker_.get(), [worker = worker_.get(), request] { worker->read(request); }, Qt::QueuedConnection);
}

} // namespace ZelkShell
