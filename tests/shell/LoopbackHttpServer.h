#pragma once

// A small HTTP/1.1 server on the loopback interface for the download tests
// and benchmark: it serves files from memory, with or without honouring
// Range, can change a file between requests (a new ETag), drop the
// connection part-way, send slowly, answer 404 or redirect, ask for a
// password, and records every request it gets. A script can answer each
// request as a hostile server would (a 206 for another range or file, a 416
// for everything, a length it does not send).

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QSet>
#include <QUrl>

#include <functional>

class QTcpServer;
class QTcpSocket;

namespace zelktest {

class LoopbackHttpServer : public QObject {
    Q_OBJECT

public:
    struct Resource {
        QByteArray body;
        QByteArray etag;          // sent when not empty, quoted as given
        QByteArray lastModified;  // sent when not empty
        QByteArray contentDisposition;
        int status = 200;         // 206 and 416 are sent as given; others but 200 with a short text
        QByteArray location;      // for a 3xx status
        QByteArray contentRange;  // sent when not empty
        qint64 contentLength = -1; // claimed instead of the body's size when not -1
        QByteArray authorization; // the Authorization wanted: 401 without it
    };
    struct Request {
        QByteArray method;
        QByteArray path;
        QHash<QByteArray, QByteArray> headers; // names in lower case
        QByteArray header(const char* name) const { return headers.value(QByteArray(name).toLower()); }
    };

    explicit LoopbackHttpServer(QObject* parent = nullptr);
    ~LoopbackHttpServer() override;

    // Listens on 127.0.0.1 at a free port; false when it cannot.
    bool listen();
    quint16 port() const;
    QUrl url(const QByteArray& path) const;

    using Script = std::function<Resource(const Request&)>;

    // Serves `resource` at `path` from the next request on.
    void serve(const QByteArray& path, const Resource& resource);
    // Answers each request for `path` with what `script` returns for it.
    void script(const QByteArray& path, Script script);
    // Whether Range requests get 206 answers (else always the whole file).
    void setHonourRange(bool honour) { honourRange_ = honour; }
    // The next `times` answers with a body end the connection after
    // `bytes` bytes of it.
    void dropAfter(qint64 bytes, int times = 1);
    // Sends bodies `bytes` at a time, one piece every `intervalMs`; 0 sends
    // as fast as the connection takes them.
    void setPace(int bytes, int intervalMs);

    QList<Request> requests() const;
    int requestCount() const;

private:
    struct Connection;

    void accept();
    void readRequest(Connection* connection);
    void answer(Connection* connection, const Request& request);
    void sendMore(Connection* connection);

    QTcpServer* server_;
    QHash<QByteArray, Resource> resources_;
    QHash<QByteArray, Script> scripts_;
    bool honourRange_ = true;
    qint64 dropAfterBytes_ = -1;
    int dropsLeft_ = 0;
    int paceBytes_ = 0;
    int paceIntervalMs_ = 0;
    mutable QMutex mutex_;
    QList<Request> requests_;
    QSet<Connection*> connections_;
};

} // namespace zelktest
