#include "host/shell/downloads/DownloadTransfer.h"

#include "host/shell/downloads/DownloadMessages.h"
#include "host/shell/downloads/DownloadNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <unistd.h>

#include <cerrno>

namespace ZelkShell {

namespace Names = DownloadNames;

DownloadTransfer::DownloadTransfer(QNetworkAccessManager& network, DownloadJob job, QObject* parent)
    : QObject(parent)
    , network_(network)
    , job_(std::move(job))
{
    buffer_.resize(writeChunkBytes);
}

DownloadTransfer::~DownloadTransfer()
{
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
}

void DownloadTransfer::start()
{
    const QFileInfo folder(job_.folder);
    if (job_.folder.isEmpty())
        return end(DownloadMessages::noFolderSet());
    if (!folder.isDir())
        return end(DownloadMessages::folderMissing(job_.folder));
    if (::access(QFile::encodeName(job_.folder).constData(), W_OK | X_OK) != 0)
        return end(DownloadMessages::forDiskError(errno, job_.folder));
    // The data of an earlier attempt is continued only when the server can
    // confirm it is the same file.
    if (!job_.name.isEmpty() && Names::staysInside(job_.folder, job_.name + Names::partSuffix)) {
        const int error = part_.openToAppend(QDir(job_.folder).filePath(job_.name + Names::partSuffix));
        if (error != 0 && error != ENOENT)
            return end(DownloadMessages::forDiskError(error, job_.folder));
        if (part_.isOpen() && part_.size() > 0 && job_.validator.isEmpty()) {
            if (const int truncated = part_.truncate())
                return end(DownloadMessages::forDiskError(truncated, job_.folder));
        }
    } else {
        job_.name.clear();
    }
    request(part_.isOpen() && part_.size() > 0);
}

void DownloadTransfer::request(bool continuing)
{
    continuing_ = continuing;
    headersSeen_ = false;
    QNetworkRequest request(job_.url);
    // Never from https down to http; only http and https are followed.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(maxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(stallTimeoutMs);
    // The bytes as the server keeps them: ranges count those, and a
    // compressed answer Qt unpacked would not match them.
    request.setRawHeader("Accept-Encoding", "identity");
    if (continuing) {
        request.setRawHeader("Range", "bytes=" + QByteArray::number(part_.size()) + '-');
        request.setRawHeader("If-Range", job_.validator.toUtf8());
    }
    reply_ = network_.get(request);
    // Bounded, so that a disk slower than the network holds the sender back
    // instead of the whole file piling up in memory.
    reply_->setReadBufferSize(readBufferBytes);
    connect(reply_, &QNetworkReply::metaDataChanged, this, &DownloadTransfer::headersArrived);
    connect(reply_, &QNetworkReply::readyRead, this, &DownloadTransfer::dataArrived);
    connect(reply_, &QNetworkReply::finished, this, &DownloadTransfer::replyFinished);
}

void DownloadTransfer::headersArrived()
{
    if (headersSeen_ || !reply_ || ended_)
        return;
    const QVariant statusAttribute = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!statusAttribute.isValid())
        return;
    const int status = statusAttribute.toInt();
    // Qt follows a redirect after announcing its headers, or ends the reply
    // with an error when it may not (https to http, too many).
    if (status >= 300 && status < 400 && !reply_->rawHeader("Location").isEmpty())
        return;
    headersSeen_ = true;
    const qint64 have = part_.isOpen() ? part_.size() : 0;
    if (status == 416 && continuing_ && job_.total == have) {
        // Every byte was there already: only the rename was missing.
        alreadyComplete_ = true;
        reply_->abort();
        return;
    }
    const bool appends = status == 206 && continuing_ && acceptRange(reply_->rawHeader("Content-Range"));
    if ((status == 206 || status == 416) && !appends) {
        // Not the range asked for: the whole file again, from the start.
        QNetworkReply* old = reply_;
        reply_ = nullptr;
        old->disconnect(this);
        old->abort();
        old->deleteLater();
        if (const int error = part_.truncate())
            return end(DownloadMessages::forDiskError(error, job_.folder));
        return request(false);
    }
    if (status != 200 && !appends)
        return fail(DownloadMessages::forHttpStatus(
            status, reply_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray()));
    if (status == 200) {
        // The range was ignored, or If-Range found the file changed.
        if (have > 0) {
            if (const int error = part_.truncate())
                return fail(DownloadMessages::forDiskError(error, job_.folder));
        }
        const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
        job_.total = length.isValid() ? length.toLongLong() : -1;
    }
    // A weak ETag cannot be used in If-Range.
    const QByteArray etag = reply_->rawHeader("ETag");
    job_.validator = QString::fromLatin1(!etag.isEmpty() && !etag.startsWith("W/") ? etag
                                                                                    : reply_->rawHeader("Last-Modified"));
    if (!part_.isOpen() && !reserveName(*reply_))
        return;
    sinceProgress_.start();
    sinceFlush_.start();
    emit answered(job_.id, job_.name, job_.total, job_.validator);
}

bool DownloadTransfer::acceptRange(const QByteArray& contentRange)
{
    // "bytes FIRST-LAST/TOTAL", TOTAL possibly "*"
    const QByteArray value = contentRange.trimmed();
    if (!value.startsWith("bytes "))
        return false;
    const int dash = value.indexOf('-');
    const int slash = value.indexOf('/');
    if (dash < 0 || slash < dash)
        return false;
    bool ok = false;
    const qint64 first = value.mid(6, dash - 6).trimmed().toLongLong(&ok);
    if (!ok || !part_.isOpen() || first != part_.size())
        return false;
    const QByteArray total = value.mid(slash + 1).trimmed();
    job_.total = total == "*" ? -1 : total.toLongLong(&ok);
    return total == "*" || ok;
}

