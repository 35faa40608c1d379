#include "host/shell/downloads/DownloadTransfer.h"

#include "host/shell/downloads/ContentRange.h"
#include "host/shell/downloads/DownloadMessages.h"
#include "host/shell/downloads/DownloadNames.h"

#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace ZelkShell {

namespace Names = DownloadNames;

namespace {

// Statuses that say "not now" rather than "no": asked again after a pause.
bool isBusy(int status)
{
    return status == 408 || status == 429 || status == 502 || status == 503 || status == 504;
}

// The validator an answer's data is known by: a strong ETag (a weak one
// cannot go in If-Range), else the Last-Modified date; byte for byte.
QByteArray validatorOf(const QNetworkReply& reply)
{
    const QByteArray etag = reply.rawHeader("ETag");
    return !etag.isEmpty() && !etag.startsWith("W/") ? etag : reply.rawHeader("Last-Modified");
}

} // namespace

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

int DownloadTransfer::openFolder()
{
    // A download without data of its own settles on the folder its links
    // lead to now; one with data goes on only in that same folder, never
    // through a link put there since.
    if (!job_.part.isKnown()) {
        const QString canonical = QFileInfo(job_.folder).canonicalFilePath();
        if (canonical.isEmpty())
            return ENOENT;
        job_.folder = canonical;
    }
    if (const int error = folder_.open(job_.folder))
        return error;
    return ::faccessat(folder_.fd(), ".", W_OK | X_OK, 0) == 0 ? 0 : errno;
}

void DownloadTransfer::start()
{
    if (job_.folder.isEmpty())
        return end(DownloadMessages::noFolderSet());
    if (const int error = openFolder())
        return end(DownloadMessages::forDiskError(error, job_.folder));
    if (!job_.dataFolder.isEmpty() && folder_.isWithin(job_.dataFolder))
        return end(DownloadMessages::intoDataFolder(job_.folder));
    // The data of an earlier attempt is continued only from the .part this
    // download made, and only when the server can confirm it is the same file.
    if (!job_.name.isEmpty() && job_.part.isKnown()) {
        const int error = part_.openOwned(folder_, job_.name + Names::partSuffix, job_.part);
        if (error != 0 && error != ENOENT && error != EEXIST)
            return end(DownloadMessages::forDiskError(error, job_.folder));
        if (part_.isOpen() && part_.size() > 0 && job_.validator.isEmpty()) {
            if (const int truncated = part_.truncate())
                return end(DownloadMessages::forDiskError(truncated, job_.folder));
        }
    }
    if (!part_.isOpen()) {
        // Whatever now has the old name is someone else's: a new name.
        job_.name.clear();
        job_.part = FileIdentity();
    }
    request(part_.isOpen() && part_.size() > 0);
}

void DownloadTransfer::request(bool continuing)
{
    ++requests_;
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
    sentValidator_.clear();
    if (continuing) {
        sentValidator_ = job_.validator;
        request.setRawHeader("Range", "bytes=" + QByteArray::number(part_.size()) + '-');
        request.setRawHeader("If-Range", sentValidator_);
    }
    reply_ = network_.get(request);
    // Bounded, so that a disk slower than the network holds the sender back
    // instead of the whole file piling up in memory.
    reply_->setReadBufferSize(readBufferBytes);
    connect(reply_, &QNetworkReply::metaDataChanged, this, &DownloadTransfer::headersArrived);
    connect(reply_, &QNetworkReply::readyRead, this, &DownloadTransfer::dataArrived);
    connect(reply_, &QNetworkReply::finished, this, &DownloadTransfer::replyFinished);
}

