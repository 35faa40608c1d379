#include "host/shell/behaviour/BehaviourSettings.h"

#include "host/library/ZNBLibrary.h"
#include "host/shell/ShellMessages.h"
#include "settings/PreferenceAccessors.h"
#include "settings/SettingKey.h"


namespace ZelkShell {

namespace {

bool readFlag(const SettingKey& key, bool defaultValue)
{
    return ZelkNimbo::readPreferenceBool(key.section, key.name, defaultValue);
}

} // namespace

BehaviourSettings BehaviourSettings::read()
{
    namespace Keys = SettingKeys;
    ZelkNimbo::releaseComponentSettings();
    BehaviourSettings s;
    s.resumeFromLastPosition = readFlag(Keys::Playback::ResumeFromLastPos, true);
    s.showResumeOffer = readFlag(Keys::Playback::ShowResumeOffer, true);
    s.reopenLastVideo = readFlag(Keys::Playback::RememberPreviousMovie, false);
    s.pauseInBackground = readFlag(Keys::Playback::PauseInBackground, false);
    s.blackoutWhenPaused = readFlag(Keys::Playback::BlackoutWhenPaused, false);
    s.disableScreenSaver = readFlag(Keys::Playback::DisableScreenSaver, true);
    s.resizeToVideo = readFlag(Keys::Playback::ResizePlayerToVideo, false);
    s.toolTips = readFlag(Keys::Playback::enableToolTips, true);
    s.autoHideControls = readFlag(Keys::Playback::hideInactiveButtons, false);
    const SettingKey& view = Keys::General::StartupView;
    s.startupView = ZelkNimbo::readPreferenceString(view.section, view.name, QStringLiteral("player"));

    s.addPlayedVideosToLibrary = readFlag(Keys::MediaLibrary::AddPlayedVideoToLibrary, true);
    s.addDefaultFolderToLibrary = readFlag(Keys::MediaLibrary::AddVideoInDefFolderToLibrary, false);
    s.deleteDiskFileWithEntry = readFlag(Keys::MediaLibrary::DeletLibraryFileAndDiskFile, false);
    s.recentlyWatchedList = readFlag(Keys::MediaLibrary::EnableRecentWatchedPlaylist, true);
    const SettingKey& folder = Keys::General::MediaFolder;
    s.mediaFolder =
        ZelkNimbo::readPreferenceString(folder.section, folder.name, ZelkNimbo::OSUtilities::getZelkMoviesPathDefault());
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
