#pragma once

#include <QMainWindow>
#include <QVariant>

class QAction;
class QLabel;

namespace ZelkShell {

class PluginHost;

// The player's main window: no video, but the menus through which the player
// reaches its plug-ins, and the settings the player itself applies.
class PlayerWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit PlayerWindow(PluginHost& plugins, QWidget* parent = nullptr);

    // Opens the preferences window on `page` (< 0: its current page); a
    // failure is shown in the status bar and returned.
    bool openPreferences(int page = -1);

    // Shows the names of files the player was asked to open.
    void showRequestedFiles(const QStringList& files);

    bool alwaysOnTop() const;
    // How many times the settings were re-read after a save elsewhere.
    int settingsReloads() const { return settingsReloads_; }

    QAction* preferencesAction() const { return preferencesAction_; }
    QAction* playbackPreferencesAction() const { return playbackPreferencesAction_; }
    QAction* alwaysOnTopAction() const { return alwaysOnTopAction_; }
    QAction* quitAction() const { return quitAction_; }

public slots:
    // Re-reads the settings the player uses and applies them.
    void reloadSettings();

private slots:
    void settingsChangedMessage(const QString& message, const QVariant& payload);
    void setAlwaysOnTopFromMenu(bool onTop);

protected:
    // Quitting asks the plug-ins to shut down first, so the preferences
    // window can offer to save unsaved changes.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void applyAlwaysOnTop(bool onTop);
    void reportProblem(const QString& text);

    PluginHost& plugins_;
    QLabel* screen_ = nullptr;
    QAction* preferencesAction_ = nullptr;
    QAction* playbackPreferencesAction_ = nullptr;
    QAction* alwaysOnTopAction_ = nullptr;
    QAction* quitAction_ = nullptr;
    int settingsReloads_ = 0;
};

} // namespace ZelkShell