void DownloadTransfer::askAgain(bool continuing, const QString& whenExhausted)
{
    QNetworkReply* old = reply_;
    reply_ = nullptr;
    if (old) {
        old->disconnect(this);
        old->abort();
        old->deleteLater();
    }
    if (requests_ >= maxRequests)
        return end(whenExhausted);
    // A pause that grows, so that a server answering wrongly at once is not
    // asked again at once.
    QTimer::singleShot(firstRetryPauseMs << (requests_ - 1), this, [this, continuing] {
        if (!ended_ && !stopping_)
            request(continuing);
    });
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
    const ContentRange range = ContentRange::parse(reply_->rawHeader("Content-Range"));
    const QByteArray validator = validatorOf(*reply_);
    if (status == 416 && continuing_) {
        // "bytes */N": N is all there is. Every byte was here already, only
        // the rename was missing; else ask for the whole file.
        if (range.valid && range.unsatisfied && range.total == have) {
            alreadyComplete_ = true;
            job_.total = have;
            reply_->abort();
            return;
        }
        return askAgain(false, DownloadMessages::wrongPartAgain(requests_));
    }
    if (status == 416)
        return fail(DownloadMessages::rangeRefused());
    if (status == 206 && continuing_ && !acceptPartial(range, validator))
        return askAgain(false, DownloadMessages::wrongPartAgain(requests_));
    if (status == 206 && !continuing_ && !(range.valid && range.first == 0 && range.coversToEnd()))
        return fail(DownloadMessages::partForWhole());
    if (isBusy(status))
        return askAgain(continuing_, DownloadMessages::busyAgain(status, requests_));
    if (status == 401 && job_.signsIn && job_.url.userInfo().isEmpty())
        return fail(DownloadMessages::needsSigningInAgain());
    if (status != 200 && status != 206)
        return fail(DownloadMessages::forHttpStatus(
            status, reply_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray()));
    const bool appends = status == 206 && continuing_;
    if (!appends) {
        // The whole file (the range ignored, or If-Range found it changed):
        // from its first byte.
        if (have > 0) {
            if (const int error = part_.truncate())
                return fail(DownloadMessages::forDiskError(error, job_.folder));
        }
        const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
        job_.total = status == 206 ? range.total : (length.isValid() ? length.toLongLong() : -1);
    } else {
        job_.total = range.total;
    }
    job_.validator = validator;
    sinceProgress_.start();
    sinceFlush_.start();
    if (!part_.isOpen())
        return reserveName(*reply_);
    emit named(job_.id, job_.folder, job_.name, job_.total, job_.validator, QString());
}

bool DownloadTransfer::acceptPartial(const ContentRange& range, const QByteArray& validator) const
{
    // Only the rest of the very data we have: the offset asked for, and the
    // validator sent, byte for byte (anything else would splice two files).
    return range.valid && !range.unsatisfied && range.first == part_.size() && !sentValidator_.isEmpty()
           && validator == sentValidator_;
}

void DownloadTransfer::reserveName(QNetworkReply& reply)
{
    if (proposedName_.isEmpty()) {
        QString proposed = Names::fromContentDisposition(reply.rawHeader("Content-Disposition"));
        if (proposed.isEmpty())
            proposed = Names::fromUrl(reply.url());
        if (proposed.isEmpty())
            proposed = Names::fromUrl(job_.url);
        proposedName_ = Names::safeFileName(proposed);
    }
    const QString safe = Names::withoutJournalEnding(proposedName_);
    int error = 0;
    const QString name = Names::freeName(folder_, safe, &error);
    if (name.isEmpty())
        return fail(error == EEXIST ? DownloadMessages::noFreeName(job_.folder)
                                    : DownloadMessages::forDiskError(error, job_.folder));
    job_.name = name;
    waitingForName_ = true;
    ++namings_;
    emit named(job_.id, job_.folder, name, job_.total, job_.validator,
               safe == proposedName_ ? QString() : DownloadMessages::renamedFromJournal(proposedName_, name));
}

