#pragma once

#include <QString>

struct SettingKey;

namespace ZelkShell {

// The playback, view and library switches the player applies itself, read
// through the preference accessors with the defaults the preferences show.
struct BehaviourSettings {
    bool resumeFromLastPosition = true;
    bool showResumeOffer = true;
    bool reopenLastVideo = false;
    bool pauseInBackground = false;
    bool blackoutWhenPaused = false;
    bool disableScreenSaver = true;
    bool resizeToVideo = false;
    bool toolTips = true;
    bool autoHideControls = false;
    // "player", "media library" or "download manager".
    QString startupView = QStringLiteral("player");

    bool addPlayedVideosToLibrary = true;
    bool addDefaultFolderToLibrary = false;
    bool deleteDiskFileWithEntry = false;
    bool recentlyWatchedList = true;
    QString mediaFolder;
    bool autoCloseImportDialog = true;

    bool autoClearDownloads = false;
    bool resumeDownloadsOnStartup = true;

    // Reads through the component settings as they are open: the player
    // reads them as part of PlayerSettings::read(), which opens them afresh.
    static BehaviourSettings read();
};

// Stores a switch the player changed itself and publishes
// "Preference.Item.Changed" with its value name, so that an open preferences
// window follows; false when the value could not be stored.
bool storePlayerSwitch(const SettingKey& key, bool value);

} // namespace ZelkShell
