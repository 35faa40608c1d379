#pragma once

#include <QStackedWidget>

#include <functional>
#include <memory>

namespace ZelkShell {

class DownloadManager;
class DownloadsView;
class FolderWalk;
class LibraryView;
class LibraryWriter;
class VideoLibrary;
struct BehaviourSettings;

// The player's views, one shown at a time: playback (the video and its
// controls), the video library and the download manager. Owns the library:
// the view reads it on the GUI thread (waiting at most readWaitMs for a lock),
// every write goes through a LibraryWriter on a thread of its own, and the
// default folder is walked on another. Owns the downloads too, whose queue
// is kept in the library's file the same way.
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

    // Starts filling the library from the default folder when that switch is
    // on (in the background; a walk still running is cancelled) and shows it
    // afresh; run at start and after each save.
    void refreshLibrary();
    // A video started playing: recorded in the background.
    void videoPlayed(const QString& path);
    // Whether a folder walk or a library write has not finished yet.
    bool libraryWorkPending() const;

    VideoLibrary& library() { return *library_; }
    DownloadManager& downloads() { return *downloads_; }
    LibraryView* libraryView() const { return libraryView_; }
    DownloadsView* downloadsView() const { return downloadsView_; }
    QWidget* playbackView() const { return playback_; }

signals:
    void playRequested(const QString& path);
    void problem(const QString& text);

private:
    void importFolder(const QString& folder);
    void libraryWritten();

    std::function<BehaviourSettings()> settings_;
    std::unique_ptr<VideoLibrary> library_;
    // Declared in this order so that a walk stops before the writer it feeds.
    std::unique_ptr<LibraryWriter> writer_;
    std::unique_ptr<FolderWalk> walk_;
    // Writes through the writer: goes before it.
    std::unique_ptr<DownloadManager> downloads_;
    bool walking_ = false;
    QWidget* playback_;
    LibraryView* libraryView_;
    DownloadsView* downloadsView_;
};

} // namespace ZelkShell
