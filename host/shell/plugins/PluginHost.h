#pragma once

#include "host/HostPluginContext.h"

#include <QString>
#include <QStringList>

#include <vector>

class QObject;
class QWidget;

namespace Okto {
class Plugin;
}

namespace ZelkShell {

// The player's plug-ins: reads the descriptor folders, starts the settings
// consumers, creates the preferences plug-in (ahead of its first show, or when
// first needed), and shuts everything down in order (plug-in objects before
// their modules).
class PluginHost {
public:
    static constexpr const char* preferencesPluginId = "com.zelk.nimbo.plugin.Preferences";

    PluginHost();
    // Gives back the host's references and lets the preferences window give
    // back its own; the modules are unloaded after that.
    ~PluginHost();
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // Reads the descriptors of every folder. A folder without descriptors is
    // an error only when no folder has any; `warnings` gets the rest.
    bool readPluginFolders(const QStringList& folders, QString* error, QStringList* warnings);

    // Creates every plug-in whose descriptor declares the settings-consumer
    // interface and names a module; returns how many were started.
    int startSettingsConsumers(QStringList* errors);

    // The preferences window object (reached through the Menu interface),
    // created on the first call; null with `error` filled when that fails.
    QObject* preferencesWindow(QString* error);
    // The window if it was created and is still alive, else null.
    QObject* existingPreferencesWindow() const;

    // Builds the preferences window ahead of its first show, so that opening
    // it only maps it: the plug-in object now (settings loaded, as any
    // creation), then, each from a later turn of the event loop, the layout
    // of the window (every page measured, fonts loaded) and its native
    // window. Does nothing when the window exists or the plug-ins were shut
    // down; false with `error` when the object cannot be created.
    bool buildPreferencesAhead(QString* error);

    // Shows the preferences window the way the player does: the slot
    // showPreferences() on the menu object's meta-object, or for the Playback
    // page the preferences interface's showPlaybackPreferences(). Other pages
    // are selected through the window's page list first. `page` < 0 keeps
    // the window's current page.
    bool showPreferences(int page, QString* error);

    // Asks every live plug-in that offers the Shutdown interface to shut down
    // (the preferences window offers to save unsaved changes). Runs once;
    // later calls do nothing.
    void shutdownPlugins();
    bool hasShutDown() const { return shutDown_; }

    ZelkHost::HostPluginContext& context() { return context_; }

private:
    void* preferencesInterface(const char* id) const;

    ZelkHost::HostPluginContext context_;
    Okto::Plugin* preferences_ = nullptr;
    QWidget* preferencesWindow_ = nullptr;
    bool preferencesDestroyed_ = false;
    std::vector<Okto::Plugin*> consumers_;
    bool shutDown_ = false;
};

} // namespace ZelkShell
