#pragma once

// The player's settings schema: every (value name, section) pair it stores.
// Each user names the constant it needs; names are case-sensitive in the
// store's caches, so they are spelled here once.

struct SettingKey {
    const char* name;    // the registry value name
    const char* section; // the key below the component's settings key
};

namespace SettingKeys {

namespace Paths {
constexpr SettingKey SkinInstallPath{"SkinInstallPath", "Paths"};
constexpr SettingKey QtPluginsInstallPath{"QtPluginsInstallPath", "Paths"};
constexpr SettingKey I18nInstallPath{"I18nInstallPath", "Paths"};
constexpr SettingKey StreamEnginePluginsInstallPath{"StreamEnginePluginsInstallPath", "Paths"};
constexpr SettingKey NimboPluginsInstallPath{"NimboPluginsInstallPath", "Paths"};
} // namespace Paths

namespace GlobalState {
constexpr SettingKey DefaultViewPlugin{"DefaultViewPlugin", "GlobalState"};
} // namespace GlobalState

namespace PlayerState {
constexpr SettingKey NimboPos{"NimboPos", "PlayerState"};
constexpr SettingKey PlayerYPos{"PlayerYPos", "PlayerState"};
constexpr SettingKey PlayerWidth{"PlayerWidth", "PlayerState"};
constexpr SettingKey PlayerHeight{"PlayerHeight", "PlayerState"};
constexpr SettingKey PRefFixedWidth{"PRefFixedWidth", "PlayerState"};
constexpr SettingKey PRefFixedHeight{"PRefFixedHeight", "PlayerState"};
constexpr SettingKey AspectRatio{"AspectRatio", "PlayerState"};
constexpr SettingKey DisplayState{"DisplayState", "PlayerState"};
constexpr SettingKey LastOpenFileLocation{"LastOpenFileLocation", "PlayerState"};
constexpr SettingKey DimmerIntensity{"DimmerIntensity", "PlayerState"};
constexpr SettingKey Volume{"Volume", "PlayerState"};
constexpr SettingKey HEVCPingSent{"HEVCPingSent", "PlayerState"};
constexpr SettingKey FirstRunPingSent{"FirstRunPingSent", "PlayerState"};
constexpr SettingKey RunWithoutInternetConnection{"RunWithoutInternetConnection", "PlayerState"};
constexpr SettingKey FirstRunAdayPingTime{"FirstRunAdayPingTime", "PlayerState"};
constexpr SettingKey FirstPlayerLaunch{"FirstPlayerLaunch", "PlayerState"};
constexpr SettingKey KeyHelpXPos{"KeyHelpXPos", "PlayerState"};
constexpr SettingKey KeyHelpYPos{"KeyHelpYPos", "PlayerState"};
constexpr SettingKey KeyHelpWidth{"KeyHelpWidth", "PlayerState"};
constexpr SettingKey KeyHelpHeight{"KeyHelpHeight", "PlayerState"};
} // namespace PlayerState

namespace HalvoAudio {
constexpr SettingKey HalvoPurchaseURL{"HalvoPurchaseURL", "HalvoAudio"};
constexpr SettingKey HalvoHelpFile{"HalvoHelpFile", "HalvoAudio"};
constexpr SettingKey HalvoShown{"HalvoShown", "HalvoAudio"};
constexpr SettingKey HalvoWindowX{"HalvoWindowX", "HalvoAudio"};
constexpr SettingKey HalvoWindowY{"HalvoWindowY", "HalvoAudio"};
} // namespace HalvoAudio

namespace General {
constexpr SettingKey BannerMarket{"BannerMarket", "General"};
constexpr SettingKey Locale{"Locale", "General"};
constexpr SettingKey MacStyleWindowControls{"MacStyleWindowControls", "General"};
constexpr SettingKey Skin{"Skin", "General"};
constexpr SettingKey UseTranslucentWindow{"UseTranslucentWindow", "General"};
constexpr SettingKey UseWindowBlur{"UseWindowBlur", "General"};
constexpr SettingKey MediaFolder{"MediaFolder", "General"};
constexpr SettingKey DesktopFolder{"DesktopFolder", "General"};
constexpr SettingKey ShowBannerAds{"ShowBannerAds", "General"};
constexpr SettingKey DefaultOpenFileLocation{"DefaultOpenFileLocation", "General"};
constexpr SettingKey UlmServer{"UlmServer", "General"};
constexpr SettingKey UlmServerOverride{"UlmServerOverride", "General"};
constexpr SettingKey UlmEmail{"UlmEmail", "General"};
constexpr SettingKey UlmPassword{"UlmPassword", "General"};
constexpr SettingKey UlmCheckPointID{"UlmCheckPointID", "General"};
constexpr SettingKey UlmDebug{"UlmDebug", "General"};
constexpr SettingKey StartupView{"StartupView", "General"};
constexpr SettingKey AVIFileAssoc{"AVIFileAssoc", "General"};
constexpr SettingKey ZELKFileAssoc{"ZELKFileAssoc", "General"};
constexpr SettingKey XVIDFileAssoc{"XVIDFileAssoc", "General"};
constexpr SettingKey MKVFileAssoc{"MKVFileAssoc", "General"};
constexpr SettingKey MOVFileAssoc{"MOVFileAssoc", "General"};
constexpr SettingKey MP4FileAssoc{"MP4FileAssoc", "General"};
constexpr SettingKey WMVFileAssoc{"WMVFileAssoc", "General"};
constexpr SettingKey VOBFileAssoc{"VOBFileAssoc", "General"};
constexpr SettingKey MPGFileAssoc{"MPGFileAssoc", "General"};
constexpr SettingKey ASFFileAssoc{"ASFFileAssoc", "General"};
constexpr SettingKey QTFileAssoc{"QTFileAssoc", "General"};
constexpr SettingKey InitialFileAssociationsHaveBeenMade{"InitialFileAssociationsHaveBeenMade", "General"};
constexpr SettingKey TransferDevicesConfirmDeletions{"TransferDevicesConfirmDeletions", "General"};
constexpr SettingKey TransferDevicesPaneShown{"TransferDevicesPaneShown", "General"};
constexpr SettingKey PlayerVersion{"PlayerVersion", "General"};
constexpr SettingKey RemoteControlsEnabled{"RemoteControlsEnabled", "General"};
} // namespace General

namespace DownloadManager {
constexpr SettingKey AutoClearDownloads{"AutoClearDownloads", "DownloadManager"};
constexpr SettingKey ResumeDownloadsOnStartup{"ResumeDownloadsOnStartup", "DownloadManager"};
} // namespace DownloadManager

namespace MediaLibrary {
constexpr SettingKey AutoCloseImportDialog{"AutoCloseImportDialog", "MediaLibrary"};
constexpr SettingKey AddPlayedVideoToLibrary{"AddPlayedVideoToLibrary", "MediaLibrary"};
constexpr SettingKey AddVideoInDefFolderToLibrary{"AddVideoInDefFolderToLibrary", "MediaLibrary"};
constexpr SettingKey DeletLibraryFileAndDiskFile{"DeletLibraryFileAndDiskFile", "MediaLibrary"};
constexpr SettingKey EnableRecentWatchedPlaylist{"EnableRecentWatchedPlaylist", "MediaLibrary"};
constexpr SettingKey ShowVideoThumbnail{"ShowVideoThumbnail", "MediaLibrary"};
constexpr SettingKey DefaultViewColumnsEstablished{"DefaultViewColumnsEstablished", "MediaLibrary"};
} // namespace MediaLibrary

namespace RecentFilis {
constexpr SettingKey RecentWatchedMovies{"RecentWatchedMovies", "RecentFilis"};
} // namespace RecentFilis

namespace Playback {
constexpr SettingKey enableToolTips{"enableToolTips", "Playback"};
constexpr SettingKey hideInactiveButtons{"hideInactiveButtons", "Playback"};
constexpr SettingKey AlwaysOnTop{"AlwaysOnTop", "Playback"};
constexpr SettingKey LoopPlayback{"LoopPlayback", "Playback"};
constexpr SettingKey ResumeFromLastPos{"ResumeFromLastPos", "Playback"};
constexpr SettingKey ShowResumeOffer{"ShowResumeOffer", "Playback"};
constexpr SettingKey LoopPlaylist{"LoopPlaylist", "Playback"};
constexpr SettingKey ResizePlayerToVideo{"ResizePlayerToVideo", "Playback"};
constexpr SettingKey DisableScreenSaver{"DisableScreenSaver", "Playback"};
constexpr SettingKey ShowKoronaMenus{"ShowKoronaMenus", "Playback"};
constexpr SettingKey RecentFileMaximum{"RecentFileMaximum", "Playback"};
constexpr SettingKey RecentFileMenuMaximum{"RecentFileMenuMaximum", "Playback"};
constexpr SettingKey RememberPreviousMovie{"RememberPreviousMovie", "Playback"};
constexpr SettingKey WasPlaying{"WasPlaying", "Playback"};
constexpr SettingKey RememberRecentFilePosition{"RememberRecentFilePosition", "Playback"};
constexpr SettingKey PauseInBackground{"PauseInBackground", "Playback"};
constexpr SettingKey BlackoutWhenPaused{"BlackoutWhenPaused", "Playback"};
constexpr SettingKey FadeOutWhenPlaying{"FadeOutWhenPlaying", "Playback"};
constexpr SettingKey DimDesktop{"DimDesktop", "Playback"};
constexpr SettingKey DimWindowWithDesktop{"DimWindowWithDesktop", "Playback"};
constexpr SettingKey AudioOutputMode{"AudioOutputMode", "Playback"};
constexpr SettingKey SmoothTrickPlayThreshold{"SmoothTrickPlayThreshold", "Playback"};
constexpr SettingKey KeyframeTrickPlayInterval{"KeyframeTrickPlayInterval", "Playback"};
} // namespace Playback

namespace Languages {
constexpr SettingKey AudioLanguage{"AudioLanguage", "Languages"};
constexpr SettingKey SubtitleLanguage{"SubtitleLanguage", "Languages"};
constexpr SettingKey MenuLanguage{"MenuLanguage", "Languages"};
} // namespace Languages

namespace Codec {
constexpr SettingKey PostProcessingMode{"PostProcessingMode", "Codec"};
constexpr SettingKey DeblockingLevel{"DeblockingLevel", "Codec"};
constexpr SettingKey Brightness{"Brightness", "Codec"};
constexpr SettingKey Contrast{"Contrast", "Codec"};
constexpr SettingKey Saturation{"Saturation", "Codec"};
constexpr SettingKey FilmEffectEnabled{"FilmEffectEnabled", "Codec"};
constexpr SettingKey FilmEffectLevel{"FilmEffectLevel", "Codec"};
} // namespace Codec

namespace Video {
constexpr SettingKey DeinterlacingMethod{"DeinterlacingMethod", "Video"};
constexpr SettingKey VideoOutputMethod{"VideoOutputMethod", "Video"};
constexpr SettingKey HardwareDecodingDisabled{"HardwareDecodingDisabled", "Video"};
} // namespace Video

namespace Subtitles {
constexpr SettingKey SubtitleFont{"SubtitleFont", "Subtitles"};
constexpr SettingKey AlwaysUseExternalFont{"AlwaysUseExternalFont", "Subtitles"};
constexpr SettingKey UseExternalSubtitles{"UseExternalSubtitles", "Subtitles"};
constexpr SettingKey SubtitleTextColor{"SubtitleTextColor", "Subtitles"};
constexpr SettingKey SubtitleOutlineColor{"SubtitleOutlineColor", "Subtitles"};
constexpr SettingKey SubtitleDelay{"SubtitleDelay", "Subtitles"};
constexpr SettingKey SubtitleCodePage{"SubtitleCodePage", "Subtitles"};
constexpr SettingKey SubtitleFrameRateNumerator{"SubtitleFrameRateNumerator", "Subtitles"};
constexpr SettingKey SubtitleFrameRateDenominator{"SubtitleFrameRateDenominator", "Subtitles"};
constexpr SettingKey DisableDualSubtitles{"DisableDualSubtitles", "Subtitles"};
} // namespace Subtitles

namespace Profiles {
constexpr SettingKey ProfileGUID{"ProfileGUID", "Profiles"};
} // namespace Profiles

namespace OSD {
constexpr SettingKey OSDPosition{"OSDPosition", "OSD"};
constexpr SettingKey OSDFont{"OSDFont", "OSD"};
} // namespace OSD

} // namespace SettingKeys
