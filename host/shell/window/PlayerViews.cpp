#include "host/shell/window/PlayerViews.h"

#include "host/shell/behaviour/BehaviourSettings.h"
#include "host/shell/downloads/DownloadManager.h"
#include "host/shell/videolibrary/FolderWalk.h"
#include "host/shell/videolibrary/LibraryRules.h"
#include "host/shell/videolibrary/LibraryWriter.h"
#include "host/shell/videolibrary/VideoLibrary.h"
#include "host/shell/window/DownloadsView.h"
#include "host/shell/window/LibraryView.h"

#include <QFileInfo>
#include <QTimer>

namespace ZelkShell {

PlayerViews::PlayerViews(QWidget* playback, std::function<BehaviourSettings()> settings, QWidget* parent)
    : QStackedWidget(parent)
    , settings_(std::move(settings))
    , library_(std::make_unique<VideoLibrary>(VideoLibrary::defaultLocation(), readWaitMs))
    , playback_(playback)
{
    setObjectName(QStringLiteral("playerViews"));
    libraryView_ = new LibraryView(*library_, settings_, this);
    addWidget(playback_);
    addWidget(libraryView_);
    const auto play = [this](const QString& path) {
        setCurrentWidget(playback_);
        emit playRequested(path);
    };
    connect(libraryView_, &LibraryView::playRequested, this, play);
    // Opened here first: a damaged file is moved aside before the writer
    // opens its own connection.
    QString error;
    if (!library_->open(&error))
        qWarning("zelk-player: the video library cannot be opened: %s", qUtf8Printable(error));
    if (!library_->movedAsideTo().isEmpty())
        libraryView_->announce(tr("The video library file was damaged. It was kept as \"%1\" and a new, empty "
                                  "library was started.")
                                   .arg(QFileInfo(library_->movedAsideTo()).fileName()));
    writer_ = std::make_unique<LibraryWriter>(library_->file());
    connect(writer_.get(), &LibraryWriter::allWritten, this, &PlayerViews::libraryWritten, Qt::QueuedConnection);
    connect(
        writer_.get(), &LibraryWriter::writeFailed, this,
        [this](const QString& reason) { emit problem(tr("The video library could not be written: %1").arg(reason)); },
        Qt::QueuedConnection);

    downloads_ = std::make_unique<DownloadManager>(*library_, *writer_, settings_);
    downloadsView_ = new DownloadsView(*downloads_, this);
    addWidget(downloadsView_);
    connect(downloadsView_, &DownloadsView::playRequested, this, play);
    // Once the window that owns these views has its settings.
    QTimer::singleShot(0, downloads_.get(), &DownloadManager::load);
}

PlayerViews::~PlayerViews() = default;

bool PlayerViews::showView(const QString& name)
{
    if (name == QLatin1String(libraryName)) {
        libraryView_->refresh();
        setCurrentWidget(libraryView_);
    } else if (name == QLatin1String(downloadsName)) {
        setCurrentWidget(downloadsView_);
    } else {
        setCurrentWidget(playback_);
        return name == QLatin1String(playbackName);
    }
    return true;
}

QString PlayerViews::currentViewName() const
{
    if (currentWidget() == libraryView_)
        return QLatin1String(libraryName);
    if (currentWidget() == downloadsView_)
        return QLatin1String(downloadsName);
    return QLatin1String(playbackName);
}

void PlayerViews::refreshLibrary()
{
    const QString folder = LibraryRules::folderToImport(settings_());
    if (!folder.isEmpty())
        importFolder(folder);
    if (libraryView_->isVisible())
        libraryView_->refresh();
}

void PlayerViews::importFolder(const QString& folder)
{
    walk_.reset(); // a walk still running stops first
    walk_ = std::make_unique<FolderWalk>(folder, &VideoLibrary::isVideoFile);
    walking_ = true;
    LibraryWriter* writer = writer_.get();
    // Straight from the walking thread to the writing thread.
    connect(
        walk_.get(), &FolderWalk::batchFound, walk_.get(),
        [writer](const QStringList& paths) {
            // Found again at the next start when quitting drops it.
            writer->enqueue([paths](VideoLibrary& library) { return library.addAll(paths) >= 0; },
                            LibraryWriter::AtQuit::Drop);
        },
        Qt::DirectConnection);
    const FolderWalk* walk = walk_.get();
    connect(
        walk_.get(), &FolderWalk::finished, this,
        [this, walk, folder](const FolderWalk::Summary& summary) {
            if (walk_.get() == walk)
                walking_ = false;
            if (summary.skippedFolders > 0 || summary.refusedNames > 0)
                qWarning("zelk-player: %s: %d folder(s) could not be read and %d name(s) are not valid in the "
                         "system's encoding; they were left out of the library",
                         qUtf8Printable(folder), summary.skippedFolders, summary.refusedNames);
        },
        Qt::QueuedConnection);
    walk_->start();
}

void PlayerViews::libraryWritten()
{
    if (libraryView_->isVisible())
        libraryView_->refresh();
}

bool PlayerViews::libraryWorkPending() const
{
    return walking_ || writer_->pending() > 0;
}

void PlayerViews::videoPlayed(const QString& path)
{
    const BehaviourSettings settings = settings_();
    writer_->enqueue(
        [settings, path](VideoLibrary& library) { return LibraryRules::videoPlayed(library, settings, path); });
}

} // namespace ZelkShell
