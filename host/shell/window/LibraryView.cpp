#include "host/shell/window/LibraryView.h"

#include "host/shell/behaviour/BehaviourSettings.h"
#include "host/shell/videolibrary/LibraryRules.h"
#include "host/shell/videolibrary/VideoLibrary.h"
#include "host/shell/window/LibraryListModel.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace ZelkShell {

namespace {

constexpr int recentShown = 10;
constexpr int busyRetryMs = 1000;

// The recently watched: a few rows.
void fill(QListWidget* list, const QList<VideoLibrary::Entry>& entries)
{
    QStringList names;
    names.reserve(entries.size());
    for (const VideoLibrary::Entry& entry : entries)
        names << entry.path.mid(entry.path.lastIndexOf(QLatin1Char('/')) + 1);
    list->clear();
    list->addItems(names);
    for (int row = 0; row < entries.size(); ++row) {
        QListWidgetItem* item = list->item(row);
        item->setData(Qt::UserRole, entries[row].path);
        item->setToolTip(entries[row].path);
    }
}

} // namespace

LibraryView::LibraryView(VideoLibrary& library, std::function<BehaviourSettings()> settings, QWidget* parent)
    : QWidget(parent)
    , library_(library)
    , settings_(std::move(settings))
    , model_(new LibraryListModel(library.file(), this))
    , videos_(new QListView(this))
    , recentTitle_(new QLabel(tr("Recently watched"), this))
    , recent_(new QListWidget(this))
    , play_(new QPushButton(tr("Play"), this))
    , remove_(new QPushButton(tr("Remove"), this))
    , import_(new QPushButton(tr("Import Folder…"), this))
    , status_(new QLabel(this))
    , retryRead_(new QTimer(this))
{
    retryRead_->setSingleShot(true);
    retryRead_->setInterval(busyRetryMs);
    connect(retryRead_, &QTimer::timeout, this, [this] {
        if (isVisible())
            refresh();
    });
    setObjectName(QStringLiteral("libraryView"));
    videos_->setObjectName(QStringLiteral("libraryVideos"));
    videos_->setUniformItemSizes(true);
    videos_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    videos_->setModel(model_);
    connect(model_, &LibraryListModel::modelAboutToBeReset, this, [this] { keptSelection_ = selectedPath(); });
    connect(model_, &LibraryListModel::modelReset, this, [this] {
        for (int row = 0; !keptSelection_.isEmpty() && row < model_->rowCount(); ++row) {
            if (model_->pathAt(row) == keptSelection_) {
                videos_->setCurrentIndex(model_->index(row));
                break;
            }
        }
    });
    connect(model_, &LibraryListModel::reloaded, this, [this](const QList<VideoLibrary::Entry>& recent) {
        if (!recent_->isHidden())
            fill(recent_, recent);
        if (status_->text() == busyText())
            status_->setText(notice_);
    });
    connect(model_, &LibraryListModel::readFailed, this, [this](bool busy, const QString& error) {
        if (!busy)
            qWarning("zelk-player: the video library cannot be read: %s", qUtf8Printable(error));
        status_->setText(busy ? busyText() : tr("The video library cannot be read: %1").arg(error));
        if (busy)
            retryRead_->start();
    });
    recent_->setUniformItemSizes(true);
    recent_->setObjectName(QStringLiteral("recentlyWatched"));
    remove_->setObjectName(QStringLiteral("removeFromLibraryButton"));
    import_->setObjectName(QStringLiteral("importFolderButton"));
    status_->setObjectName(QStringLiteral("libraryStatus"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(play_);
    buttons->addWidget(remove_);
    buttons->addStretch(1);
    buttons->addWidget(import_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Video Library"), this));
    layout->addWidget(videos_, 3);
    layout->addLayout(buttons);
    layout->addWidget(recentTitle_);
    layout->addWidget(recent_, 1);
    layout->addWidget(status_);

    connect(videos_, &QListView::activated, this,
            [this](const QModelIndex& index) { emit playRequested(model_->pathAt(index.row())); });
    connect(recent_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { emit playRequested(item->data(Qt::UserRole).toString()); });
    connect(play_, &QPushButton::clicked, this, [this] {
        const QString path = selectedPath();
        if (!path.isEmpty())
            emit playRequested(path);
    });
    connect(remove_, &QPushButton::clicked, this, &LibraryView::removeSelected);
    connect(import_, &QPushButton::clicked, this, &LibraryView::importRequested);
}

void LibraryView::refresh()
{
    const BehaviourSettings settings = settings_();
    recentTitle_->setVisible(settings.recentlyWatchedList);
    recent_->setVisible(settings.recentlyWatchedList);
    if (!settings.recentlyWatchedList)
        recent_->clear();
    if (!library_.isOpen()) {
        status_->setText(tr("The video library cannot be opened."));
        return;
    }
    // While another program holds the library, what was shown stays and the
    // view reads again later (see readFailed).
    model_->reload(settings.recentlyWatchedList ? recentShown : 0);
}

int LibraryView::videoCount() const
{
    return model_->totalCount();
}

bool LibraryView::isReading() const
{
    return model_->isReading();
}

QString LibraryView::busyText()
{
    return tr("Another program is using the video library; it is shown again when it is free.");
}

void LibraryView::announce(const QString& text)
{
    notice_ = text;
    status_->setText(text);
}

void LibraryView::hideEvent(QHideEvent* event)
{
    // Said once: the notice goes once the view has been seen and left (not
    // when the whole window is minimised).
    if (!event->spontaneous()) {
        if (!notice_.isEmpty() && status_->text() == notice_)
            status_->clear();
        notice_.clear();
    }
    QWidget::hideEvent(event);
}

QString LibraryView::selectedPath() const
{
    return videos_->currentIndex().isValid() ? model_->pathAt(videos_->currentIndex().row()) : QString();
}

bool LibraryView::confirmDiskDeletion(const QString& path)
{
    return QMessageBox::question(this, tr("Remove Video"),
                                 tr("Remove \"%1\" from the library and delete the file from the disk?")
                                     .arg(QFileInfo(path).fileName()),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool LibraryView::removeSelected()
{
    const QString path = selectedPath();
    if (path.isEmpty())
        return false;
    const LibraryRules::Removal outcome = LibraryRules::removeEntry(
        library_, settings_(), path, [this](const QString& file) { return confirmDiskDeletion(file); });
    if (outcome == LibraryRules::Removal::Failed) {
        const QString reason = library_.lastError().isEmpty() ? tr("the file could not be deleted") : library_.lastError();
        status_->setText(tr("\"%1\" was not removed: %2").arg(QFileInfo(path).fileName(), reason));
        qWarning("zelk-player: %s was not removed from the library: %s", qUtf8Printable(path), qUtf8Printable(reason));
        return false;
    }
    status_->clear();
    refresh();
    return outcome != LibraryRules::Removal::Declined;
}

} // namespace ZelkShell
