#pragma once

#include "host/shell/videolibrary/VideoLibrary.h"

#include <QObject>
#include <QString>

#include <memory>

class QThread;

namespace ZelkShell {

// Reads the video library on a thread of its own, with a connection of its
// own, so that the window never waits for a large library, a slow disk or
// another process's lock. Each read is answered by pageRead(), on the
// reader's thread (the GUI thread), in the order asked.
class LibraryReader : public QObject {
    Q_OBJECT

public:
    struct Request {
        quint64 ticket = 0; // returned with the answer, to tell stale ones
        QString after;      // the entries after this path; empty: from the first
        int limit = 0;
        bool withTotal = false; // count every entry too
        int recentLimit = 0;    // > 0: the recently watched too
    };
    struct Page {
        Request request;
        QList<VideoLibrary::Entry> entries;
        QList<VideoLibrary::Entry> recent;
        int total = -1;
        bool failed = false;
        bool busy = false; // the failure was another process's lock
        QString error;
    };

    // How long a read waits for another process's lock before it answers busy.
    static constexpr int lockWaitMs = 100;

    explicit LibraryReader(QString file, QObject* parent = nullptr);
    // Waits for the read under way (bounded by lockWaitMs), drops the rest.
    ~LibraryReader() override;

    void read(const Request& request);

signals:
    void pageRead(const ZelkShell::LibraryReader::Page& page);

private:
    class Worker;

    std::unique_ptr<Worker> worker_;
    QThread* thread_;
};

} // namespace ZelkShell

Q_DECLARE_METATYPE(ZelkShell::LibraryReader::Page)
