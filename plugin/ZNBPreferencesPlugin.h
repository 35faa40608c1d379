#pragma once

#include "framework/Plugin.h"
#include "plugin/HostInterfaces.h"

#include <QWidget>

class QCloseEvent;

namespace ZelkNimbo {

// The preferences plug-in: at once the preferences window, a framework
// plug-in and the player's menu, shutdown and preferences interfaces.
class ZNBPreferencesPlugin : public QWidget,
                             public Okto::Plugin,
                             public ZelkNimbo::MenuInterface,
                             public ZelkNimbo::ShutdownInterface,
                             public ZelkNimbo::ZNBPreferencesPluginInterface {
    Q_OBJECT

public:
    explicit ZNBPreferencesPlugin(Okto::PluginContext* context);
    ~ZNBPreferencesPlugin() override;

    int queryInterface(const Okto::String& id, void** out) override;

    QObject* menuObject() override;
    void shutdown() override;
    void showPlaybackPreferences() override;

public slots:
    void showPreferences();
    void releaseLater();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The window keeps one reference of its own while it may be shown; an
    // accepted close gives it back once, through a deferred releaseLater().
    void holdWindowReference();
    void scheduleWindowRelease();

    bool dirty = false;

    bool holdsWindowReference_ = false;
    bool windowReleasePending_ = false;
};

} // namespace ZelkNimbo