bool DownloadTransfer::reserveName(QNetworkReply& reply)
{
    QString proposed = job_.name;
    if (proposed.isEmpty())
        proposed = Names::fromContentDisposition(reply.rawHeader("Content-Disposition"));
    if (proposed.isEmpty())
        proposed = Names::fromUrl(reply.url());
    if (proposed.isEmpty())
        proposed = Names::fromUrl(job_.url);
    const QString safe = Names::safeFileName(proposed);
    // Another download may take the free name between the look and the
    // creation: the creation never replaces, so look again.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = Names::freeName(job_.folder, safe);
        if (!Names::staysInside(job_.folder, name + Names::partSuffix)) {
            fail(DownloadMessages::forDiskError(EINVAL, job_.folder));
            return false;
        }
        const int error = part_.create(QDir(job_.folder).filePath(name + Names::partSuffix));
        if (error == 0) {
            job_.name = name;
            return true;
        }
        if (error != EEXIST) {
            fail(DownloadMessages::forDiskError(error, job_.folder));
            return false;
        }
    }
    fail(DownloadMessages::forDiskError(EEXIST, job_.folder));
    return false;
}

void DownloadTransfer::dataArrived()
{
    if (!headersSeen_)
        headersArrived();
    if (!reply_ || !headersSeen_ || ended_ || stopping_ || alreadyComplete_ || !failure_.isEmpty())
        return;
    if (!drain(*reply_))
        return;
    if (sinceFlush_.isValid() && sinceFlush_.elapsed() >= flushIntervalMs && !flush())
        return;
    reportProgress(false);
}

bool DownloadTransfer::drain(QNetworkReply& reply)
{
    for (;;) {
        const qint64 room = writeChunkBytes - buffered_;
        const qint64 read = reply.read(buffer_.data() + buffered_, room);
        if (read <= 0)
            return true;
        buffered_ += read;
        if (buffered_ == writeChunkBytes && !flush())
            return false;
    }
}

bool DownloadTransfer::flush()
{
    if (buffered_ == 0 || !part_.isOpen())
        return true;
    const int error = part_.append(buffer_.constData(), buffered_);
    buffered_ = 0;
    sinceFlush_.start();
    if (error != 0) {
        fail(DownloadMessages::forDiskError(error, job_.folder));
        return false;
    }
    return true;
}

void DownloadTransfer::fail(const QString& reason)
{
    if (failure_.isEmpty())
        failure_ = reason;
    if (reply_)
        reply_->abort(); // replyFinished() ends with the reason
    else
        end(failure_);
}

void DownloadTransfer::replyFinished()
{
    auto* reply = qobject_cast<QNetworkReply*>(sender());
    if (!reply || reply != reply_)
        return;
    if (!ended_ && !stopping_ && failure_.isEmpty() && !headersSeen_
        && reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid()) {
        // An answer whose headers come with its end: no body, or an error.
        headersArrived();
        if (reply_ != reply)
            return; // asked again
    }
    reply_ = nullptr;
    reply->deleteLater();
    if (ended_)
        return;
    if (stopping_) {
        if (!discard_)
            flush();
        return end(QString());
    }
    if (!failure_.isEmpty())
        return end(failure_);
    if (alreadyComplete_)
        return finishComplete();
    // What arrived before a dropped connection is kept for the next attempt.
    if (headersSeen_ && part_.isOpen() && (!drain(*reply) || !flush()))
        return;
    if (reply->error() != QNetworkReply::NoError && reply->error() != QNetworkReply::RemoteHostClosedError)
        return end(DownloadMessages::forNetworkError(reply->error(), job_.url.host(), reply->errorString()));
    if (!headersSeen_ || (job_.total >= 0 && part_.size() != job_.total) || reply->error() != QNetworkReply::NoError) {
        if (headersSeen_ && part_.size() > 0)
            return end(DownloadMessages::connectionDropped(part_.size(), job_.total));
        return end(DownloadMessages::forNetworkError(reply->error(), job_.url.host(), reply->errorString()));
    }
    finishComplete();
}

void DownloadTransfer::finishComplete()
{
    if (!flush())
        return;
    part_.close();
    QString name = job_.name;
    // Someone may have taken the name since the .part was made: the next
    // free one, never over their file.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int error = renameWithoutReplacing(part_.path(), QDir(job_.folder).filePath(name));
        if (error == 0) {
            ended_ = true;
            emit completed(job_.id, name, part_.size());
            return;
        }
        if (error != EEXIST)
            return end(DownloadMessages::forDiskError(error, job_.folder));
        name = Names::freeName(job_.folder, name);
    }
    end(DownloadMessages::forDiskError(EEXIST, job_.folder));
}

void DownloadTransfer::end(const QString& reason)
{
    if (ended_)
        return;
    ended_ = true;
    if (stopping_ && discard_)
        part_.discard();
    else
        part_.close();
    emit stopped(job_.id, reason, part_.size());
}

void DownloadTransfer::stop(bool discard)
{
    if (ended_)
        return;
    stopping_ = true;
    discard_ = discard;
    if (reply_)
        reply_->abort(); // replyFinished() ends it
    if (reply_ == nullptr && !ended_)
        end(QString());
}

void DownloadTransfer::reportProgress(bool now)
{
    if (!now && sinceProgress_.isValid() && sinceProgress_.elapsed() < progressIntervalMs)
        return;
    sinceProgress_.restart();
    emit progressed(job_.id, part_.size() + buffered_, job_.total);
}

} // namespace ZelkShell
