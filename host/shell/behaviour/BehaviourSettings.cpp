#include "host/shell/behaviour/BehaviourSettings.h"

#include "host/library/ZNBLibrary.h"
#include "host/shell/ShellMessages.h"
#include "settings/PreferenceAccessors.h"
#include "settings/SettingDefaults.h"
#include "settings/SettingKey.h"


namespace ZelkShell {

namespace {

// A missing value reads as what the preferences window shows for it.
bool readFlag(const SettingKey& key)
{
    return ZelkNimbo::readPreferenceBool(key.section, key.name, ZelkNimbo::settingDefault(key).toBool());
}

QString readText(const SettingKey& key)
{
    return ZelkNimbo::readPreferenceString(key.section, key.name, ZelkNimbo::settingDefault(key).toString());
}

} // namespace

BehaviourSettings BehaviourSettings::read()
{
    namespace Keys = SettingKeys;
    ZelkNimbo::releaseComponentSettings();
    BehaviourSettings s;
    s.resumeFromLastPosition = readFlag(Keys::Playback::ResumeFromLastPos);
    s.showResumeOffer = readFlag(Keys::Playback::ShowResumeOffer);
    s.reopenLastVideo = readFlag(Keys::Playback::RememberPreviousMovie);
    s.pauseInBackground = readFlag(Keys::Playback::PauseInBackground);
    s.blackoutWhenPaused = readFlag(Keys::Playback::BlackoutWhenPaused);
    s.disableScreenSaver = readFlag(Keys::Playback::DisableScreenSaver);
    s.resizeToVideo = readFlag(Keys::Playback::ResizePlayerToVideo);
    s.toolTips = readFlag(Keys::Playback::enableToolTips);
    s.autoHideControls = readFlag(Keys::Playback::hideInactiveButtons);
    s.startupView = readText(Keys::General::StartupView);

    s.addPlayedVideosToLibrary = readFlag(Keys::MediaLibrary::AddPlayedVideoToLibrary);
    s.addDefaultFolderToLibrary = readFlag(Keys::MediaLibrary::AddVideoInDefFolderToLibrary);
    s.deleteDiskFileWithEntry = readFlag(Keys::MediaLibrary::DeletLibraryFileAndDiskFile);
    s.recentlyWatchedList = readFlag(Keys::MediaLibrary::EnableRecentWatchedPlaylist);
    s.mediaFolder = readText(Keys::General::MediaFolder);
    return s;
}

bool storePlayerSwitch(const SettingKey& key, bool value)
{
    if (!ZelkNimbo::writePreferenceBool(key.section, key.name, value)) {
        // A held key may have been deleted under us; one more try on fresh keys.
        ZelkNimbo::releaseComponentSettings();
        if (!ZelkNimbo::writePreferenceBool(key.section, key.name, value))
            return false;
    }
    ZelkNimbo::PubSubHub::publishMessage(QLatin1String(Messages::PreferenceItemChanged), QLatin1String(key.name));
    return true;
}

} // namespace ZelkShell
