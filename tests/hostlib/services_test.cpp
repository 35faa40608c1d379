// Language and code-page tables, text conversion, and the environment
// overrides of the platform facts.

#include "host/library/ZNBLibrary.h"
#include "TemporaryHome.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTextCodec>

using ZelkNimbo::OSUtilities;
using ZelkNimbo::ZNBStringTools;

namespace {

class IsolatedTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        qunsetenv("ZELK_PLATFORM");
        qunsetenv("ZELK_COMPONENT_ID");
    }
    TemporaryHome home;
};
using LanguageTest = IsolatedTest;
using CodePageTest = IsolatedTest;
using StringToolsTest = IsolatedTest;
using OverrideTest = IsolatedTest;

// Qt reads the locale environment once per process, so every language is
// asked of a fresh probe process.
QString languageCodeUnder(const QStringList& variables)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        environment.remove(QLatin1String(name));
    for (const QString& variable : variables)
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.start(QStringLiteral(ZELK_LANGUAGE_PROBE), QStringList());
    if (!probe.waitForFinished(10000) || probe.exitCode() != 0)
        return QStringLiteral("<probe failed>");
    return QString::fromUtf8(probe.readAllStandardOutput());
}

TEST_F(LanguageTest, InterfaceLanguageFollowsTheLocaleEnvironment)
{
    EXPECT_EQ(languageCodeUnder({"LANG=fr_FR.UTF-8"}), "fr");
    EXPECT_EQ(languageCodeUnder({"LANG=C"}), "en");
    EXPECT_EQ(languageCodeUnder({}), "en");
    EXPECT_EQ(languageCodeUnder({"LANG=fr_FR.UTF-8", "LC_MESSAGES=de_DE.UTF-8"}), "de");
    EXPECT_EQ(languageCodeUnder({"LANG=fr_FR.UTF-8", "LANGUAGE=pt_BR:fr"}), "pt");
    // Hawaiian has no two-letter code, so the next preference is taken.
    EXPECT_EQ(languageCodeUnder({"LANGUAGE=haw_US:it"}), "it");
}

TEST_F(LanguageTest, TableHoldsTwoLetterCodesWithEnglishNames)
{
    const QMap<QString, QString> languages = ZNBStringTools::twoLetterLanguageCodeMap();
    EXPECT_EQ(languages.value("fr"), "French");
    EXPECT_EQ(languages.value("de"), "German");
    EXPECT_EQ(languages.value("en"), "English");
    EXPECT_GT(languages.size(), 100);
    const QRegularExpression twoLowercaseLetters(QStringLiteral("^[a-z]{2}$"));
    for (auto entry = languages.constBegin(); entry != languages.constEnd(); ++entry) {
        EXPECT_TRUE(twoLowercaseLetters.match(entry.key()).hasMatch()) << qPrintable(entry.key());
        EXPECT_FALSE(entry.value().isEmpty()) << qPrintable(entry.key());
    }
}

TEST_F(CodePageTest, EveryOfferedEncodingDecodesAndHasAReadableName)
{
    const QStringList identifiers = ZNBStringTools::codePages();
    ASSERT_TRUE(identifiers.contains("windows-1250"));
    ASSERT_TRUE(identifiers.contains("UTF-8"));
    const QRegularExpression readable(QStringLiteral("^[A-Z][A-Za-z -]+ \\((.+)\\)$"));
    for (const QString& identifier : identifiers) {
        EXPECT_NE(QTextCodec::codecForName(identifier.toLatin1()), nullptr) << qPrintable(identifier);
        const auto match = readable.match(ZNBStringTools::codePageName(identifier));
        EXPECT_TRUE(match.hasMatch()) << qPrintable(identifier);
        EXPECT_EQ(match.captured(1).compare(identifier, Qt::CaseInsensitive), 0) << qPrintable(identifier);
    }
    EXPECT_EQ(ZNBStringTools::codePageName("windows-1250"), "Central European (Windows-1250)");
    EXPECT_EQ(ZNBStringTools::codePageName("utf-8"), "Unicode (UTF-8)");
    EXPECT_EQ(ZNBStringTools::codePageName("x-unknown"), "x-unknown");
}

TEST_F(StringToolsTest, Utf8RoundTripKeepsEmbeddedNulAndNonAscii)
{
    const std::string utf8("a\0\xC3\xBC\xE2\x82\xAC", 7); // a, NUL, u-umlaut, euro sign
    const QString text = ZNBStringTools::fromStdStringUTF8(utf8);
    EXPECT_EQ(text, QString(QChar('a')) + QChar(0) + QChar(0xFC) + QChar(0x20AC));
    EXPECT_EQ(ZNBStringTools::toStdStringUTF8(text), utf8);
}

TEST_F(OverrideTest, PlatformTakesOnlyKnownCodesFromTheEnvironment)
{
    qunsetenv("ZELK_PLATFORM");
    EXPECT_EQ(OSUtilities::getPlatform(), ZelkNimbo::PlatformLinux);
    qputenv("ZELK_PLATFORM", "1");
    EXPECT_EQ(OSUtilities::getPlatform(), ZelkNimbo::PlatformMacOS);
    qputenv("ZELK_PLATFORM", "0");
    EXPECT_EQ(OSUtilities::getPlatform(), ZelkNimbo::PlatformWindows);
    for (const char* malformed : {"7", "-1", "one", ""}) {
        qputenv("ZELK_PLATFORM", malformed);
        EXPECT_EQ(OSUtilities::getPlatform(), ZelkNimbo::PlatformLinux) << malformed;
    }
}

TEST_F(OverrideTest, ComponentIdDistinguishesUnsetFromEmpty)
{
    qunsetenv("ZELK_COMPONENT_ID");
    EXPECT_EQ(OSUtilities::getComponentIdUTF8(), "Nimbo");
    qputenv("ZELK_COMPONENT_ID", "Test\xC3\xA9"); // the test machine runs a UTF-8 locale
    EXPECT_EQ(OSUtilities::getComponentIdUTF8(), "Test\xC3\xA9");
    qputenv("ZELK_COMPONENT_ID", "");
    EXPECT_EQ(OSUtilities::getComponentIdUTF8(), "");
}

TEST_F(OverrideTest, MoviesFolderFollowsTheUsersVideosFolderWithoutCreatingIt)
{
    QFile userDirs(home.path("config/user-dirs.dirs"));
    ASSERT_TRUE(userDirs.open(QIODevice::WriteOnly));
    userDirs.write("XDG_VIDEOS_DIR=\"$HOME/Filme\"\n");
    userDirs.close();
    const QString expected = home.path("home/Filme/Zelk Movies");
    EXPECT_EQ(OSUtilities::getZelkMoviesPathDefault(), expected);
    EXPECT_FALSE(QFileInfo::exists(expected));
}

} // namespace
