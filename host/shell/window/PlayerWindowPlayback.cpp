// The main window's playback side: opening files (command line, File > Open,
// drag and drop), the keys, and the engine's state shown in the window.

#include "host/shell/window/PlayerWindow.h"

#include "host/shell/window/PlaybackControls.h"
#include "host/shell/settings/PlayerSettings.h"
#include "host/shell/video/VideoSurface.h"
#include "host/shell/behaviour/PlaybackBehaviour.h"
#include "host/shell/behaviour/StoredPaths.h"
#include "host/shell/engine/PlaybackEngine.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

namespace ZelkShell {

namespace {

constexpr double seekStepSeconds = 5.0;
constexpr int volumeStepPercent = 5;

// The dropped local files; names that are not text are left out, and said so
// when `report` (on the drop, not on every drag over the window).
QStringList localFiles(const QMimeData* data, bool report)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        // A name whose bytes are not text would be decoded to another name,
        // perhaps another file's: refused, as on the command line.
        const QByteArray raw = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        if (!StoredPaths::isFaithful(raw)) {
            if (report)
                qWarning("zelk-player: %s cannot be opened: its name is not valid text",
                         qUtf8Printable(StoredPaths::printable(raw)));
            continue;
        }
        if (QFileInfo(url.toLocalFile()).isFile())
            files << url.toLocalFile();
    }
    return files;
}

} // namespace

void PlayerWindow::buildPlaybackKeys()
{
    // Window-wide keys: they work whichever child has the focus.
    const auto key = [this](const QKeySequence& sequence, const char* name, auto handler) {
        auto* action = new QAction(this);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(sequence);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
        return action;
    };
    key(Qt::Key_Space, "playPauseAction", [this] { engine_->togglePause(); });
    key(Qt::Key_Left, "seekBackAction", [this] { engine_->seekRelative(-seekStepSeconds); });
    key(Qt::Key_Right, "seekForwardAction", [this] { engine_->seekRelative(seekStepSeconds); });
    key(Qt::Key_Up, "volumeUpAction", [this] { engine_->setVolume(engine_->volume() + volumeStepPercent); });
    key(Qt::Key_Down, "volumeDownAction", [this] { engine_->setVolume(engine_->volume() - volumeStepPercent); });
    key(Qt::Key_Escape, "leaveFullScreenAction", [this] { setFullScreen(false); });
}

void PlayerWindow::connectEngine()
{
    PlaybackEngine* engine = engine_.get();
    connect(engine, &PlaybackEngine::fileLoaded, this, &PlayerWindow::fileLoaded);
    connect(engine, &PlaybackEngine::openFailed, this, &PlayerWindow::openFailed);
    connect(engine, &PlaybackEngine::endOfFile, this, &PlayerWindow::playNextFile);
    connect(engine, &PlaybackEngine::subtitleRefused, this, &PlayerWindow::subtitleRefused);
    connect(engine, &PlaybackEngine::errorOccurred, this, [this](const QString& message) { reportProblem(message); });
    connect(engine, &PlaybackEngine::positionChanged, controls_, &PlaybackControls::setPosition);
    connect(engine, &PlaybackEngine::durationChanged, controls_, &PlaybackControls::setDuration);
    connect(engine, &PlaybackEngine::pausedChanged, controls_, &PlaybackControls::setPaused);
    connect(engine, &PlaybackEngine::volumeChanged, controls_, &PlaybackControls::setVolume);
    connect(controls_, &PlaybackControls::playPauseRequested, engine, &PlaybackEngine::togglePause);
    connect(controls_, &PlaybackControls::seekRequested, engine, [engine](double seconds) { engine->seek(seconds); });
    connect(controls_, &PlaybackControls::volumeRequested, engine, &PlaybackEngine::setVolume);
    connect(controls_, &PlaybackControls::fullScreenRequested, this, [this] { setFullScreen(!isFullScreen()); });
}

void PlayerWindow::whenVideoAreaReady(std::function<void()> start)
{
    if (surface_->isReady()) {
        start();
        return;
    }
    // Whichever comes first runs `start`; the other finds it gone.
    auto pending = std::make_shared<std::function<void()>>(std::move(start));
    auto runOnce = [pending] {
        if (!*pending)
            return;
        auto run = std::move(*pending);
        *pending = nullptr;
        run();
    };
    connect(surface_, &VideoSurface::ready, this, runOnce);
}

void PlayerWindow::playFiles(const QStringList& files, double startSeconds, bool paused)
{
    if (files.isEmpty())
        return;
    queue_ = files.mid(1);
    if (!engine_->isInitialized()) {
        queue_.clear();
        openFailed(files.first(), tr("the playback engine is not running"));
        return;
    }
    playOne(files.first(), startSeconds, paused);
}

