#pragma once

#include "host/shell/videolibrary/FolderImport.h"

#include <QElapsedTimer>
#include <QStackedWidget>

#include <functional>
#include <memory>
#include <vector>

class QTimer;

namespace ZelkShell {

class DownloadManager;
class DownloadsView;
class LibraryView;
class LibraryWriter;
class VideoLibrary;
struct BehaviourSettings;

// The player's views, one shown at a time: playback (the video and its
// controls), the video library and the download manager. Owns the library:
// the view reads it on the GUI thread (waiting at most readWaitMs for a lock),
// every write goes through a LibraryWriter on a thread of its own, and
// folders (the default one, or one the user picked) are walked on another.
// Owns the downloads too, whose queue is kept in the library's file the
// same way.
class PlayerViews : public QStackedWidget {
    Q_OBJECT

public:
    // The names "Default View" stores.
    static constexpr const char* playbackName = "player";
    static constexpr const char* libraryName = "media library";
    static constexpr const char* downloadsName = "download manager";

    // `settings` is asked for the current switches whenever they matter.
    PlayerViews(QWidget* playback, std::function<BehaviourSettings()> settings, QWidget* parent = nullptr);
    ~PlayerViews() override;

    // Shows the view `name` names; an unknown name shows playback. False
    // when the name was unknown.
    bool showView(const QString& name);
    QString currentViewName() const;

    static constexpr int readWaitMs = 10;
    // While an import lands batch after batch, the shown library is read
    // again at most this often: re-reading a large library after every
    // batch would keep the window busy.
    static constexpr int refreshIntervalMs = 500;

    // How long quitting waits for folder walks that have not ended: one
    // held up by a folder that does not answer is left behind.
    static constexpr int walkEndWaitMs = 1000;

    // Applies the library's switches: at start, and after each save. The
    // default folder is walked again only when its switch or the folder
    // changed (see refreshLibrary()); the view is shown afresh.
    void followSettings();
    // Starts filling the library from the default folder when that switch is
    // on, whether or not it changed, and shows it afresh. A walk still
    // running is cancelled and left to end on its own thread.
    void refreshLibrary();
    // A video started playing: recorded in the background.
    void videoPlayed(const QString& path);
    // Starts adding the videos in and below `folder` to the library, the way
    // the default folder is added; an import of a picked folder still running
    // is cancelled first. The import lives until the next one replaces it.
    FolderImport* importFolder(const QString& folder);
    // The import of a picked folder, running or done; null before the first.
    FolderImport* folderImport() const { return pickedFolderImport_.get(); }
    // Whether a folder walk or a library write has not finished yet.
    bool libraryWorkPending() const;

    VideoLibrary& library() { return *library_; }
    LibraryWriter& libraryWriter() { return *writer_; }
    DownloadManager& downloads() { return *downloads_; }
    LibraryView* libraryView() const { return libraryView_.get(); }
    DownloadsView* downloadsView() const { return downloadsView_.get(); }
    QWidget* playbackView() const { return playback_; }

signals:
    void playRequested(const QString& path);
    void problem(const QString& text);

private:
    std::unique_ptr<FolderImport> startImport(const QString& folder, bool pickedByUser);
    // Cancels `import`, if any, without waiting for its walk.
    void leaveBehind(std::unique_ptr<FolderImport>& import);
    void libraryWritten();
    void refreshShownLibrary();

    std::function<BehaviourSettings()> settings_;
    std::unique_ptr<VideoLibrary> library_;
    // Declared in this order so that the walks stop before the writer they feed.
    std::unique_ptr<LibraryWriter> writer_;
    std::unique_ptr<FolderImport> defaultFolderImport_;
    std::unique_ptr<FolderImport> pickedFolderImport_;
    // The folder the default walk last started on; empty with the switch off.
    QString walkedFolder_;
    // Walks cancelled and still on their way out, waited for at quit.
    std::vector<FolderImport::WalkEnd> leftWalks_;
    QTimer* refreshLater_ = nullptr;
    QElapsedTimer sinceRefresh_;
    // Writes through the writer: goes before it.
    std::unique_ptr<DownloadManager> downloads_;
    QWidget* playback_;
    // Pages of this stack that show the library and the downloads: declared
    // last, they go before what they show (as children they would outlive
    // every member).
    std::unique_ptr<LibraryView> libraryView_;
    std::unique_ptr<DownloadsView> downloadsView_;
};

} // namespace ZelkShell
