#include "LoopbackHttpServer.h"

#include <QHostAddress>
#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace zelktest {

namespace {

constexpr qint64 pieceBytes = 1 << 20;
constexpr qint64 queuedBytesLimit = 4 << 20;

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 206: return "Partial Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 401: return "Unauthorized";
    case 404: return "Not Found";
    case 416: return "Range Not Satisfiable";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

} // namespace

struct LoopbackHttpServer::Connection {
    QTcpSocket* socket = nullptr;
    QByteArray received;
    QByteArray body;
    qint64 next = 0;
    qint64 end = 0;
    qint64 dropAt = -1; // -1: send to the end
    QTimer* pace = nullptr;
    bool answering = false;
};

LoopbackHttpServer::LoopbackHttpServer(QObject* parent)
    : QObject(parent)
    , server_(new QTcpServer(this))
{
    connect(server_, &QTcpServer::newConnection, this, &LoopbackHttpServer::accept);
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    for (Connection* connection : qAsConst(connections_)) {
        connection->socket->disconnect(this);
        delete connection->pace;
        delete connection;
    }
}

bool LoopbackHttpServer::listen()
{
    return server_->listen(QHostAddress::LocalHost, 0);
}

quint16 LoopbackHttpServer::port() const
{
    return server_->serverPort();
}

QUrl LoopbackHttpServer::url(const QByteArray& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(QString::fromLatin1(path)));
}

void LoopbackHttpServer::serve(const QByteArray& path, const Resource& resource)
{
    scripts_.remove(path);
    resources_.insert(path, resource);
}

void LoopbackHttpServer::script(const QByteArray& path, Script script)
{
    scripts_.insert(path, std::move(script));
}

void LoopbackHttpServer::dropAfter(qint64 bytes, int times)
{
    dropAfterBytes_ = bytes;
    dropsLeft_ = times;
}

void LoopbackHttpServer::setPace(int bytes, int intervalMs)
{
    paceBytes_ = bytes;
    paceIntervalMs_ = intervalMs;
}

QList<LoopbackHttpServer::Request> LoopbackHttpServer::requests() const
{
    QMutexLocker lock(&mutex_);
    return requests_;
}

int LoopbackHttpServer::requestCount() const
{
    QMutexLocker lock(&mutex_);
    return requests_.size();
}

void LoopbackHttpServer::accept()
{
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        auto* connection = new Connection;
        connection->socket = socket;
        connections_.insert(connection);
        connect(socket, &QTcpSocket::readyRead, this, [this, connection] { readRequest(connection); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, connection] {
            if (!connection->pace)
                sendMore(connection);
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, connection] {
            connections_.remove(connection);
            connection->socket->deleteLater();
            if (connection->pace) {
                connection->pace->stop();
                connection->pace->deleteLater(); // it may be the one calling
            }
            delete connection;
        });
    }
}

void LoopbackHttpServer::readRequest(Connection* connection)
{
    connection->received += connection->socket->readAll();
    const int headerEnd = connection->received.indexOf("\r\n\r\n");
    if (headerEnd < 0 || connection->answering)
        return;
    const QList<QByteArray> lines = connection->received.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    Request request;
    request.method = requestLine.value(0);
    request.path = requestLine.value(1);
    for (int i = 1; i < lines.size(); ++i) {
        const int colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
    }
    {
        QMutexLocker lock(&mutex_);
        requests_.append(request);
    }
    connection->answering = true;
    answer(connection, request);
}

void LoopbackHttpServer::answer(Connection* connection, const Request& request)
{
    QByteArray head;
    const auto found = resources_.constFind(request.path);
    Resource resource;
    resource.status = 404;
    if (found != resources_.constEnd())
        resource = *found;
    if (const auto scripted = scripts_.constFind(request.path); scripted != scripts_.constEnd())
        resource = (*scripted)(request);
    if (!resource.authorization.isEmpty() && request.header("Authorization") != resource.authorization) {
        resource.status = 401;
        head += "WWW-Authenticate: Basic realm=\"films\"\r\n";
    }
    const auto header = [&head](const QByteArray& name, const QByteArray& value) {
        if (!value.isEmpty())
            head += name + ": " + value + "\r\n";
    };
    int status = resource.status;
    qint64 first = 0;
    qint64 size = resource.body.size();
    QByteArray body = resource.body;
    if (status == 200 && honourRange_ && request.header("Range").startsWith("bytes=")) {
        const QByteArray ifRange = request.header("If-Range");
        const bool same = ifRange.isEmpty() || ifRange == resource.etag || ifRange == resource.lastModified;
        const QByteArray range = request.header("Range").mid(6);
        const qint64 from = range.left(range.indexOf('-')).toLongLong();
        if (same && from >= size) {
            status = 416;
            header("Content-Range", "bytes */" + QByteArray::number(size));
            body.clear();
            size = 0;
        } else if (same) {
            status = 206;
            first = from;
            header("Content-Range",
                   "bytes " + QByteArray::number(from) + '-' + QByteArray::number(size - 1) + '/' + QByteArray::number(size));
        }
    }
    header("Content-Range", resource.contentRange);
    if (status != 200 && status != 206 && status != 416) {
        body = status >= 300 && status < 400 ? QByteArray() : QByteArray("no such file\n");
        first = 0;
        size = body.size();
        header("Location", resource.location);
    } else if (status != 416) {
        header("ETag", resource.etag);
        header("Last-Modified", resource.lastModified);
        header("Content-Disposition", resource.contentDisposition);
        header("Accept-Ranges", honourRange_ ? "bytes" : "none");
        header("Content-Type", "application/octet-stream");
    }
    header("Content-Length", QByteArray::number(resource.contentLength >= 0 ? resource.contentLength : size - first));
    header("Connection", "close");
    connection->socket->write("HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n" + head
                              + "\r\n");
    connection->body = body;
    connection->next = first;
    connection->end = size;
    if (dropsLeft_ > 0 && size - first > 0) {
        --dropsLeft_;
        connection->dropAt = first + dropAfterBytes_;
    }
    if (paceBytes_ > 0) {
        connection->pace = new QTimer;
        connect(connection->pace, &QTimer::timeout, this, [this, connection] { sendMore(connection); });
        connection->pace->start(paceIntervalMs_);
    }
    sendMore(connection);
}

void LoopbackHttpServer::sendMore(Connection* connection)
{
    const qint64 stop = connection->dropAt >= 0 ? std::min(connection->dropAt, connection->end) : connection->end;
    QTcpSocket* socket = connection->socket;
    if (socket->state() != QAbstractSocket::ConnectedState)
        return;
    while (connection->next < stop && socket->bytesToWrite() < queuedBytesLimit) {
        const qint64 piece = std::min(connection->pace ? qint64(paceBytes_) : pieceBytes, stop - connection->next);
        socket->write(connection->body.constData() + connection->next, piece);
        connection->next += piece;
        if (connection->pace)
            break;
    }
    if (connection->next >= stop) {
        if (connection->pace)
            connection->pace->stop();
        socket->disconnectFromHost(); // after what is queued has gone
    }
}

} // namespace zelktest