void PlayerWindow::playNextFile()
{
    if (!queue_.isEmpty())
        playOne(queue_.takeFirst(), 0.0, false);
}

void PlayerWindow::playOne(const QString& name, double startSeconds, bool paused)
{
    // A URL is what the user typed; anything else is a local path.
    const QUrl url(name, QUrl::StrictMode);
    const bool isUrl = url.isValid() && url.scheme().size() > 1 && !url.isLocalFile()
                       && name.contains(QLatin1String("://"));
    // A look still under way is for a file no longer asked for.
    const quint64 look = ++localFileLook_;
    if (isUrl) {
        startOpening(name, startSeconds, paused);
        return;
    }
    // Made absolute without touching the file system.
    const QString path = QFileInfo(url.isLocalFile() ? url.toLocalFile() : name).absoluteFilePath();
    enum class Look { Playable, Folder, Ambiguous };
    localFileLooks_.run(
        [path] {
            if (QFileInfo(path).isDir())
                return Look::Folder;
            return StoredPaths::isAmbiguous(path) ? Look::Ambiguous : Look::Playable;
        },
        [this, look, name, path, startSeconds, paused](Look found) {
            if (look != localFileLook_)
                return;
            switch (found) {
            case Look::Folder:
                // The engine would play what it finds inside, and the position
                // and the library would be kept under the folder's name.
                openFailed(name, tr("it is a folder; open the videos inside it instead"));
                return;
            case Look::Ambiguous:
                // Named through Qt's decoding (the file dialog, a list): it
                // could be another file whose name is not valid text.
                openFailed(name, tr("its name is not valid text and may be taken for another file's; rename it"));
                return;
            case Look::Playable:
                startOpening(path, startSeconds, paused);
                return;
            }
        });
}

void PlayerWindow::startOpening(const QString& target, double startSeconds, bool paused)
{
    // A refusal concerns the video it was beside.
    readRefusedSubtitleAction_->setEnabled(false);
    refusedSubtitle_.clear();
    if (startSeconds > 0.0)
        behaviour_->startsPositioned(target);
    engine_->open(target, startSeconds, paused);
}

void PlayerWindow::fileLoaded(const QString& file)
{
    showVideoMessage(QString());
    setWindowTitle(QStringLiteral("%1 - Zelk Player").arg(QFileInfo(file).fileName()));
    // The reason a file before this one in the queue failed stays in view.
    if (!failedInQueue_)
        statusBar()->clearMessage();
    failedInQueue_ = false;
}

void PlayerWindow::subtitleRefused(const QString& file, const QString& reason)
{
    refusedSubtitle_ = file;
    readRefusedSubtitleAction_->setEnabled(true);
    reportProblem(tr("The subtitle file \"%1\" was not read: %2. File > Read Large Subtitle File reads it anyway.")
                      .arg(QFileInfo(file).fileName(), reason));
}

void PlayerWindow::openFailed(const QString& file, const QString& reason)
{
    // "folder/" is named "folder", not "".
    const QString cleaned = QDir::cleanPath(file);
    const QString name = QFileInfo(cleaned).fileName().isEmpty() ? cleaned : QFileInfo(cleaned).fileName();
    const QString text = tr("\"%1\" cannot be played: %2").arg(name, reason);
    showVideoMessage(text);
    reportProblem(text);
    // One file that fails does not stop the others.
    failedInQueue_ = !queue_.isEmpty();
    playNextFile();
}

void PlayerWindow::chooseAndOpenFile()
{
    const QString file = QFileDialog::getOpenFileName(this, tr("Open Video"), PlayerSettings::openDialogFolder());
    if (file.isEmpty())
        return;
    if (!PlayerSettings::rememberOpenFolder(QFileInfo(file).absolutePath()))
        qWarning("zelk-player: the folder last opened from could not be stored");
    playFiles({file});
}

void PlayerWindow::setFullScreen(bool fullScreen)
{
    if (fullScreen == isFullScreen())
        return;
    menuBar()->setVisible(!fullScreen);
    statusBar()->setVisible(!fullScreen);
    if (fullScreen)
        showFullScreen();
    else
        showNormal();
    fullScreenAction_->setChecked(fullScreen);
}

void PlayerWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!localFiles(event->mimeData(), false).isEmpty())
        event->acceptProposedAction();
}

void PlayerWindow::dropEvent(QDropEvent* event)
{
    const QStringList files = localFiles(event->mimeData(), true);
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    playFiles(files);
}

} // namespace ZelkShell
