#include "settings/SettingDefaults.h"

#include "host/library/ZNBLibrary.h"
#include "settings/PreferenceAccessors.h"

#include <QFont>

#include <cstring>
#include <vector>

namespace ZelkNimbo {

namespace {

struct DefaultRow {
    SettingKey key;
    QVariant value;
};

// No QStringLiteral here: this code is linked into a loadable module, and
// Qt's font cache keeps family names beyond the module's unloading, so no
// string may point into the module's read-only data.
QString text(const char* latin1)
{
    return QString::fromLatin1(latin1);
}

const std::vector<DefaultRow>& defaultRows()
{
    using namespace SettingKeys;
    const QVariant yes(true);
    const QVariant no(false);
    const QVariant subtitleFont = QFont(text("Arial"), 14, QFont::Normal, false);
    static const std::vector<DefaultRow> rows = {
        {General::ShowBannerAds, yes},
        {General::DefaultOpenFileLocation, text("<media folder>")},
        {General::StartupView, text("player")},
        {General::AVIFileAssoc, yes},
        {General::ZELKFileAssoc, yes},
        {General::XVIDFileAssoc, no},
        {General::MKVFileAssoc, yes},
        {General::MOVFileAssoc, no},
        {General::MP4FileAssoc, no},
        {General::WMVFileAssoc, no},
        {General::VOBFileAssoc, no},
        {General::MPGFileAssoc, no},
        {General::ASFFileAssoc, no},
        {General::QTFileAssoc, no},
        {DownloadManager::AutoClearDownloads, no},
        {DownloadManager::ResumeDownloadsOnStartup, yes},
        {MediaLibrary::AutoCloseImportDialog, yes},
        {MediaLibrary::AddPlayedVideoToLibrary, yes},
        {MediaLibrary::AddVideoInDefFolderToLibrary, no},
        {MediaLibrary::DeletLibraryFileAndDiskFile, no},
        {MediaLibrary::EnableRecentWatchedPlaylist, yes},
        {Playback::AlwaysOnTop, no},
        {Playback::enableToolTips, yes},
        {Playback::hideInactiveButtons, no},
        {Playback::ResumeFromLastPos, yes},
        {Playback::ShowResumeOffer, yes},
        {Playback::ResizePlayerToVideo, no},
        {Playback::DisableScreenSaver, yes},
        {Playback::RememberPreviousMovie, no},
        {Playback::PauseInBackground, no},
        {Playback::BlackoutWhenPaused, no},
        // Empty: the interface language.
        {Languages::AudioLanguage, QString()},
        {Languages::SubtitleLanguage, QString()},
        {Languages::MenuLanguage, QString()},
        {Codec::PostProcessingMode, text("automatic")},
        {Codec::DeblockingLevel, 4u},
        {Codec::Brightness, 0},
        {Codec::Contrast, 0},
        {Codec::Saturation, 0},
        {Subtitles::DisableDualSubtitles, no},
        {Subtitles::UseExternalSubtitles, yes},
        {Subtitles::AlwaysUseExternalFont, no},
        {Subtitles::SubtitleTextColor, text("#FFFF00")},
        {Subtitles::SubtitleOutlineColor, text("#000000")},
        {Subtitles::SubtitleFont, subtitleFont},
        {Subtitles::SubtitleCodePage, text("system")},
        {Subtitles::SubtitleDelay, 0},
        // 0/0: no rate chosen, the subtitle file's own timing.
        {Subtitles::SubtitleFrameRateNumerator, 0u},
        {Subtitles::SubtitleFrameRateDenominator, 0u},
        {Video::DeinterlacingMethod, text("bob")},
        {Video::VideoOutputMethod, text("<best>")},
        {Video::HardwareDecodingDisabled, yes},
        {OSD::OSDFont, subtitleFont},
    };
    return rows;
}

bool sameKey(const SettingKey& a, const SettingKey& b)
{
    return std::strcmp(a.name, b.name) == 0 && std::strcmp(a.section, b.section) == 0;
}

} // namespace

QVariant settingDefault(const SettingKey& key)
{
    if (sameKey(key, SettingKeys::General::MediaFolder))
        return OSUtilities::getZelkMoviesPathDefault();
    for (const DefaultRow& row : defaultRows())
        if (sameKey(row.key, key))
            return row.value;
    return QVariant();
}

bool readSettingFlag(const SettingKey& key)
{
    return readPreferenceBool(key.section, key.name, settingDefault(key).toBool());
}

QString readSettingText(const SettingKey& key)
{
    return readPreferenceString(key.section, key.name, settingDefault(key).toString());
}

} // namespace ZelkNimbo
