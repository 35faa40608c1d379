#pragma once

class QObject;

namespace ZelkNimbo {

// Interface ids the player asks plug-ins for.
namespace InterfaceId {
constexpr const char Menu[] = "com.zelk.nimbo.pluginInterface.Menu";
constexpr const char Shutdown[] = "com.zelk.nimbo.pluginInterface.Shutdown";
constexpr const char Preferences[] = "com.zelk.nimbo.pluginInterface.PreferencesPluginInterface";
constexpr const char SettingsConsumer[] = "com.zelk.nimbo.pluginInterface.SettingsConsumer";
} // namespace InterfaceId

// The plug-in's window, reachable as a QObject for its slots.
class MenuInterface {
public:
    virtual ~MenuInterface() = default;
    virtual QObject* menuObject() = 0;
};

// Called when the player quits.
class ShutdownInterface {
public:
    virtual ~ShutdownInterface() = default;
    virtual void shutdown() = 0;
};

class ZNBPreferencesPluginInterface {
public:
    virtual ~ZNBPreferencesPluginInterface() = default;
    virtual void showPlaybackPreferences() = 0;
};

// Implemented by plug-ins that re-read settings after the preferences are saved.
class SettingsConsumerInterface {
public:
    virtual ~SettingsConsumerInterface() = default;
    virtual void settingsChanged() = 0;
};

} // namespace ZelkNimbo
