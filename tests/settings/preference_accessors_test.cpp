// The preference accessors over a private registry: stored encodings,
// defaults, the machine-hive fallback and the font string.

#include "StoreTestSupport.h"
#include "settings/PreferenceAccessors.h"

#include <QColor>

#include <cstdlib>

using namespace storetest;
using namespace ZelkNimbo;

namespace {

class PreferenceAccessors : public ::testing::Test {
protected:
    void SetUp() override
    {
        componentId = uniqueRoot();
        setenv("ZELK_COMPONENT_ID", componentId.c_str(), 1);
        releaseComponentSettings();
    }
    void TearDown() override
    {
        releaseComponentSettings();
        unsetenv("ZELK_COMPONENT_ID");
    }
    // Where a section's values live, relative to SOFTWARE\Zelk.
    std::string key(const std::string& section) const { return "Settings/" + componentId + "/" + section; }
    RawValue raw(const SettingKey& setting) { return rawGet(HKEY_CURRENT_USER, key(setting.section), setting.name); }

    std::string componentId;
};

TEST_F(PreferenceAccessors, StoredEncodings)
{
    using namespace SettingKeys;
    EXPECT_TRUE(writePreferenceBool(Playback::AlwaysOnTop.section, Playback::AlwaysOnTop.name, true));
    EXPECT_TRUE(writePreferenceBool(Playback::enableToolTips.section, Playback::enableToolTips.name, false));
    EXPECT_TRUE(writePreferenceInt(Codec::Brightness.section, Codec::Brightness.name, -5));
    EXPECT_TRUE(writePreferenceUInt(Subtitles::SubtitleFrameRateNumerator.section,
                                    Subtitles::SubtitleFrameRateNumerator.name, 4294967295u));
    EXPECT_TRUE(writePreferenceFont(Subtitles::SubtitleFont.section, Subtitles::SubtitleFont.name,
                                    QFont(QStringLiteral("Arial"), 14, 50, false)));
    EXPECT_TRUE(writePreferenceString(Subtitles::SubtitleTextColor.section, Subtitles::SubtitleTextColor.name,
                                      QColor(QStringLiteral("#FFFF00")).name()));
    EXPECT_TRUE(writePreferenceString(Languages::AudioLanguage.section, Languages::AudioLanguage.name,
                                      QStringLiteral("fr \u00e9")));

    EXPECT_EQ(raw(Playback::AlwaysOnTop).type, DWORD(REG_DWORD));
    EXPECT_EQ(raw(Playback::AlwaysOnTop).bytes, bytesOf({1, 0, 0, 0}));
    EXPECT_EQ(raw(Playback::enableToolTips).bytes, bytesOf({0, 0, 0, 0}));
    EXPECT_EQ(raw(Codec::Brightness).type, DWORD(REG_QWORD));
    EXPECT_EQ(raw(Codec::Brightness).bytes, bytesOf({0xFB, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(raw(Subtitles::SubtitleFrameRateNumerator).bytes, bytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));

    const RawValue font = raw(Subtitles::SubtitleFont);
    EXPECT_EQ(font.type, DWORD(REG_SZ));
    std::string fontText;
    for (std::size_t i = 0; i + 1 < font.bytes.size(); i += 2)
        fontText.push_back(static_cast<char>(font.bytes[i]));
    EXPECT_EQ(fontText, std::string("Arial:14:Normal:::", 18) + '\0');
    EXPECT_EQ(readPreferenceString("Subtitles", "SubtitleTextColor", QString()), QStringLiteral("#ffff00"));
    EXPECT_EQ(readPreferenceString("Languages", "AudioLanguage", QString()), QStringLiteral("fr \u00e9"));

    EXPECT_TRUE(readPreferenceBool("Playback", "AlwaysOnTop", false));
    EXPECT_EQ(readPreferenceInt("Codec", "Brightness", 0), -5);
    EXPECT_EQ(readPreferenceUInt("Subtitles", "SubtitleFrameRateNumerator", 0), 4294967295u);
}

TEST_F(PreferenceAccessors, DefaultsForMissingAndMistypedValues)
{
    // A read creates the empty section key and yields the default.
    EXPECT_FALSE(readPreferenceBool("Playback", "AlwaysOnTop", false));
    EXPECT_TRUE(readPreferenceBool("Playback", "enableToolTips", true));
    EXPECT_TRUE(rawKeyExists(HKEY_CURRENT_USER, key("Playback")));
    EXPECT_EQ(readPreferenceString("General", "StartupView", QStringLiteral("player")), QStringLiteral("player"));
    EXPECT_EQ(readPreferenceInt("Codec", "DeblockingLevel", 4), 4);

    // Values another component stored with other registry types read as missing.
    const std::vector<unsigned char> text = bytesOf({'1', 0, 0, 0});
    ASSERT_EQ(rawSet(HKEY_CURRENT_USER, key("Playback"), "AlwaysOnTop", REG_SZ, text.data(), 4), ERROR_SUCCESS);
    ASSERT_EQ(rawSet(HKEY_CURRENT_USER, key("Codec"), "Brightness", REG_SZ, text.data(), 4), ERROR_SUCCESS);
    const std::uint32_t seven = 7;
    ASSERT_EQ(rawSet(HKEY_CURRENT_USER, key("General"), "StartupView", REG_DWORD, &seven, 4), ERROR_SUCCESS);
    EXPECT_FALSE(readPreferenceBool("Playback", "AlwaysOnTop", false));
    EXPECT_EQ(readPreferenceInt("Codec", "Brightness", 3), 3);
    EXPECT_EQ(readPreferenceString("General", "StartupView", QStringLiteral("player")), QStringLiteral("player"));

    // A number stored as REG_DWORD reads; the next write makes it a REG_QWORD.
    ASSERT_EQ(rawSet(HKEY_CURRENT_USER, key("Codec"), "Contrast", REG_DWORD, &seven, 4), ERROR_SUCCESS);
    EXPECT_EQ(readPreferenceInt("Codec", "Contrast", 0), 7);
    EXPECT_TRUE(writePreferenceInt("Codec", "Contrast", 8));
    EXPECT_EQ(raw(SettingKeys::Codec::Contrast).type, DWORD(REG_QWORD));
}

TEST_F(PreferenceAccessors, EmptyComponentIdMakesTheStoreUnavailable)
{
    setenv("ZELK_COMPONENT_ID", "", 1);
    releaseComponentSettings();
    ensureComponentSettings();
    EXPECT_EQ(componentSettingsSection(), nullptr);
    EXPECT_TRUE(readPreferenceBool("Playback", "enableToolTips", true));
    EXPECT_EQ(readPreferenceString("General", "StartupView", QStringLiteral("player")), QStringLiteral("player"));
    const QStringList list{QStringLiteral("a"), QString()};
    EXPECT_EQ(readPreferenceStringList("General", "X", list), list);
    EXPECT_FALSE(writePreferenceBool("Playback", "AlwaysOnTop", true));
    EXPECT_FALSE(writePreferenceString("General", "StartupView", QStringLiteral("player")));
    EXPECT_EQ(componentSettingsSection(), nullptr); // tried again each time, still failing
}

// Writes a machine-hive value from a process that may write the machine hive,
// whatever this process may do.
bool seedMachineValue(const std::string& relativeKey, const char* name, int value)
{
    std::string keyName = "HKLM\\SOFTWARE\\Zelk\\" + relativeKey;
    for (char& c : keyName) {
        if (c == '/')
            c = '\\';
    }
    const std::string command = std::string("env -u ZELK_REGISTRY_MACHINE_READONLY '") + ZELK_REG_TOOL + "' add '"
        + keyName + "' /v " + name + " /t REG_DWORD /d " + std::to_string(value) + " /f > /dev/null";
    return std::system(command.c_str()) == 0;
}

TEST_F(PreferenceAccessors, MachineValueIsAFallbackWhereTheMachineKeyMayBeOpened)
{
    ASSERT_TRUE(seedMachineValue(key("Playback"), "AlwaysOnTop", 1));
    ASSERT_EQ(rawGet(HKEY_LOCAL_MACHINE, key("Playback"), "AlwaysOnTop").bytes, bytesOf({1, 0, 0, 0}));
    if (machineHiveReadOnly()) {
        // Full access to the machine key is refused: there is no second place.
        EXPECT_FALSE(readPreferenceBool("Playback", "AlwaysOnTop", false));
        EXPECT_TRUE(writePreferenceBool("Playback", "AlwaysOnTop", true));
        EXPECT_TRUE(readPreferenceBool("Playback", "AlwaysOnTop", false));
        return;
    }
    EXPECT_TRUE(readPreferenceBool("Playback", "AlwaysOnTop", false));
    // The next write goes to the user hive, which then wins.
    EXPECT_TRUE(writePreferenceBool("Playback", "AlwaysOnTop", false));
    EXPECT_FALSE(readPreferenceBool("Playback", "AlwaysOnTop", true));
    EXPECT_EQ(rawGet(HKEY_LOCAL_MACHINE, key("Playback"), "AlwaysOnTop").bytes, bytesOf({1, 0, 0, 0}));
}

TEST_F(PreferenceAccessors, StringListsKeepEmptyParts)
{
    EXPECT_EQ(readPreferenceStringList("General", "Missing", QStringList()), QStringList{QString()});
    EXPECT_TRUE(writePreferenceStringList("General", "List", QStringList{QStringLiteral("a:b"), QString(), QStringLiteral("c")}));
    EXPECT_EQ(readPreferenceStringList("General", "List", QStringList()),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QString(), QStringLiteral("c")}));
}

TEST(FontStrings, StoredFormsAndTheirReading)
{
    const QFont defaultFont(QStringLiteral("Arial"), 14, 50, false);
    EXPECT_EQ(fontToStringList(defaultFont).join(':'), QStringLiteral("Arial:14:Normal:::"));

    QFont decorated(QStringLiteral("Sans"), 20, 75, false);
    decorated.setStyle(QFont::StyleOblique);
    decorated.setUnderline(true);
    decorated.setStrikeOut(true);
    EXPECT_EQ(fontToStringList(decorated).join(':'), QStringLiteral("Sans:20:Bold:Italic:Underline:StrikeOut"));
    const QFont back = fontFromStringList(fontToStringList(decorated));
    EXPECT_TRUE(back.italic());
    EXPECT_TRUE(back.underline());
    EXPECT_TRUE(back.strikeOut());
    EXPECT_EQ(back.weight(), 75);
    EXPECT_EQ(back.pointSize(), 20);

    // Only a family: 14 points, normal weight, upright, no decoration.
    const QFont familyOnly = fontFromStringList(QStringList{QStringLiteral("Verdana")});
    EXPECT_EQ(familyOnly.family(), QStringLiteral("Verdana"));
    EXPECT_EQ(familyOnly.pointSize(), 14);
    EXPECT_EQ(familyOnly.weight(), 50);
    EXPECT_FALSE(familyOnly.italic() || familyOnly.underline() || familyOnly.strikeOut());

    // An empty stored string is one empty element: empty family at 14 points.
    const QFont empty = fontFromStringList(QString().split(':'));
    EXPECT_EQ(empty.family(), QString());
    EXPECT_EQ(empty.pointSize(), 14);

    // Weight words are case-sensitive; unknown weights are written as Normal.
    EXPECT_EQ(fontFromStringList(QStringLiteral("Arial:14:bold").split(':')).weight(), 50);
    EXPECT_EQ(fontWeightFromName(QStringLiteral("DemiBold")), 63);
    EXPECT_EQ(fontWeightName(63), QStringLiteral("DemiBold"));
    EXPECT_EQ(fontWeightName(60), QStringLiteral("Normal"));

    // A size that is not an unsigned number is handed over as 0.
    const QFont badSize = fontFromStringList(QStringLiteral("Arial:big:Normal").split(':'));
    EXPECT_EQ(badSize.pointSize(), QFont(QStringLiteral("Arial"), 0).pointSize());
    EXPECT_EQ(fontFromStringList(QStringLiteral("Arial:-3").split(':')).pointSize(), QFont(QStringLiteral("Arial"), 0).pointSize());

    // A family containing ':' shifts the following fields.
    const QFont shifted = fontFromStringList(QStringLiteral("Odd:Name:12:Bold:::").split(':'));
    EXPECT_EQ(shifted.family(), QStringLiteral("Odd"));
    EXPECT_EQ(shifted.weight(), 50);

    EXPECT_EQ(fontFromStringList(QStringList()), QFont());
}

TEST_F(PreferenceAccessors, FontsThroughTheStore)
{
    const QFont defaultFont(QStringLiteral("Arial"), 14, 50, false);
    EXPECT_EQ(readPreferenceFont("Subtitles", "SubtitleFont", defaultFont).family(), QStringLiteral("Arial"));
    ASSERT_TRUE(writePreferenceString("Subtitles", "SubtitleFont", QStringLiteral("Courier")));
    const QFont stored = readPreferenceFont("Subtitles", "SubtitleFont", defaultFont);
    EXPECT_EQ(stored.family(), QStringLiteral("Courier"));
    EXPECT_EQ(stored.pointSize(), 14);
}

} // namespace
