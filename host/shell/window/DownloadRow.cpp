#include "host/shell/window/DownloadRow.h"

#include "host/shell/downloads/DownloadMessages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QUrl>
#include <QVBoxLayout>

#include <cmath>

namespace ZelkShell {

namespace {

using DownloadState = DownloadManager::State;

constexpr int progressSteps = 1000;

QPushButton* rowButton(const QString& text, const char* objectName, QWidget* parent)
{
    auto* result = new QPushButton(text, parent);
    result->setObjectName(QLatin1String(objectName));
    return result;
}

} // namespace

DownloadRow::DownloadRow(DownloadManager& manager, qint64 id, QWidget* parent)
    : QFrame(parent)
    , manager_(manager)
    , id_(id)
    , name_(new QLabel(this))
    , state_(new QLabel(this))
    , progress_(new QProgressBar(this))
    , details_(new QLabel(this))
    , pause_(rowButton(tr("Pause"), "pauseDownloadButton", this))
    , resume_(rowButton(tr("Resume"), "resumeDownloadButton", this))
    , cancel_(rowButton(tr("Cancel"), "cancelDownloadButton", this))
    , remove_(rowButton(tr("Remove"), "removeDownloadButton", this))
    , open_(rowButton(tr("Open"), "openDownloadButton", this))
{
    setObjectName(QStringLiteral("download-%1").arg(id));
    setFrameShape(QFrame::StyledPanel);
    name_->setObjectName(QStringLiteral("downloadName"));
    name_->setTextFormat(Qt::PlainText);
    name_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    name_->setMinimumWidth(0);
    state_->setObjectName(QStringLiteral("downloadState"));
    state_->setTextFormat(Qt::PlainText);
    state_->setWordWrap(true);
    details_->setObjectName(QStringLiteral("downloadDetails"));
    details_->setTextFormat(Qt::PlainText);
    details_->setWordWrap(true);
    progress_->setObjectName(QStringLiteral("downloadProgress"));
    progress_->setTextVisible(false);

    auto* top = new QHBoxLayout;
    top->addWidget(name_, 1);
    top->addWidget(state_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(details_, 1);
    for (QPushButton* each : {pause_, resume_, cancel_, remove_, open_})
        bottom->addWidget(each);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(progress_);
    layout->addLayout(bottom);

    connect(pause_, &QPushButton::clicked, this, [this] { manager_.pause(id_); });
    connect(resume_, &QPushButton::clicked, this, [this] { manager_.resume(id_); });
    connect(cancel_, &QPushButton::clicked, this, [this] { manager_.cancel(id_); });
    connect(remove_, &QPushButton::clicked, this, [this] { manager_.remove(id_); });
    connect(open_, &QPushButton::clicked, this, [this] { emit openRequested(manager_.filePath(id_)); });
    refresh();
}

void DownloadRow::refresh()
{
    const DownloadManager::Download* download = manager_.find(id_);
    if (!download)
        return;
    // Until the server has named the file, the address stands for it (an
    // address never holds a password here: it is not kept).
    fullName_ = download->name.isEmpty() ? QUrl(download->url).toDisplayString(QUrl::RemoveUserInfo) : download->name;
    fitName();
    name_->setToolTip(fullName_ + QLatin1Char('\n')
                      + QUrl(download->url).toDisplayString(QUrl::RemoveUserInfo));
    state_->setText(stateText(*download));
    if (download->total > 0) {
        progress_->setRange(0, progressSteps);
        progress_->setValue(int(double(download->received) * progressSteps / double(download->total)));
    } else if (download->state == DownloadState::Downloading) {
        progress_->setRange(0, 0); // size unknown: a busy bar
    } else {
        progress_->setRange(0, progressSteps);
        progress_->setValue(download->state == DownloadState::Finished ? progressSteps : 0);
    }
    QStringList details{bytesText(*download)};
    if (download->state == DownloadState::Downloading)
        details << rateText(*download) << timeLeftText(*download);
    // A note on how it was saved (a name that had to change).
    if (download->state != DownloadState::Failed)
        details << download->error;
    details.removeAll(QString());
    details_->setText(details.join(QStringLiteral(" \u00b7 ")));

    const DownloadState state = download->state;
    const bool elsewhere = manager_.managedElsewhere();
    pause_->setVisible(state == DownloadState::Downloading || state == DownloadState::Queued);
    resume_->setVisible(state == DownloadState::Paused || state == DownloadState::Failed
                        || state == DownloadState::Cancelled);
    cancel_->setVisible(state != DownloadState::Finished && state != DownloadState::Cancelled);
    open_->setVisible(state == DownloadState::Finished);
    for (QPushButton* each : {pause_, resume_, cancel_, remove_})
        each->setEnabled(!elsewhere);
}

void DownloadRow::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    fitName();
}

void DownloadRow::fitName()
{
    // Before the row is shown its width means nothing yet.
    name_->setText(isVisible() ? name_->fontMetrics().elidedText(fullName_, Qt::ElideMiddle, name_->width())
                               : fullName_);
}

QString DownloadRow::bytesText(const DownloadManager::Download& download)
{
    if (download.total < 0)
        return DownloadMessages::bytes(download.received);
    return tr("%1 of %2").arg(DownloadMessages::bytes(download.received), DownloadMessages::bytes(download.total));
}

QString DownloadRow::rateText(const DownloadManager::Download& download)
{
    if (download.bytesPerSecond <= 0)
        return QString();
    return tr("%1/s").arg(DownloadMessages::bytes(qint64(download.bytesPerSecond)));
}

QString DownloadRow::timeLeftText(const DownloadManager::Download& download)
{
    if (download.bytesPerSecond <= 0 || download.total < 0)
        return QString();
    const qint64 seconds =
        qint64(std::ceil(double(std::max<qint64>(download.total - download.received, 0)) / download.bytesPerSecond));
    if (seconds < 60)
        return tr("%1 s left").arg(seconds);
    if (seconds < 3600)
        return tr("%1 min %2 s left").arg(seconds / 60).arg(seconds % 60);
    return tr("%1 h %2 min left").arg(seconds / 3600).arg(seconds % 3600 / 60);
}

QString DownloadRow::stateText(const DownloadManager::Download& download)
{
    switch (download.state) {
    case DownloadState::Queued:
        return tr("Waiting");
    case DownloadState::Downloading:
        return tr("Downloading");
    case DownloadState::Paused:
        return tr("Paused");
    case DownloadState::Failed:
        return tr("Failed: %1").arg(download.error);
    case DownloadState::Finished:
        return tr("Finished");
    case DownloadState::Cancelled:
        return tr("Cancelled");
    }
    return QString();
}

} // namespace ZelkShell
