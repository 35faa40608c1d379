// Every setting the window edits, declared once, in the order load visits
// them; the order save writes them in follows below.

#include "plugin/ZNBPreferencesPlugin.h"

#include "host/library/ZNBLibrary.h"
#include "settings/SettingDefaults.h"

#include <algorithm>
#include <cstring>

namespace ZelkNimbo {

namespace {

// Taken once, when the module is loaded; every other default comes from the
// shared list of defaults when the bindings are declared.
const QString defaultMediaFolder = OSUtilities::getZelkMoviesPathDefault();

PreferenceBinding heldColour(const SettingKey& key, QColor* colour)
{
    PreferenceBinding binding{key, BindingKind::Colour, nullptr};
    binding.heldColour = colour;
    return binding;
}

PreferenceBinding heldFont(const SettingKey& key, QFont* font)
{
    PreferenceBinding binding{key, BindingKind::Font, nullptr};
    binding.heldFont = font;
    return binding;
}

// The form's label of a file-type box; QT_TRANSLATE_NOOP marks it as the
// same source text the form translates.
PreferenceBinding association(const SettingKey& key, QWidget* box, const char* formLabel)
{
    PreferenceBinding binding{key, BindingKind::Association, box};
    binding.fileTypes = QString::fromLatin1(formLabel);
    return binding;
}

PreferenceBinding thenRun(PreferenceBinding binding, std::function<void()> afterLoad)
{
    binding.afterLoad = std::move(afterLoad);
    return binding;
}

} // namespace

void ZNBPreferencesPlugin::declareBindings()
{
    using namespace SettingKeys;
    using K = BindingKind;

    bindings_ = {
        // General page
        {General::MediaFolder, K::Text, ui.zelkMoviesEdit, defaultMediaFolder},
        {General::ShowBannerAds, K::NegatedCheck, ui.bannerAdsCheckBox},
        {Playback::AlwaysOnTop, K::Check, ui.onTopCheckBox},
        {Playback::enableToolTips, K::NegatedCheck, ui.toolTipsCheckBox},
        {Playback::hideInactiveButtons, K::Check, ui.autohideCheckBox},
        thenRun({General::DefaultOpenFileLocation, K::OpenLocation, ui.customDirEdit},
                [this] { ui.customDirEdit->setEnabled(ui.openInCustomDirRadioButton->isChecked()); }),
        {General::StartupView, K::ComboData, ui.defaultViewComboBox, {}, QString(), 0},
        association(General::AVIFileAssoc, ui.aviCheckBox, QT_TRANSLATE_NOOP("PreferencesDialog", ".avi")),
        association(General::ZELKFileAssoc, ui.zelkCheckBox, QT_TRANSLATE_NOOP("PreferencesDialog", ".zelk")),
        association(General::XVIDFileAssoc, ui.xvidCheckBox, QT_TRANSLATE_NOOP("PreferencesDialog", ".xvid")),
        association(General::MKVFileAssoc, ui.mkvCheckBox, QT_TRANSLATE_NOOP("PreferencesDialog", ".mkv")),
        association(General::MOVFileAssoc, ui.movCheckBox, QT_TRANSLATE_NOOP("PreferencesDialog", ".mov")),
        association(General::MP4FileAssoc, ui.mp4CheckBox, QT_TRANSLATE_NOOP("PreferencesDialog", ".mp4")),
        association(General::WMVFileAssoc, ui.wmvCheckBox, QT_TRANSLATE_NOOP("PreferencesDialog", ".wmv")),
        association(General::VOBFileAssoc, ui.vobCheckBox, QT_TRANSLATE_NOOP("PreferencesDialog", ".vob")),
        association(General::MPGFileAssoc, ui.mpg_mpegCheckBox, QT_TRANSLATE_NOOP("PreferencesDialog", ".mpg/.mpeg")),
        association(General::ASFFileAssoc, ui.asfCheckBox, QT_TRANSLATE_NOOP("PreferencesDialog", ".asf")),
        association(General::QTFileAssoc, ui.qtCheckBox, QT_TRANSLATE_NOOP("PreferencesDialog", ".qt")),
        // Video Library page
        {DownloadManager::AutoClearDownloads, K::Check, ui.mediaLibClearDownloadsCheckBox},
        {MediaLibrary::AutoCloseImportDialog, K::Check, ui.mediaLibAutoCloseImportDialogCheckBox},
        {DownloadManager::ResumeDownloadsOnStartup, K::Check, ui.mediaLibRestartDownloadsCheckBox},
        {MediaLibrary::AddPlayedVideoToLibrary, K::Check, ui.addPlayedVideoToLibCheckBox},
        {MediaLibrary::AddVideoInDefFolderToLibrary, K::Check, ui.addVideoInDefFolderToLibCheckBox},
        {MediaLibrary::DeletLibraryFileAndDiskFile, K::Check, ui.deletLibFileAndDiskFileCheckBox},
        {MediaLibrary::EnableRecentWatchedPlaylist, K::Check, ui.recentWatchedPlaylistCheckBox},
        // Playback page
        {Playback::ResumeFromLastPos, K::Check, ui.resumePlaybackCheckBox},
        {Playback::ShowResumeOffer, K::Check, ui.showResumeOfferCheckBox},
        {Playback::ResizePlayerToVideo, K::Check, ui.resizeToVideoCheckBox},
        {Playback::DisableScreenSaver, K::Check, ui.screenSaverCheckBox},
        {Playback::RememberPreviousMovie, K::Check, ui.rememberPreviousMovieCheckBox},
        {Playback::PauseInBackground, K::Check, ui.pauseIfNoFocusCheckBox},
        {Playback::BlackoutWhenPaused, K::Check, ui.blackoutOnPauseCheckBox},
        {Languages::AudioLanguage, K::Language, ui.audioTrackComboBox},
        {Languages::SubtitleLanguage, K::Language, ui.subtitleTrackComboBox},
        {Languages::MenuLanguage, K::Language, ui.menuTrackComboBox},
        // Advanced page: post-processing (its enable rule follows the stored mode)
        // The deblocking controls follow the mode; an unlisted stored mode
        // is never "custom", so the selected item decides the same way.
        thenRun({Codec::PostProcessingMode, K::ComboData, ui.postProcessingComboBox, {}, QStringLiteral("automatic"), 1},
                [this] { postProcessingModeChanged(ui.postProcessingComboBox->currentIndex()); }),
        {Codec::DeblockingLevel, K::UnsignedSlider, ui.deblockingSlider},
        // Playback page: picture
        {Codec::Brightness, K::Slider, ui.brightnessSlider},
        {Codec::Contrast, K::Slider, ui.contrastSlider},
        {Codec::Saturation, K::Slider, ui.saturationSlider},
        // Subtitles page
        {Subtitles::DisableDualSubtitles, K::Check, ui.simSubsCheckBox},
        {Subtitles::UseExternalSubtitles, K::Check, ui.srtCheckBox},
        {Subtitles::AlwaysUseExternalFont, K::Check, ui.alwaysUseExternalFontCheckBox},
        heldColour(Subtitles::SubtitleTextColor, &subtitleTextColor),
        heldColour(Subtitles::SubtitleOutlineColor, &subtitleOutlineColor),
        heldFont(Subtitles::SubtitleFont, &subtitleFont),
        // The sample shows the loaded font and colours once the code page is in.
        thenRun({Subtitles::SubtitleCodePage, K::ComboData, ui.defaultCodePageComboBox, {}, QStringLiteral("system"), 1},
                [this] { renderSubtitleExample(); }),
        {Subtitles::SubtitleDelay, K::Slider, ui.subtitleDelaySpinBox},
        {Subtitles::SubtitleFrameRateNumerator, K::FrameRate, ui.subtitleFrameRateComboBox},
        // Advanced page: video
        {Video::DeinterlacingMethod, K::ComboData, ui.deinterlacingMethodComboBox, {}, QStringLiteral("bob"), 1},
        {Video::VideoOutputMethod, K::VideoOutput, ui.videoOutputMethodComboBox, {}, QString(), 0},
        {Video::HardwareDecodingDisabled, K::Check, ui.hardwareDecodingDisabledCheckBox},
        heldFont(OSD::OSDFont, &osdFont),
    };
    for (PreferenceBinding& setting : bindings_)
        if (!setting.defaultValue.isValid())
            setting.defaultValue = settingDefault(setting.key);

    // Save writes the subtitle delay before the font and the code page; every
    // other setting is written in load order.
    const SettingKey saveSequence[] = {
        General::MediaFolder, General::ShowBannerAds, Playback::AlwaysOnTop, Playback::enableToolTips,
        Playback::hideInactiveButtons, General::DefaultOpenFileLocation, General::StartupView,
        General::AVIFileAssoc, General::ZELKFileAssoc, General::XVIDFileAssoc, General::MKVFileAssoc,
        General::MOVFileAssoc, General::MP4FileAssoc, General::WMVFileAssoc, General::VOBFileAssoc,
        General::MPGFileAssoc, General::ASFFileAssoc, General::QTFileAssoc,
        DownloadManager::AutoClearDownloads, MediaLibrary::AutoCloseImportDialog,
        DownloadManager::ResumeDownloadsOnStartup, MediaLibrary::AddPlayedVideoToLibrary,
        MediaLibrary::AddVideoInDefFolderToLibrary, MediaLibrary::DeletLibraryFileAndDiskFile,
        MediaLibrary::EnableRecentWatchedPlaylist,
        Playback::ResumeFromLastPos, Playback::ShowResumeOffer, Playback::ResizePlayerToVideo,
        Playback::DisableScreenSaver, Playback::RememberPreviousMovie, Playback::PauseInBackground,
        Playback::BlackoutWhenPaused, Languages::AudioLanguage, Languages::SubtitleLanguage, Languages::MenuLanguage,
        Codec::PostProcessingMode, Codec::DeblockingLevel, Codec::Brightness, Codec::Contrast, Codec::Saturation,
        Subtitles::DisableDualSubtitles, Subtitles::UseExternalSubtitles, Subtitles::AlwaysUseExternalFont,
        Subtitles::SubtitleTextColor, Subtitles::SubtitleOutlineColor, Subtitles::SubtitleDelay,
        Subtitles::SubtitleFont, Subtitles::SubtitleCodePage, Subtitles::SubtitleFrameRateNumerator,
        Video::DeinterlacingMethod, Video::VideoOutputMethod, Video::HardwareDecodingDisabled, OSD::OSDFont,
    };
    saveOrder_.clear();
    for (const SettingKey& key : saveSequence)
        saveOrder_.push_back(&binding(key));
    Q_ASSERT(saveOrder_.size() == bindings_.size());
}

const PreferenceBinding& ZNBPreferencesPlugin::binding(const SettingKey& key) const
{
    const auto found = std::find_if(bindings_.begin(), bindings_.end(), [&key](const PreferenceBinding& candidate) {
        return std::strcmp(candidate.key.name, key.name) == 0 && std::strcmp(candidate.key.section, key.section) == 0;
    });
    Q_ASSERT(found != bindings_.end());
    return *found;
}

} // namespace ZelkNimbo
