#include "host/shell/window/PlayerViews.h"

#include "host/shell/behaviour/BehaviourSettings.h"
#include "host/shell/downloads/DownloadManager.h"
#include "host/shell/videolibrary/LibraryRules.h"
#include "host/shell/videolibrary/LibraryWriter.h"
#include "host/shell/videolibrary/VideoLibrary.h"
#include "host/shell/window/DownloadsView.h"
#include "host/shell/window/LibraryView.h"

#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace ZelkShell {

PlayerViews::PlayerViews(QWidget* playback, std::function<BehaviourSettings()> settings, QWidget* parent)
    : QStackedWidget(parent)
    , settings_(std::move(settings))
    , library_(std::make_unique<VideoLibrary>(VideoLibrary::defaultLocation(), readWaitMs))
    , playback_(playback)
{
    setObjectName(QStringLiteral("playerViews"));
    libraryView_ = std::make_unique<LibraryView>(*library_, settings_, this);
    addWidget(playback_);
    addWidget(libraryView_.get());
    const auto play = [this](const QString& path) {
        setCurrentWidget(playback_);
        emit playRequested(path);
    };
    connect(libraryView_.get(), &LibraryView::playRequested, this, play);
    // Opened here first: a damaged file is moved aside before the writer
    // opens its own connection.
    QString error;
    if (!library_->open(&error))
        qWarning("zelk-player: the video library cannot be opened: %s", qUtf8Printable(error));
    if (!library_->movedAsideTo().isEmpty())
        libraryView_->announce(tr("The video library file was damaged. It was kept as \"%1\" and a new, empty "
                                  "library was started.")
                                   .arg(QFileInfo(library_->movedAsideTo()).fileName()));
    refreshLater_ = new QTimer(this);
    refreshLater_->setSingleShot(true);
    connect(refreshLater_, &QTimer::timeout, this, &PlayerViews::refreshShownLibrary);
    writer_ = std::make_unique<LibraryWriter>(library_->file());
    connect(writer_.get(), &LibraryWriter::allWritten, this, &PlayerViews::libraryWritten, Qt::QueuedConnection);
    connect(
        writer_.get(), &LibraryWriter::writeFailed, this,
        [this](const QString& reason) { emit problem(tr("The video library could not be written: %1").arg(reason)); },
        Qt::QueuedConnection);

    downloads_ = std::make_unique<DownloadManager>(*library_, *writer_, settings_);
    downloadsView_ = std::make_unique<DownloadsView>(*downloads_, this);
    addWidget(downloadsView_.get());
    connect(downloadsView_.get(), &DownloadsView::playRequested, this, play);
    // Once the window that owns these views has its settings.
    QTimer::singleShot(0, downloads_.get(), &DownloadManager::load);
}

PlayerViews::~PlayerViews()
{
    leaveBehind(defaultFolderImport_);
    leaveBehind(pickedFolderImport_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(walkEndWaitMs);
    const auto stillRunning =
        std::count_if(leftWalks_.begin(), leftWalks_.end(),
                      [deadline](const FolderImport::WalkEnd& walk) { return !walk.waitUntil(deadline); });
    if (stillRunning > 0)
        qWarning("zelk-player: %d folder walk(s) had not ended %d ms after quitting (a folder that does not answer, "
                 "such as a hung network mount); the player quits without them",
                 int(stillRunning), walkEndWaitMs);
}

bool PlayerViews::showView(const QString& name)
{
    if (name == QLatin1String(libraryName)) {
        libraryView_->refresh();
        setCurrentWidget(libraryView_.get());
    } else if (name == QLatin1String(downloadsName)) {
        setCurrentWidget(downloadsView_.get());
    } else {
        setCurrentWidget(playback_);
        return name == QLatin1String(playbackName);
    }
    return true;
}

QString PlayerViews::currentViewName() const
{
    if (currentWidget() == libraryView_.get())
        return QLatin1String(libraryName);
    if (currentWidget() == downloadsView_.get())
        return QLatin1String(downloadsName);
    return QLatin1String(playbackName);
}

void PlayerViews::followSettings()
{
    // Walking the whole folder at every save would cost a large tree its
    // walk and its writes each time, for nothing.
    if (LibraryRules::folderToImport(settings_()) != walkedFolder_)
        refreshLibrary();
    else if (libraryView_->isVisible())
        libraryView_->refresh();
}

void PlayerViews::refreshLibrary()
{
    walkedFolder_ = LibraryRules::folderToImport(settings_());
    leaveBehind(defaultFolderImport_);
    if (!walkedFolder_.isEmpty())
        defaultFolderImport_ = startImport(walkedFolder_, false);
    if (libraryView_->isVisible())
        libraryView_->refresh();
}

void PlayerViews::leaveBehind(std::unique_ptr<FolderImport>& import)
{
    if (!import)
        return;
    leftWalks_.erase(std::remove_if(leftWalks_.begin(), leftWalks_.end(),
                                    [](const FolderImport::WalkEnd& walk) {
                                        return walk.waitUntil(std::chrono::steady_clock::time_point());
                                    }),
                     leftWalks_.end());
    leftWalks_.push_back(import->walkEnded());
    import.reset();
}

FolderImport* PlayerViews::importFolder(const QString& folder)
{
    leaveBehind(pickedFolderImport_);
    pickedFolderImport_ = startImport(folder, true);
    return pickedFolderImport_.get();
}

std::unique_ptr<FolderImport> PlayerViews::startImport(const QString& folder, bool pickedByUser)
{
    // The default folder is walked again at the next start, so its batches
    // need not hold up quitting; a folder the user picked is not.
    auto import = std::make_unique<FolderImport>(
        folder, *writer_, pickedByUser ? LibraryWriter::AtQuit::Keep : LibraryWriter::AtQuit::Drop);
    if (!pickedByUser) {
        const FolderImport* source = import.get();
        connect(import.get(), &FolderImport::finished, this, [source] {
            const FolderImport::Figures figures = source->figures();
            if (figures.skippedFolders > 0 || figures.refusedNames > 0)
                qWarning("zelk-player: %s: %d folder(s) could not be read and %d name(s) are not valid in the "
                         "system's encoding; they were left out of the library",
                         qUtf8Printable(source->folder()), figures.skippedFolders, figures.refusedNames);
        });
    }
    import->start();
    return import;
}

void PlayerViews::libraryWritten()
{
    if (!libraryView_->isVisible() || refreshLater_->isActive())
        return;
    const qint64 since = sinceRefresh_.isValid() ? sinceRefresh_.elapsed() : refreshIntervalMs;
    if (since >= refreshIntervalMs)
        refreshShownLibrary();
    else
        refreshLater_->start(int(refreshIntervalMs - since));
}

void PlayerViews::refreshShownLibrary()
{
    refreshLater_->stop();
    sinceRefresh_.start();
    if (libraryView_->isVisible())
        libraryView_->refresh();
}

bool PlayerViews::libraryWorkPending() const
{
    const auto running = [](const std::unique_ptr<FolderImport>& import) { return import && import->isRunning(); };
    return running(defaultFolderImport_) || running(pickedFolderImport_) || writer_->pending() > 0;
}

void PlayerViews::videoPlayed(const QString& path)
{
    const BehaviourSettings settings = settings_();
    writer_->enqueue(
        [settings, path](VideoLibrary& library) { return LibraryRules::videoPlayed(library, settings, path); });
}

} // namespace ZelkShell
