// What each stored setting means to the playback engine: one table, read at
// start and after every save.

#include "host/shell/engine/EngineSettings.h"

#include "host/shell/engine/LanguageCodeForms.h"

#include "host/library/ZNBLibrary.h"
#include "settings/PreferenceAccessors.h"
#include "settings/SettingDefaults.h"

#include <QColor>
#include <QFont>

#include <iconv.h>

#include <algorithm>
#include <cmath>

namespace ZelkShell {

namespace {

using namespace SettingKeys;

enum class Stored { Bool, Int, UInt, String, Font };

struct Conversion {
    const StoredSettings& settings;
    const EngineFacts& facts;
    const QVariant& value; // this row's value
    QStringList& fallbacks;
};

// A conversion gives the engine value, or nothing to leave the engine as it is.
using Convert = std::optional<QString> (*)(const Conversion&);

struct EngineSettingRow {
    const SettingKey& key;
    Stored type;
    // An engine property, or "@label" for a part of the video filter chain;
    // null when the value is read for another row's conversion.
    const char* engineName;
    Convert convert;
};

// The subtitle font the engine uses at its default size is what the window's
// default 14-point font stands for.
constexpr double engineSubtitleSizePerPoint = 55.0 / 14.0;
// The picture sliders run from -127 to 128; the engine's scale from -100 to 100.
constexpr int pictureSliderMinimum = -127;
constexpr int pictureSliderMaximum = 128;
constexpr int deblockingMaximum = 4;

QString yesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

QString decimal(double value)
{
    return QString::number(value, 'f', 3);
}

double enginePictureValue(int slider)
{
    const int clamped = std::clamp(slider, pictureSliderMinimum, pictureSliderMaximum);
    return clamped < 0 ? clamped * 100.0 / -pictureSliderMinimum : clamped * 100.0 / pictureSliderMaximum;
}

std::optional<QString> colourValue(const Conversion& c, const char* fallbackName)
{
    QColor colour;
    colour.setNamedColor(c.value.toString());
    if (!colour.isValid()) {
        c.fallbacks << QStringLiteral("unknown subtitle colour \"%1\"; using %2").arg(c.value.toString(),
                                                                                    QLatin1String(fallbackName));
        return QString::fromLatin1(fallbackName);
    }
    return colour.name();
}

std::optional<QString> textColour(const Conversion& c)
{
    return colourValue(c, "#ffff00");
}

std::optional<QString> outlineColour(const Conversion& c)
{
    return colourValue(c, "#000000");
}

std::optional<QString> fontFamily(const Conversion& c)
{
    return c.value.value<QFont>().family();
}

std::optional<QString> subtitleFontSize(const Conversion& c)
{
    const int points = c.value.value<QFont>().pointSize();
    return QString::number(std::lround(std::max(points, 1) * engineSubtitleSizePerPoint));
}

std::optional<QString> fontBold(const Conversion& c)
{
    return yesNo(c.value.value<QFont>().bold());
}

std::optional<QString> fontItalic(const Conversion& c)
{
    return yesNo(c.value.value<QFont>().italic());
}

bool iconvKnows(const QString& codePage)
{
    iconv_t converter = iconv_open("UTF-8", codePage.toLatin1().constData());
    if (converter == reinterpret_cast<iconv_t>(-1))
        return false;
    iconv_close(converter);
    return true;
}

std::optional<QString> codePage(const Conversion& c)
{
    // "system" leaves the guess to the engine's detector; the identifiers
    // the window offers are codec names the engine's iconv accepts as they are.
    // "MIME" names no encoding: it asks for the one the file declares, which
    // for a subtitle file is what the engine's detector finds.
    const QString stored = c.value.toString();
    if (stored == QLatin1String("system") || stored.compare(QLatin1String("MIME"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("auto");
    if (stored.isEmpty() || !iconvKnows(stored)) {
        c.fallbacks << QStringLiteral("unknown subtitle code page \"%1\"; detecting it automatically").arg(stored);
        return QStringLiteral("auto");
    }
    return stored;
}

std::optional<QString> subtitleDelay(const Conversion& c)
{
    return decimal(c.value.toInt() / 10.0);
}

// A frame-numbered subtitle track (MicroDVD) is timed by the engine at the
// video's frame rate, and its subtitle fps option scales that a second time
// (and scales time-based files too): the chosen rate is put into effect as a
// speed, and only while such a track is selected.
std::optional<QString> frameBasedSubtitleSpeed(const Conversion& c)
{
    const unsigned numerator = c.value.toUInt();
    const auto denominator = static_cast<qint32>(c.settings.value(Subtitles::SubtitleFrameRateDenominator).toUInt());
    const bool frameBased = c.facts.subtitleCodec == QLatin1String("microdvd");
    if (!frameBased || numerator == 0 || denominator <= 0 || c.facts.videoFrameRate <= 0)
        return QStringLiteral("1.000000");
    const double rate = static_cast<double>(numerator) / denominator;
    return QString::number(c.facts.videoFrameRate / rate, 'f', 6);
}

std::optional<QString> externalSubtitles(const Conversion& c)
{
    return c.value.toBool() ? QStringLiteral("exact") : QStringLiteral("no");
}

std::optional<QString> styleOverride(const Conversion& c)
{
    return c.value.toBool() ? QStringLiteral("force") : QStringLiteral("scale");
}

std::optional<QString> secondarySubtitle(const Conversion& c)
{
    // Ticked: no second track, also one chosen before. Unticked only allows
    // one the user picks; "auto" would let the engine pick one by language
    // itself, even with "None" as the subtitle language.
    if (c.value.toBool())
        return QStringLiteral("no");
    return std::nullopt;
}

// The engine's language lists, in order of preference: every spelling of the
// stored code, since the engine matches track tags literally ("fr" does not
// match a track tagged "fre"). Empty leaves the choice to the engine.
QString engineLanguageList(const QString& code)
{
    return languageCodeForms(code).join(QLatin1Char(','));
}

std::optional<QString> audioLanguage(const Conversion& c)
{
    return engineLanguageList(c.value.toString());
}

// The window shows a missing subtitle language as the interface language and
// stores "None" as an empty string: only a stored empty value means none.
QString subtitleLanguageCode(const StoredSettings& settings)
{
    if (!settings.isStored(Languages::SubtitleLanguage))
        return ZelkNimbo::OSUtilities::getLanguageCode();
    return settings.value(Languages::SubtitleLanguage).toString();
}

std::optional<QString> subtitleLanguage(const Conversion& c)
{
    return engineLanguageList(subtitleLanguageCode(c.settings));
}

std::optional<QString> subtitleTrack(const Conversion& c)
{
    return subtitleLanguageCode(c.settings).isEmpty() ? QStringLiteral("no") : QStringLiteral("auto");
}

std::optional<QString> pictureFilter(const Conversion& c)
{
    const double brightness = enginePictureValue(c.settings.value(Codec::Brightness).toInt());
    const double contrast = enginePictureValue(c.settings.value(Codec::Contrast).toInt());
    const double saturation = enginePictureValue(c.settings.value(Codec::Saturation).toInt());
    if (brightness == 0 && contrast == 0 && saturation == 0)
        return QString();
    // The filter, not the engine's equalizer properties: those only reach the
    // picture in some renderers, and neither the software one nor a grab.
    return QStringLiteral("lavfi=[eq=brightness=%1:contrast=%2:saturation=%3]")
        .arg(decimal(brightness / 100.0), decimal(1.0 + contrast / 100.0), decimal(1.0 + saturation / 100.0));
}

std::optional<QString> deinterlacingFilter(const Conversion& c)
{
    // Only frames marked interlaced are touched by the field-rate methods.
    const QString method = c.value.toString();
    if (method == QLatin1String("none"))
        return QString();
    if (method == QLatin1String("bob"))
        return QStringLiteral("lavfi=[yadif=mode=send_field:deint=interlaced]");
    if (method == QLatin1String("top field only"))
        return QStringLiteral("lavfi=[field=type=top,scale=w=iw:h=ih*2]");
    if (method == QLatin1String("bottom field only"))
        return QStringLiteral("lavfi=[field=type=bottom,scale=w=iw:h=ih*2]");
    c.fallbacks << QStringLiteral("unknown deinterlacing method \"%1\"; not deinterlacing").arg(method);
    return QString();
}

// One option value inside an FFmpeg filter graph. The graph is read twice:
// the graph parser takes one level of quoting off, then the filter's option
// parser one level of backslashes, and ':' separates options at both. The
// value is escaped for the option parser, then quoted for the graph parser
// (a quote inside is closed, escaped and reopened).
QString filterGraphValue(const QString& value)
{
    QString escaped;
    for (const QChar character : value) {
        if (character == QLatin1Char('\\') || character == QLatin1Char('\'') || character == QLatin1Char(':'))
            escaped += QLatin1Char('\\');
        escaped += character;
    }
    escaped.replace(QLatin1String("'"), QLatin1String("'\\''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

// FFmpeg's post-processing with these sub-filters, then `after` (more of
// the same graph) when given.
QString postProcessingGraph(const char* subfilters, const char* after = "")
{
    return QStringLiteral("lavfi=[pp=%1%2]").arg(filterGraphValue(QLatin1String(subfilters)), QLatin1String(after));
}

// Codecs without a deblocking filter in their decoding loop: their blocks
// show, and post-processing hides them. H.264, HEVC, VP9, AV1 and the like
// deblock while decoding; filtering them again costs CPU and shows nothing.
bool codecBenefitsFromDeblocking(const QString& codec)
{
    static const QStringList blockyCodecs{
        QStringLiteral("mpeg1video"), QStringLiteral("mpeg2video"), QStringLiteral("mpeg4"),
        QStringLiteral("h263"),       QStringLiteral("h263i"),      QStringLiteral("h263p"),
        QStringLiteral("flv1"),       QStringLiteral("msmpeg4v1"),  QStringLiteral("msmpeg4v2"),
        QStringLiteral("msmpeg4v3"),  QStringLiteral("wmv1"),       QStringLiteral("wmv2"),
        QStringLiteral("rv10"),       QStringLiteral("rv20"),
    };
    return blockyCodecs.contains(codec);
}

std::optional<QString> postProcessingFilter(const Conversion& c)
{
    const QString mode = c.value.toString();
    if (mode == QLatin1String("off"))
        return QString();
    if (mode == QLatin1String("automatic")) {
        // Until the playing track's codec is known, nothing: the filter is
        // added when it is, and changed with the track.
        return codecBenefitsFromDeblocking(c.facts.videoCodec) ? postProcessingGraph("de") : QString();
    }
    if (mode == QLatin1String("full"))
        return postProcessingGraph("hb/vb/dr", ",unsharp");
    if (mode == QLatin1String("custom")) {
        // Each level adds a stage: horizontal deblocking, vertical
        // deblocking, deringing, then all three at full strength (never
        // switched off when the computer is slow, and twice the default
        // difference factor, so more block edges count as edges to smooth).
        static const char* const stages[] = {nullptr, "hb:a", "hb:a/vb:a", "hb:a/vb:a/dr:a", "hb:64/vb:64/dr"};
        const unsigned level = std::min(c.settings.value(Codec::DeblockingLevel).toUInt(), unsigned(deblockingMaximum));
        if (!stages[level])
            return QString();
        return postProcessingGraph(stages[level]);
    }
    c.fallbacks << QStringLiteral("unknown post-processing mode \"%1\"; post-processing off").arg(mode);
    return QString();
}

// The post-processing filter deblocks by the quantisers the decoder used
// for each block; the decoder hands them over only when asked, and asking
// costs a little for every frame: asked while a post-processing filter is
// in the chain, and only then. The decoder reads the option when it
// starts (see EngineSettingsApplier).
std::optional<QString> decoderSideData(const Conversion& c)
{
    QStringList ignored; // postProcessingFilter() reports them once
    const std::optional<QString> filter = postProcessingFilter({c.settings, c.facts, c.value, ignored});
    return filter && !filter->isEmpty() ? QStringLiteral("export_side_data=venc_params") : QString();
}

std::optional<QString> hardwareDecoding(const Conversion& c)
{
    if (c.value.toBool())
        return QStringLiteral("no");
    // A software renderer needs the decoded frames back in main memory.
    return c.facts.softwareOutput ? QStringLiteral("auto-copy-safe") : QStringLiteral("auto-safe");
}

// A missing value reads as the default the preferences window shows
// (settingDefault()).
const EngineSettingRow engineSettingRows[] = {
    {Subtitles::SubtitleTextColor, Stored::String, "sub-color", textColour},
    {Subtitles::SubtitleOutlineColor, Stored::String, "sub-border-color", outlineColour},
    {Subtitles::SubtitleFont, Stored::Font, "sub-font", fontFamily},
    {Subtitles::SubtitleFont, Stored::Font, "sub-font-size", subtitleFontSize},
    {Subtitles::SubtitleFont, Stored::Font, "sub-bold", fontBold},
    {Subtitles::SubtitleFont, Stored::Font, "sub-italic", fontItalic},
    {Subtitles::SubtitleCodePage, Stored::String, "sub-codepage", codePage},
    {Subtitles::SubtitleDelay, Stored::Int, "sub-delay", subtitleDelay},
    {Subtitles::SubtitleFrameRateDenominator, Stored::UInt, nullptr, nullptr},
    {Subtitles::SubtitleFrameRateNumerator, Stored::UInt, "sub-speed", frameBasedSubtitleSpeed},
    {Subtitles::UseExternalSubtitles, Stored::Bool, "sub-auto", externalSubtitles},
    {Subtitles::AlwaysUseExternalFont, Stored::Bool, "sub-ass-override", styleOverride},
    {Subtitles::DisableDualSubtitles, Stored::Bool, "secondary-sid", secondarySubtitle},
    {Languages::AudioLanguage, Stored::String, "alang", audioLanguage},
    {Languages::SubtitleLanguage, Stored::String, "slang", subtitleLanguage},
    {Languages::SubtitleLanguage, Stored::String, "sid", subtitleTrack},
    {Video::DeinterlacingMethod, Stored::String, "@deinterlace", deinterlacingFilter},
    {Codec::DeblockingLevel, Stored::UInt, nullptr, nullptr},
    {Codec::PostProcessingMode, Stored::String, "@postprocess", postProcessingFilter},
    {Codec::PostProcessingMode, Stored::String, "vd-lavc-o", decoderSideData},
    {Codec::Contrast, Stored::Int, nullptr, nullptr},
    {Codec::Saturation, Stored::Int, nullptr, nullptr},
    {Codec::Brightness, Stored::Int, "@picture", pictureFilter},
    {Video::HardwareDecodingDisabled, Stored::Bool, "hwdec", hardwareDecoding},
    {OSD::OSDFont, Stored::Font, "osd-font", fontFamily},
    {OSD::OSDFont, Stored::Font, "osd-bold", fontBold},
    {OSD::OSDFont, Stored::Font, "osd-italic", fontItalic},
    // Read at start only: which output draws the picture.
    {Video::VideoOutputMethod, Stored::String, nullptr, nullptr},
};

QString keyId(const SettingKey& key)
{
    return QLatin1String(key.section) + QLatin1Char('/') + QLatin1String(key.name);
}

// A value no accessor would return, to tell a missing value from a stored one.
const QString missingMarker = QStringLiteral("\x01missing");

QVariant readStored(const EngineSettingRow& row, bool* stored)
{
    const std::string section = row.key.section;
    const std::string name = row.key.name;
    // Only a text setting tells "missing" from an empty value apart.
    *stored = row.type != Stored::String
              || ZelkNimbo::readPreferenceString(section, name, missingMarker) != missingMarker;
    const QVariant defaultValue = ZelkNimbo::settingDefault(row.key);
    switch (row.type) {
    case Stored::Bool:
        return ZelkNimbo::readPreferenceBool(section, name, defaultValue.toBool());
    case Stored::Int:
        return ZelkNimbo::readPreferenceInt(section, name, defaultValue.toInt());
    case Stored::UInt:
        return ZelkNimbo::readPreferenceUInt(section, name, defaultValue.toUInt());
    case Stored::String:
        return ZelkNimbo::readPreferenceString(section, name, defaultValue.toString());
    case Stored::Font:
        return ZelkNimbo::readPreferenceFont(section, name, defaultValue.value<QFont>());
    }
    return defaultValue;
}

} // namespace

StoredSettings StoredSettings::read()
{
    // Between two reads the preferences may have replaced the keys a held
    // section points at: start from a fresh one.
    ZelkNimbo::releaseComponentSettings();
    StoredSettings settings;
    for (const EngineSettingRow& row : engineSettingRows) {
        const QString id = keyId(row.key);
        if (settings.values_.contains(id))
            continue;
        bool stored = false;
        settings.values_.insert(id, readStored(row, &stored));
        settings.stored_.insert(id, stored);
    }
    return settings;
}

QVariant StoredSettings::value(const SettingKey& key) const
{
    const QString id = keyId(key);
    if (values_.contains(id))
        return values_.value(id);
    return ZelkNimbo::settingDefault(key);
}

bool StoredSettings::isStored(const SettingKey& key) const
{
    return stored_.value(keyId(key), false);
}

void StoredSettings::set(const SettingKey& key, const QVariant& value)
{
    values_.insert(keyId(key), value);
    stored_.insert(keyId(key), true);
}

EngineConfiguration engineConfiguration(const StoredSettings& settings, const EngineFacts& facts)
{
    EngineConfiguration configuration;
    for (const EngineSettingRow& row : engineSettingRows) {
        if (!row.engineName || !row.convert)
            continue;
        const QVariant value = settings.value(row.key);
        const std::optional<QString> converted = row.convert({settings, facts, value, configuration.fallbacks});
        if (!converted)
            continue;
        if (row.engineName[0] == '@') {
            if (!converted->isEmpty())
                configuration.filters << QLatin1String(row.engineName) + QLatin1Char(':') + *converted;
        } else {
            configuration.properties.emplace_back(QByteArray(row.engineName), *converted);
        }
    }
    return configuration;
}

VideoOutputChoice videoOutputChoice(const StoredSettings& settings)
{
    const QString stored = settings.value(Video::VideoOutputMethod).toString();
    VideoOutputChoice choice;
    if (stored == QLatin1String("<best>") || stored == QLatin1String("com.zelk.streamengine.output.software"))
        choice.kind = VideoOutputKind::Software;
    else if (stored == QLatin1String("com.zelk.streamengine.output.opengl"))
        choice.kind = VideoOutputKind::OpenGL;
    else if (stored == QLatin1String("com.zelk.streamengine.output.xvideo"))
        choice.kind = VideoOutputKind::EngineWindow;
    else
        choice.fallback = QStringLiteral("unknown video output \"%1\"; using the software renderer").arg(stored);
    return choice;
}

} // namespace ZelkShell
