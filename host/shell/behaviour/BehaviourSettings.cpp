#include "host/shell/behaviour/BehaviourSettings.h"

#include "host/library/HubMessages.h"
#include "host/library/ZNBLibrary.h"
#include "host/shell/behaviour/StoreWrites.h"
#include "settings/PreferenceAccessors.h"
#include "settings/SettingDefaults.h"
#include "settings/SettingKey.h"

namespace ZelkShell {

using ZelkNimbo::readSettingFlag;
using ZelkNimbo::readSettingText;

BehaviourSettings BehaviourSettings::read()
{
    namespace Keys = SettingKeys;
    BehaviourSettings s;
    s.resumeFromLastPosition = readSettingFlag(Keys::Playback::ResumeFromLastPos);
    s.showResumeOffer = readSettingFlag(Keys::Playback::ShowResumeOffer);
    s.reopenLastVideo = readSettingFlag(Keys::Playback::RememberPreviousMovie);
    s.pauseInBackground = readSettingFlag(Keys::Playback::PauseInBackground);
    s.blackoutWhenPaused = readSettingFlag(Keys::Playback::BlackoutWhenPaused);
    s.disableScreenSaver = readSettingFlag(Keys::Playback::DisableScreenSaver);
    s.resizeToVideo = readSettingFlag(Keys::Playback::ResizePlayerToVideo);
    s.toolTips = readSettingFlag(Keys::Playback::enableToolTips);
    s.autoHideControls = readSettingFlag(Keys::Playback::hideInactiveButtons);
    s.startupView = readSettingText(Keys::General::StartupView);

    s.addPlayedVideosToLibrary = readSettingFlag(Keys::MediaLibrary::AddPlayedVideoToLibrary);
    s.addDefaultFolderToLibrary = readSettingFlag(Keys::MediaLibrary::AddVideoInDefFolderToLibrary);
    s.deleteDiskFileWithEntry = readSettingFlag(Keys::MediaLibrary::DeletLibraryFileAndDiskFile);
    s.recentlyWatchedList = readSettingFlag(Keys::MediaLibrary::EnableRecentWatchedPlaylist);
    s.mediaFolder = readSettingText(Keys::General::MediaFolder);
    s.autoCloseImportDialog = readSettingFlag(Keys::MediaLibrary::AutoCloseImportDialog);

    s.autoClearDownloads = readSettingFlag(Keys::DownloadManager::AutoClearDownloads);
    s.resumeDownloadsOnStartup = readSettingFlag(Keys::DownloadManager::ResumeDownloadsOnStartup);
    return s;
}

bool storePlayerSwitch(const SettingKey& key, bool value)
{
    if (!writeRetryingOnFreshKeys(
            [&key, value] { return ZelkNimbo::writePreferenceBool(key.section, key.name, value); }))
        return false;
    ZelkNimbo::PubSubHub::publishMessage(QLatin1String(ZelkNimbo::HubMessages::PreferenceItemChanged),
                                         QLatin1String(key.name));
    return true;
}

} // namespace ZelkShell
