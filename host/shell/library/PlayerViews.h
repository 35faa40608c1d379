#pragma once

#include <QStackedWidget>

#include <functional>
#include <memory>

namespace ZelkShell {

class DownloadsView;
class LibraryView;
class VideoLibrary;
struct BehaviourSettings;

// The player's views, one shown at a time: playback (the video and its
// controls), the video library and the download manager. Owns the library.
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

    // Fills the library from the default folder when that switch is on and
    // shows it afresh; run at start and after each save.
    void refreshLibrary();
    // A video started playing.
    void videoPlayed(const QString& path);

    VideoLibrary& library() { return *library_; }
    LibraryView* libraryView() const { return libraryView_; }
    DownloadsView* downloadsView() const { return downloadsView_; }
    QWidget* playbackView() const { return playback_; }

signals:
    void playRequested(const QString& path);
    void problem(const QString& text);

private:
    std::function<BehaviourSettings()> settings_;
    std::unique_ptr<VideoLibrary> library_;
    QWidget* playback_;
    LibraryView* libraryView_;
    DownloadsView* downloadsView_;
};

} // namespace ZelkShell
