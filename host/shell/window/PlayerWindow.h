#pragma once

#include "host/shell/engine/DetachedWork.h"
#include "host/shell/engine/EngineSettings.h"
#include "host/shell/settings/PlayerSettings.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class QAction;

namespace ZelkShell {

class EngineSettingsApplier;
class ImportDialog;
class PlaybackBehaviour;
class PlaybackControls;
class PlayerViews;
class PlaybackEngine;
class PluginHost;
class VideoSurface;
class VideoView;

// The player's main window: the video, the playback controls and keys, the
// menus through which the player reaches its plug-ins, and the settings the
// player applies (to itself and to its playback engine).
class PlayerWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit PlayerWindow(PluginHost& plugins, QWidget* parent = nullptr);
    ~PlayerWindow() override;

    // Opens the preferences window on `page` (< 0: its current page); a
    // failure is shown in the status bar and returned.
    bool openPreferences(int page = -1);

    // Plays `files` one after the other, the first from `startSeconds`.
    void playFiles(const QStringList& files, double startSeconds = 0.0, bool paused = false);
    // With "Automatically play last video left open on player quit" on,
    // plays the video open at the last quit where it was left; false when
    // there is none.
    bool reopenLastVideo();
    // The files still to play after the current one.
    QStringList queuedFiles() const { return queue_; }

    bool alwaysOnTop() const;
    // How many times the settings were re-read after a save elsewhere.
    int settingsReloads() const { return settingsReloads_; }
    // True once the player itself was asked to quit (File > Quit, closing the
    // window), as opposed to the application being told to quit elsewhere.
    bool quitRequested() const { return quitRequested_; }
    VideoOutputKind videoOutput() const { return videoOutput_; }

    PlaybackEngine& engine() const { return *engine_; }
    // Runs `start` once the video area can show pictures: at once, except
    // for the OpenGL output before its widget has its context (the engine
    // needs the renderer before a file opens, or it plays no video).
    void whenVideoAreaReady(std::function<void()> start);
    // Where the video appears, whichever output draws it.
    VideoSurface& videoSurface() const { return *surface_; }
    // The software output's view; null with the other outputs.
    VideoView* videoView() const;
    PlaybackControls* controls() const { return controls_; }
    EngineSettingsApplier& engineSettings() const { return *engineSettings_; }
    PlaybackBehaviour& behaviour() const { return *behaviour_; }
    PlayerViews& views() const { return *views_; }

    QAction* preferencesAction() const { return preferencesAction_; }
    QAction* playbackPreferencesAction() const { return playbackPreferencesAction_; }
    QAction* alwaysOnTopAction() const { return alwaysOnTopAction_; }
    QAction* quitAction() const { return quitAction_; }
    QAction* openAction() const { return openAction_; }
    QAction* fullScreenAction() const { return fullScreenAction_; }
    QAction* importFolderAction() const { return importFolderAction_; }
    // The dialog of the last folder import while it is open; null otherwise.
    ImportDialog* importDialog() const;

public slots:
    // Re-reads the settings the player uses and applies them.
    void reloadSettings();
    void chooseAndOpenFile();
    void setFullScreen(bool fullScreen);
    // Library > Import Folder…: asks for a folder (without blocking the
    // window), then imports it; while an import runs, shows its dialog.
    void chooseFolderToImport();
    // Adds the videos in and below `folder` to the library, with a dialog
    // that follows the import.
    void importFolder(const QString& folder);

private slots:
    void settingsChangedMessage(const QString& message, const QVariant& payload);
    void setAlwaysOnTopFromMenu(bool onTop);
    void fileLoaded(const QString& file);
    void openFailed(const QString& file, const QString& reason);
    void playNextFile();
    void subtitleRefused(const QString& file, const QString& reason);

protected:
    // Quitting asks the plug-ins to shut down first, so the preferences
    // window can offer to save unsaved changes.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildVideoArea(const StoredSettings& settings);
    void applySettings(const PlayerSettings::Snapshot& settings);
    void buildMenus();
    void buildLibraryMenu();
    void buildBehaviour();
    void buildPlaybackKeys();
    void connectEngine();
    // Opens one file or URL of the queue (or reports why not). A local name
    // is looked at first on a thread of its own (a stat() on a hung mount
    // never holds the window), then opened by startOpening().
    void playOne(const QString& name, double startSeconds, bool paused);
    void startOpening(const QString& target, double startSeconds, bool paused);
    void applyAlwaysOnTop(bool onTop);
    void reportProblem(const QString& text);
    void showVideoMessage(const QString& text);

    PluginHost& plugins_;
    // The applier holds the engine: declared after it, so it goes first
    // (the destructor ends them in that order too, before the widgets).
    std::unique_ptr<PlaybackEngine> engine_;
    std::unique_ptr<EngineSettingsApplier> engineSettings_;
    PlaybackBehaviour* behaviour_ = nullptr;
    PlayerViews* views_ = nullptr;
    VideoOutputKind videoOutput_ = VideoOutputKind::Software;
    VideoSurface* surface_ = nullptr;
    PlaybackControls* controls_ = nullptr;
    QStringList queue_;
    // Looks at local files before they open; a look for a file that is no
    // longer the one asked for (a newer playOne() came) is dropped.
    DetachedWork localFileLooks_{this};
    quint64 localFileLook_ = 0;
    QAction* preferencesAction_ = nullptr;
    QAction* playbackPreferencesAction_ = nullptr;
    QAction* alwaysOnTopAction_ = nullptr;
    QAction* quitAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* fullScreenAction_ = nullptr;
    QAction* importFolderAction_ = nullptr;
    // Reads the subtitle file the engine refused as too large, on request.
    QAction* readRefusedSubtitleAction_ = nullptr;
    QString refusedSubtitle_;
    QPointer<ImportDialog> importDialog_;
    int settingsReloads_ = 0;
    bool quitRequested_ = false;
    // A file of the queue failed and the next one is opening.
    bool failedInQueue_ = false;
};

} // namespace ZelkShell
