// Language and code-page tables, text conversion and the environment
// overrides of the platform facts.

#include "host/library/LanguageCodes.h"
#include "host/library/ZNBLibrary.h"
#include "TemporaryHome.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTextCodec>

using namespace ZelkNimbo;

namespace {

class ServicesTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        qunsetenv("ZELK_PLATFORM");
        qunsetenv("ZELK_COMPONENT_ID");
    }
    TemporaryHome home;
};

// Qt reads the locale environment once per process, hence a fresh probe
// process for every setting.
QString languageCodeUnder(const QStringList& variables)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG", "ZELK_LANGUAGE"})
        environment.remove(name);
    for (const QString& variable : variables)
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.start(ZELK_LANGUAGE_PROBE, QStringList());
    if (!probe.waitForFinished(10000) || probe.exitCode() != 0)
        return "<probe failed>";
    return QString::fromUtf8(probe.readAllStandardOutput());
}

TEST_F(ServicesTest, InterfaceLanguageFollowsTheLocaleEnvironment)
{
    EXPECT_EQ(languageCodeUnder({"LANG=fr_FR.UTF-8"}), "fr");
    EXPECT_EQ(languageCodeUnder({"LANG=C"}), "en");
    EXPECT_EQ(languageCodeUnder({"LANG=fr_FR.UTF-8", "LC_MESSAGES=de_DE.UTF-8"}), "de");
    // Hawaiian has no two-letter code, so the next preference counts.
    EXPECT_EQ(languageCodeUnder({"LANG=fr_FR.UTF-8", "LANGUAGE=haw_US:pt_BR"}), "pt");
    // The player's choice comes first; one that names no language is ignored.
    EXPECT_EQ(languageCodeUnder({"LANG=fr_FR.UTF-8", "ZELK_LANGUAGE=de-AT"}), "de");
    EXPECT_EQ(languageCodeUnder({"LANG=C", "ZELK_LANGUAGE=ES"}), "es");
    EXPECT_EQ(languageCodeUnder({"LANG=fr_FR.UTF-8", "ZELK_LANGUAGE=xx"}), "fr");
}

TEST_F(ServicesTest, LanguageTableHoldsTwoLetterCodesWithEnglishNames)
{
    const QMap<QString, QString> languages = ZNBStringTools::twoLetterLanguageCodeMap();
    EXPECT_EQ(languages.value("fr"), "French");
    EXPECT_EQ(languages.value("de"), "German");
    EXPECT_GT(languages.size(), 100);
    for (const QString& code : languages.keys())
        EXPECT_TRUE(QRegularExpression("^[a-z]{2}$").match(code).hasMatch()) << qPrintable(code);
}

// The names built in for the player's interface languages are the ones ICU
// gives at run time; another interface language is still named by ICU.
TEST_F(ServicesTest, LanguageNamesBuiltInAgreeWithIcu)
{
    for (const char* language : {"en", "fr", "de", "es"}) {
        qputenv("ZELK_LANGUAGE", language);
        QMap<QString, QString> builtIn;
        ASSERT_TRUE(builtInLanguageTable(QLatin1String(language), &builtIn)) << language;
        EXPECT_EQ(builtIn, buildLanguageTable(QLatin1String(language))) << language;
        EXPECT_EQ(ZNBStringTools::twoLetterLanguageCodeMap(), builtIn) << language;
    }
    QMap<QString, QString> none;
    EXPECT_FALSE(builtInLanguageTable(QStringLiteral("it"), &none));
    qputenv("ZELK_LANGUAGE", "it");
    EXPECT_EQ(ZNBStringTools::twoLetterLanguageCodeMap().value("fr"), QStringLiteral("francese"));
    qunsetenv("ZELK_LANGUAGE");
}

TEST_F(ServicesTest, EveryCodePageDecodesAndIsNamedWithItsIdentifier)
{
    const QStringList identifiers = ZNBStringTools::codePages();
    ASSERT_TRUE(identifiers.contains("windows-1250") && identifiers.contains("UTF-8"));
    for (const QString& identifier : identifiers) {
        EXPECT_NE(QTextCodec::codecForName(identifier.toLatin1()), nullptr) << qPrintable(identifier);
        const QString name = ZNBStringTools::codePageName(identifier);
        EXPECT_TRUE(name.endsWith(" (" + identifier + ")", Qt::CaseInsensitive) && name.at(0).isUpper())
            << qPrintable(name);
    }
    EXPECT_EQ(ZNBStringTools::codePageName("windows-1250"), "Central European (Windows-1250)");
    EXPECT_EQ(ZNBStringTools::codePageName("x-unknown"), "x-unknown");
}

TEST_F(ServicesTest, Utf8RoundTripKeepsEmbeddedNul)
{
    const std::string utf8("a\0\xC3\xBC\xE2\x82\xAC", 7); // a, NUL, u-umlaut, euro sign
    const QString text = ZNBStringTools::fromStdStringUTF8(utf8);
    EXPECT_EQ(text, QString("a") + QChar(0) + QChar(0xFC) + QChar(0x20AC));
    EXPECT_EQ(ZNBStringTools::toStdStringUTF8(text), utf8);
}

TEST_F(ServicesTest, EnvironmentOverridesPlatformAndComponentId)
{
    EXPECT_EQ(OSUtilities::getPlatform(), PlatformLinux);
    EXPECT_EQ(OSUtilities::getComponentIdUTF8(), "Nimbo");
    qputenv("ZELK_PLATFORM", "1");
    EXPECT_EQ(OSUtilities::getPlatform(), PlatformMacOS);
    for (const char* malformed : {"7", "-1", "one", ""}) {
        qputenv("ZELK_PLATFORM", malformed);
        EXPECT_EQ(OSUtilities::getPlatform(), PlatformLinux) << malformed;
    }
    qputenv("ZELK_COMPONENT_ID", "Test.Component");
    EXPECT_EQ(OSUtilities::getComponentIdUTF8(), "Test.Component");
    qputenv("ZELK_COMPONENT_ID", "");
    EXPECT_EQ(OSUtilities::getComponentIdUTF8(), "");
}

TEST_F(ServicesTest, MoviesFolderFollowsTheVideosFolderWithoutCreatingIt)
{
    QFile userDirs(home.path("config/user-dirs.dirs"));
    ASSERT_TRUE(userDirs.open(QIODevice::WriteOnly) && userDirs.write("XDG_VIDEOS_DIR=\"$HOME/Filme\"\n") > 0);
    userDirs.close();
    EXPECT_EQ(OSUtilities::getZelkMoviesPathDefault(), home.path("home/Filme/Zelk Movies"));
    EXPECT_FALSE(QFileInfo::exists(home.path("home/Filme/Zelk Movies")));
}

} // namespace