void DownloadTransfer::nameKept()
{
    if (!waitingForName_ || ended_)
        return;
    waitingForName_ = false;
    if (stopping_ || !failure_.isEmpty()) {
        if (replyDone_)
            end(failure_);
        return;
    }
    const int error = part_.create(folder_, job_.name + Names::partSuffix);
    // Taken since we looked (by another download, or another program): the
    // next free name, kept first in the same way; a few times at most.
    if (error == EEXIST && namings_ < Names::maxNumberedNames && reply_)
        return reserveName(*reply_);
    if (error != 0)
        return fail(DownloadMessages::forDiskError(error, job_.folder));
    job_.part = part_.identity();
    emit partMade(job_.id, job_.part.device, job_.part.inode, job_.part.bornNs);
    if (!reply_)
        return;
    if (replyDone_)
        return settle(*reply_);
    dataArrived();
}

void DownloadTransfer::dataArrived()
{
    if (!headersSeen_)
        headersArrived();
    if (!reply_ || !headersSeen_ || ended_ || stopping_ || alreadyComplete_ || waitingForName_ || !failure_.isEmpty()
        || !part_.isOpen())
        return;
    if (!readArrivedData(*reply_))
        return;
    if (sinceFlush_.isValid() && sinceFlush_.elapsed() >= flushIntervalMs && !flush())
        return;
    reportProgress(false);
}

bool DownloadTransfer::readArrivedData(QNetworkReply& reply)
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
    if (reply_ && !replyDone_)
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
    replyDone_ = true;
    // Its data waits in the reply until the name is kept and the .part made.
    if (waitingForName_ && !stopping_ && failure_.isEmpty())
        return;
    settle(*reply);
}

void DownloadTransfer::settle(QNetworkReply& reply)
{
    reply_ = nullptr;
    reply.deleteLater();
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
    if (headersSeen_ && part_.isOpen() && (!readArrivedData(reply) || !flush()))
        return;
    if (reply.error() != QNetworkReply::NoError && reply.error() != QNetworkReply::RemoteHostClosedError)
        return end(DownloadMessages::forNetworkError(reply.error(), job_.url.host(), reply.errorString()));
    if (!headersSeen_ || (job_.total >= 0 && part_.size() != job_.total) || reply.error() != QNetworkReply::NoError) {
        if (headersSeen_)
            return end(DownloadMessages::connectionDropped(part_.size(), job_.total));
        return end(DownloadMessages::forNetworkError(reply.error(), job_.url.host(), reply.errorString()));
    }
    finishComplete();
}

void DownloadTransfer::finishComplete()
{
    if (!flush())
        return;
    // On the disk before the name says it is complete.
    if (const int error = part_.sync())
        return end(DownloadMessages::forDiskError(error, job_.folder));
    if (!folder_.stillAt(job_.folder))
        return end(DownloadMessages::folderReplaced(job_.folder));
    QString name = job_.name;
    // Someone may have taken the name since the .part was made: the next
    // free one, never over their file.
    for (int attempt = 0; attempt < Names::maxNumberedNames; ++attempt) {
        const int error = part_.renameTo(folder_, name);
        if (error == 0) {
            part_.close();
            ended_ = true;
            emit completed(job_.id, name, part_.size());
            return;
        }
        if (error != EEXIST)
            return end(DownloadMessages::forDiskError(error, job_.folder));
        int lookUp = 0;
        name = Names::freeName(folder_, name, &lookUp);
        if (name.isEmpty())
            return end(lookUp == EEXIST ? DownloadMessages::noFreeName(job_.folder)
                                        : DownloadMessages::forDiskError(lookUp, job_.folder));
    }
    end(DownloadMessages::noFreeName(job_.folder));
}

void DownloadTransfer::end(const QString& reason)
{
    if (ended_)
        return;
    ended_ = true;
    // Deleted when asked, and when it holds nothing (a server that closed
    // before sending any data): an empty .part would only take a name.
    const bool discard = (stopping_ && discard_) || (!reason.isEmpty() && part_.identity().isKnown() && part_.size() == 0);
    if (discard)
        part_.discard(folder_);
    else
        part_.close();
    emit stopped(job_.id, reason, part_.size(), discard);
}

void DownloadTransfer::stop(bool discard)
{
    if (ended_)
        return;
    stopping_ = true;
    discard_ = discard;
    if (reply_ && !replyDone_)
        reply_->abort(); // replyFinished() ends it
    else
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
