// Every setting the window edits, declared once, in the order load visits
// them; the order save writes them in follows below.

#include "plugin/ZNBPreferencesPlugin.h"

#include "host/library/ZNBLibrary.h"

#include <algorithm>
#include <cstring>

namespace ZelkNimbo {

namespace {

// Taken once, when the module is loaded.
const QString defaultMediaFolder = OSUtilities::getZelkMoviesPathDefault();

QFont defaultSubtitleFont()
{
    // Not a QStringLiteral: Qt's font cache outlives this module and keeps
    // the family name of every font it has matched, so a literal's bytes in
    // this module's read-only data would be read after the module is
    // unloaded (a crash when the application exits).
    return QFont(QString::fromLatin1("Arial"), 14, QFont::Normal, false);
}

PreferenceBinding heldColour(const SettingKey& key, QColor* colour, const char* defaultName)
{
    PreferenceBinding binding{key, BindingKind::Colour, nullptr, QString::fromLatin1(defaultName)};
    binding.heldColour = colour;
    return binding;
}

PreferenceBinding heldFont(const SettingKey& key, QFont* font)
{
    PreferenceBinding binding{key, BindingKind::Font, nullptr, defaultSubtitleFont()};
    binding.heldFont = font;
    return binding;
}

// The form's label of a file-type box; QT_TRANSLATE_NOOP marks it as the
// same source text the form translates.
PreferenceBinding association(const SettingKey& key, QWidget* box, bool byDefault, const char* formLabel)
{
    PreferenceBinding binding{key, BindingKind::Association, box, byDefault};
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
    const QVariant yes(true);
    const QVariant no(false);

    bindings_ = {
        // General page
        {General::MediaFolder, K::Text, ui.zelkMoviesEdit, defaultMediaFolder},
        {General::ShowBannerAds, K::NegatedCheck, ui.bannerAdsCheckBox, yes},
        {Playback::AlwaysOnTop, K::Check, ui.onTopCheckBox, no},
        {Playback::enableToolTips, K::NegatedCheck, ui.toolTipsCheckBox, yes},
        {Playback::hideInactiveButtons, K::Check, ui.autohideCheckBox, no},
        thenRun({General::DefaultOpenFileLocation, K::OpenLocation, ui.customDirEdit, QStringLiteral("<media folder>")},
                [this] { ui.customDirEdit->setEnabled(ui.openInCustomDirRadioButton->isChecked()); }),
        {General::StartupView, K::ComboData, ui.defaultViewComboBox, QStringLiteral("player"), QString(), 0},
        association(General::AVIFileAssoc, ui.aviCheckBox, true, QT_TRANSLATE_NOOP("PreferencesDialog", ".avi")),
        association(General::ZELKFileAssoc, ui.zelkCheckBox, true, QT_TRANSLATE_NOOP("PreferencesDialog", ".zelk")),
        association(General::XVIDFileAssoc, ui.xvidCheckBox, false, QT_TRANSLATE_NOOP("PreferencesDialog", ".xvid")),
        association(General::MKVFileAssoc, ui.mkvCheckBox, true, QT_TRANSLATE_NOOP("PreferencesDialog", ".mkv")),
        association(General::MOVFileAssoc, ui.movCheckBox, false, QT_TRANSLATE_NOOP("PreferencesDialog", ".mov")),
        association(General::MP4FileAssoc, ui.mp4CheckBox, false, QT_TRANSLATE_NOOP("PreferencesDialog", ".mp4")),
        association(General::WMVFileAssoc, ui.wmvCheckBox, false, QT_TRANSLATE_NOOP("PreferencesDialog", ".wmv")),
        association(General::VOBFileAssoc, ui.vobCheckBox, false, QT_TRANSLATE_NOOP("PreferencesDialog", ".vob")),
        association(General::MPGFileAssoc, ui.mpg_mpegCheckBox, false, QT_TRANSLATE_NOOP("PreferencesDialog", ".mpg/.mpeg")),
        association(General::ASFFileAssoc, ui.asfCheckBox, false, QT_TRANSLATE_NOOP("PreferencesDialog", ".asf")),
        association(General::QTFileAssoc, ui.qtCheckBox, false, QT_TRANSLATE_NOOP("PreferencesDialog", ".qt")),
        // Video Library page
        {DownloadManager::AutoClearDownloads, K::Check, ui.mediaLibClearDownloadsCheckBox, no},
        {MediaLibrary::AutoCloseImportDialog, K::Check, ui.mediaLibAutoCloseImportDialogCheckBox, yes},
        {DownloadManager::ResumeDownloadsOnStartup, K::Check, ui.mediaLibRestartDownloadsCheckBox, yes},
        {MediaLibrary::AddPlayedVideoToLibrary, K::Check, ui.addPlayedVideoToLibCheckBox, yes},
        {MediaLibrary::AddVideoInDefFolderToLibrary, K::Check, ui.addVideoInDefFolderToLibCheckBox, no},
        {MediaLibrary::DeletLibraryFileAndDiskFile, K::Check, ui.deletLibFileAndDiskFileCheckBox, no},
        {MediaLibrary::EnableRecentWatchedPlaylist, K::Check, ui.recentWatchedPlaylistCheckBox, yes},
        // Playback page
        {Playback::ResumeFromLastPos, K::Check, ui.resumePlaybackCheckBox, yes},
        {Playback::ShowResumeOffer, K::Check, ui.showResumeOfferCheckBox, yes},
        {Playback::ResizePlayerToVideo, K::Check, ui.resizeToVideoCheckBox, no},
        {Playback::DisableScreenSaver, K::Check, ui.screenSaverCheckBox, yes},
        {Playback::RememberPreviousMovie, K::Check, ui.rememberPreviousMovieCheckBox, no},
        {Playback::PauseInBackground, K::Check, ui.pauseIfNoFocusCheckBox, no},
        {Playback::BlackoutWhenPaused, K::Check, ui.blackoutOnPauseCheckBox, no},
        {Languages::AudioLanguage, K::Language, ui.audioTrackComboBox, QString()},
        {Languages::SubtitleLanguage, K::Language, ui.subtitleTrackComboBox, QString()},
        {Languages::MenuLanguage, K::Language, ui.menuTrackComboBox, QString()},
        // Advanced page: post-processing (its enable rule follows the stored mode)
        // The deblocking controls follow the mode; an unlisted stored mode
        // is never "custom", so the selected item decides the same way.
        thenRun({Codec::PostProcessingMode, K::ComboData, ui.postProcessingComboBox, QStringLiteral("automatic"),
                 QStringLiteral("automatic"), 1},
                [this] { postProcessingModeChanged(ui.postProcessingComboBox->currentIndex()); }),
        {Codec::DeblockingLevel, K::UnsignedSlider, ui.deblockingSlider, 4},
        // Playback page: picture
        {Codec::Brightness, K::Slider, ui.brightnessSlider, 0},
        {Codec::Contrast, K::Slider, ui.contrastSlider, 0},
        {Codec::Saturation, K::Slider, ui.saturationSlider, 0},
        // Subtitles page
        {Subtitles::DisableDualSubtitles, K::Check, ui.simSubsCheckBox, no},
        {Subtitles::UseExternalSubtitles, K::Check, ui.srtCheckBox, yes},
        {Subtitles::AlwaysUseExternalFont, K::Check, ui.alwaysUseExternalFontCheckBox, no},
        heldColour(Subtitles::SubtitleTextColor, &subtitleTextColor, "#FFFF00"),
        heldColour(Subtitles::SubtitleOutlineColor, &subtitleOutlineColor, "#000000"),
        heldFont(Subtitles::SubtitleFont, &subtitleFont),
        // The sample shows the loaded font and colours once the code page is in.
        thenRun({Subtitles::SubtitleCodePage, K::ComboData, ui.defaultCodePageComboBox, QStringLiteral("system"),
                 QStringLiteral("system"), 1},
                [this] { renderSubtitleExample(); }),
        {Subtitles::SubtitleDelay, K::Slider, ui.subtitleDelaySpinBox, 0},
        {Subtitles::SubtitleFrameRateNumerator, K::FrameRate, ui.subtitleFrameRateComboBox, 0},
        // Advanced page: video
        {Video::DeinterlacingMethod, K::ComboData, ui.deinterlacingMethodComboBox, QStringLiteral("bob"),
         QStringLiteral("bob"), 1},
        {Video::VideoOutputMethod, K::VideoOutput, ui.videoOutputMethodComboBox, QStringLiteral("<best>"), QString(), 0},
        {Video::HardwareDecodingDisabled, K::Check, ui.hardwareDecodingDisabledCheckBox, yes},
        heldFont(OSD::OSDFont, &osdFont),
    };

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
