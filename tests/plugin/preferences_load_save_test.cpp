// Load, save and Global Reset through the real window, checked against the
// registry values behind it.

#include "IsolatedEnvironment.h"
#include "ModalAnswerer.h"
#include "PreferencesHarness.h"

#include "framework/PluginInfo.h"
#include "host/library/ZNBLibrary.h"
#include "framework/PluginResult.h"
#include "plugin/HostInterfaces.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace zelktest;

namespace {

const std::uint32_t regDword = 4;
const std::uint32_t regSz = 1;
const std::uint32_t regQword = 11;

// What a save from an empty store writes: every value but the frame rate and
// the video output method, with its registry type and default.
struct Written {
    const char* section;
    const char* name;
    std::uint32_t type;
    QVariant value; // bool, qint64 or QString; an invalid QVariant: only the type is checked
};

QList<Written> defaultsWritten()
{
    const QVariant yes(true), no(false);
    return {
        {"General", "MediaFolder", regSz, QVariant()},
        {"General", "ShowBannerAds", regDword, yes},
        {"Playback", "AlwaysOnTop", regDword, no},
        {"Playback", "enableToolTips", regDword, yes},
        {"Playback", "hideInactiveButtons", regDword, no},
        {"General", "DefaultOpenFileLocation", regSz, QStringLiteral("<media folder>")},
        {"General", "StartupView", regSz, QStringLiteral("player")},
        {"General", "AVIFileAssoc", regDword, yes},
        {"General", "ZELKFileAssoc", regDword, yes},
        {"General", "XVIDFileAssoc", regDword, no},
        {"General", "MKVFileAssoc", regDword, yes},
        {"General", "MOVFileAssoc", regDword, no},
        {"General", "MP4FileAssoc", regDword, no},
        {"General", "WMVFileAssoc", regDword, no},
        {"General", "VOBFileAssoc", regDword, no},
        {"General", "MPGFileAssoc", regDword, no},
        {"General", "ASFFileAssoc", regDword, no},
        {"General", "QTFileAssoc", regDword, no},
        {"DownloadManager", "AutoClearDownloads", regDword, no},
        {"MediaLibrary", "AutoCloseImportDialog", regDword, yes},
        {"DownloadManager", "ResumeDownloadsOnStartup", regDword, yes},
        {"MediaLibrary", "AddPlayedVideoToLibrary", regDword, yes},
        {"MediaLibrary", "AddVideoInDefFolderToLibrary", regDword, no},
        {"MediaLibrary", "DeletLibraryFileAndDiskFile", regDword, no},
        {"MediaLibrary", "EnableRecentWatchedPlaylist", regDword, yes},
        {"Playback", "ResumeFromLastPos", regDword, yes},
        {"Playback", "ShowResumeOffer", regDword, yes},
        {"Playback", "ResizePlayerToVideo", regDword, no},
        {"Playback", "DisableScreenSaver", regDword, yes},
        {"Playback", "RememberPreviousMovie", regDword, no},
        {"Playback", "PauseInBackground", regDword, no},
        {"Playback", "BlackoutWhenPaused", regDword, no},
        {"Languages", "AudioLanguage", regSz, QStringLiteral("en")},
        {"Languages", "SubtitleLanguage", regSz, QStringLiteral("en")},
        {"Languages", "MenuLanguage", regSz, QStringLiteral("en")},
        {"Codec", "PostProcessingMode", regSz, QStringLiteral("automatic")},
        {"Codec", "DeblockingLevel", regQword, qint64(4)},
        {"Codec", "Brightness", regQword, qint64(0)},
        {"Codec", "Contrast", regQword, qint64(0)},
        {"Codec", "Saturation", regQword, qint64(0)},
        {"Subtitles", "DisableDualSubtitles", regDword, no},
        {"Subtitles", "UseExternalSubtitles", regDword, yes},
        {"Subtitles", "AlwaysUseExternalFont", regDword, no},
        {"Subtitles", "SubtitleTextColor", regSz, QStringLiteral("#ffff00")},
        {"Subtitles", "SubtitleOutlineColor", regSz, QStringLiteral("#000000")},
        {"Subtitles", "SubtitleDelay", regQword, qint64(0)},
        {"Subtitles", "SubtitleFont", regSz, QStringLiteral("Arial:14:Normal:::")},
        {"Subtitles", "SubtitleCodePage", regSz, QStringLiteral("system")},
        {"Video", "DeinterlacingMethod", regSz, QStringLiteral("bob")},
        {"Video", "HardwareDecodingDisabled", regDword, yes},
        {"OSD", "OSDFont", regSz, QStringLiteral("Arial:14:Normal:::")},
    };
}

QStringList associationRequests()
{
    QFile log(qEnvironmentVariable("ZELK_ASSOCIATION_LOG"));
    if (!log.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// A settings consumer living in the host, counting its notifications.
class CountingConsumer : public Okto::Plugin, public ZelkNimbo::SettingsConsumerInterface {
public:
    explicit CountingConsumer(Okto::PluginContext* context) : Okto::Plugin(context) {}
    int queryInterface(const Okto::String& id, void** out) override
    {
        if (!out)
            return Okto::PluginMissingOutput;
        *out = nullptr;
        if (id != Okto::String(ZelkNimbo::InterfaceId::SettingsConsumer))
            return Okto::PluginNotFound;
        *out = static_cast<ZelkNimbo::SettingsConsumerInterface*>(this);
        return Okto::PluginSuccess;
    }
    void settingsChanged() override { ++notifications; }
    int notifications = 0;
};

} // namespace

class PreferencesLoadSaveTest : public QObject {
    Q_OBJECT

    QString logPath;
    QString tracePath;

    // Value names written since the trace was last emptied, in call order.
    QStringList writtenNames()
    {
        QFile trace(tracePath);
        QStringList names;
        if (trace.open(QIODevice::ReadOnly | QIODevice::Text)) {
            for (const QByteArray& line : trace.readAll().split('\n')) {
                const QList<QByteArray> fields = line.split(' ');
                if (fields.size() == 4 && fields[0] == "set")
                    names << QString::fromLatin1(fields[3]);
            }
        }
        return names;
    }

private slots:
    void initTestCase()
    {
        const QString root = QString::fromStdString(isolatedEnvironment().root());
        logPath = root + QStringLiteral("/associations.log");
        qputenv("ZELK_ASSOCIATION_LOG", logPath.toUtf8());
        tracePath = root + QStringLiteral("/registry.trace");
        qputenv("ZELK_REGISTRY_TRACE", tracePath.toUtf8());
    }

    void init()
    {
        clearStore();
        QFile::remove(logPath);
    }

    void emptyStoreShowsDefaults()
    {
        PreferencesHarness harness;
        QVERIFY(!harness.child<QCheckBox>("bannerAdsCheckBox")->isChecked());
        QVERIFY(!harness.child<QCheckBox>("toolTipsCheckBox")->isChecked());
        QVERIFY(harness.child<QCheckBox>("aviCheckBox")->isChecked());
        QVERIFY(!harness.child<QCheckBox>("movCheckBox")->isChecked());
        QVERIFY(harness.child<QCheckBox>("mediaLibRestartDownloadsCheckBox")->isChecked());
        QVERIFY(harness.child<QCheckBox>("screenSaverCheckBox")->isChecked());
        QVERIFY(harness.child<QCheckBox>("hardwareDecodingDisabledCheckBox")->isChecked());
        QVERIFY(harness.child<QCheckBox>("srtCheckBox")->isChecked());
        QVERIFY(harness.child<QRadioButton>("openInZelkMoviesRadioButton")->isChecked());
        QVERIFY(!harness.child<QLineEdit>("customDirEdit")->isEnabled());
        QVERIFY(harness.child<QLineEdit>("zelkMoviesEdit")->text().endsWith(QStringLiteral("/Zelk Movies")));
        QCOMPARE(harness.child<QComboBox>("defaultViewComboBox")->currentData().toString(), QStringLiteral("player"));
        QCOMPARE(harness.child<QComboBox>("postProcessingComboBox")->currentData().toString(), QStringLiteral("automatic"));
        QVERIFY(!harness.child<QAbstractSlider>("deblockingSlider")->isEnabled());
        QCOMPARE(harness.child<QAbstractSlider>("deblockingSlider")->value(), 4);
        QCOMPARE(harness.child<QComboBox>("deinterlacingMethodComboBox")->currentData().toString(), QStringLiteral("bob"));
        QCOMPARE(harness.child<QComboBox>("videoOutputMethodComboBox")->currentData().toString(), QStringLiteral("<best>"));
        QCOMPARE(harness.child<QComboBox>("defaultCodePageComboBox")->currentData().toString(), QStringLiteral("system"));
        QCOMPARE(harness.child<QComboBox>("audioTrackComboBox")->currentData().toString(), QStringLiteral("en"));
        QCOMPARE(harness.child<QComboBox>("subtitleFrameRateComboBox")->currentIndex(), -1);
        QVERIFY(!harness.applyEnabled());
    }

    void saveFromAnEmptyStoreWritesEveryValue()
    {
        PreferencesHarness harness;
        QVERIFY(harness.call("save"));
        for (const Written& expected : defaultsWritten()) {
            const StoredValue stored = storedValue(expected.section, expected.name);
            const QByteArray where = QByteArray(expected.section) + "/" + expected.name;
            QVERIFY2(stored.exists(), where);
            QVERIFY2(stored.type == expected.type, where);
            if (expected.value.type() == QVariant::Bool)
                QVERIFY2(stored.asBool() == expected.value.toBool(), where);
            else if (expected.value.type() == QVariant::LongLong)
                QVERIFY2(stored.asInt() == expected.value.toLongLong(), where);
            else if (expected.value.isValid())
                QVERIFY2(stored.asString() == expected.value.toString(), where + " = " + stored.asString().toUtf8());
        }
        QVERIFY(!storedValue("Subtitles", "SubtitleFrameRateNumerator").exists());
        QVERIFY(!storedValue("Video", "VideoOutputMethod").exists());
        QVERIFY(!storedValue("PlayerState", "LastOpenFileLocation").exists());
        QCOMPARE(associationRequests(), QStringList{QStringLiteral("(none)")});
        QVERIFY(!harness.applyEnabled());
    }

    void oneEditThenApplyWritesEverythingInOrder()
    {
        QVERIFY(storeString("Video", "VideoOutputMethod", QStringLiteral("<best>")));
        PreferencesHarness harness;
        QFile::remove(tracePath);
        harness.child<QCheckBox>("pauseIfNoFocusCheckBox")->click();
        harness.child<QAbstractButton>("applyButton")->click();
        const QStringList expected{
            "MediaFolder", "ShowBannerAds", "AlwaysOnTop", "enableToolTips", "hideInactiveButtons",
            "DefaultOpenFileLocation", "StartupView", "AVIFileAssoc", "ZELKFileAssoc", "XVIDFileAssoc", "MKVFileAssoc",
            "MOVFileAssoc", "MP4FileAssoc", "WMVFileAssoc", "VOBFileAssoc", "MPGFileAssoc", "ASFFileAssoc",
            "QTFileAssoc", "AutoClearDownloads", "AutoCloseImportDialog", "ResumeDownloadsOnStartup",
            "AddPlayedVideoToLibrary", "AddVideoInDefFolderToLibrary", "DeletLibraryFileAndDiskFile",
            "EnableRecentWatchedPlaylist", "ResumeFromLastPos", "ShowResumeOffer", "ResizePlayerToVideo",
            "DisableScreenSaver", "RememberPreviousMovie", "PauseInBackground", "BlackoutWhenPaused", "AudioLanguage",
            "SubtitleLanguage", "MenuLanguage", "PostProcessingMode", "DeblockingLevel", "Brightness", "Contrast",
            "Saturation", "DisableDualSubtitles", "UseExternalSubtitles", "AlwaysUseExternalFont", "SubtitleTextColor",
            "SubtitleOutlineColor", "SubtitleDelay", "SubtitleFont", "SubtitleCodePage", "DeinterlacingMethod",
            "HardwareDecodingDisabled", "OSDFont",
        };
        QCOMPARE(writtenNames(), expected);
        QVERIFY(storedValue("Playback", "PauseInBackground").asBool());

        // A usable frame rate goes between the code page and the deinterlacing method.
        QFile::remove(tracePath);
        harness.child<QComboBox>("subtitleFrameRateComboBox")->setCurrentIndex(1);
        QVERIFY(harness.call("save"));
        const QStringList names = writtenNames();
        const int codePage = names.indexOf(QStringLiteral("SubtitleCodePage"));
        QCOMPARE(names.mid(codePage, 4), (QStringList{"SubtitleCodePage", "SubtitleFrameRateNumerator",
                                                       "SubtitleFrameRateDenominator", "DeinterlacingMethod"}));
    }

    void storedValuesOfOtherTypesReadAsDefaults()
    {
        QVERIFY(storeString("Playback", "ResumeFromLastPos", QStringLiteral("0")));
        QVERIFY(storeBool("Codec", "PostProcessingMode", true));
        PreferencesHarness harness;
        QVERIFY(harness.child<QCheckBox>("resumePlaybackCheckBox")->isChecked());
        QCOMPARE(harness.child<QComboBox>("postProcessingComboBox")->currentData().toString(), QStringLiteral("automatic"));
    }

    void restartPromptOnlyForAChangedOutputMethod()
    {
        QTemporaryDir dir;
        PreferencesHarness harness(twoOutputDirs(dir));
        auto* outputs = harness.child<QComboBox>("videoOutputMethodComboBox");
        QCOMPARE(outputs->count(), 3);
        {
            ModalAnswerer none(ModalAnswerer::press(QMessageBox::Cancel), 300);
            harness.child<QCheckBox>("hardwareDecodingDisabledCheckBox")->click();
            QVERIFY(harness.call("save"));
            QTest::qWait(350);
            QVERIFY(!none.shown());
        }
        outputs->setCurrentIndex(outputs->findData(QStringLiteral("id.Beta")));
        harness.child<QCheckBox>("resizeToVideoCheckBox")->click();
        {
            ModalAnswerer cancel(ModalAnswerer::press(QMessageBox::Cancel));
            QVERIFY(harness.call("save"));
            QVERIFY(cancel.shown());
            QCOMPARE(cancel.title(), QStringLiteral("Restart Zelk Player"));
        }
        QVERIFY(!storedValue("Video", "VideoOutputMethod").exists());
        QVERIFY(storedValue("Playback", "ResizePlayerToVideo").asBool());
        QVERIFY(storedValue("OSD", "OSDFont").exists()); // the steps after the prompt ran too
        QVERIFY(!harness.applyEnabled());
        {
            ModalAnswerer no(ModalAnswerer::press(QMessageBox::No));
            QVERIFY(harness.call("save")); // still different: asks again
            QVERIFY(no.shown());
        }
        QCOMPARE(storedValue("Video", "VideoOutputMethod").asString(), QStringLiteral("id.Beta"));
    }

    void unlistedOutputMethodShowsBestAndAsksAtTheNextSave()
    {
        QVERIFY(storeString("Video", "VideoOutputMethod", QStringLiteral("id.Gone")));
        PreferencesHarness harness;
        auto* outputs = harness.child<QComboBox>("videoOutputMethodComboBox");
        QVERIFY(outputs->isHidden());
        QCOMPARE(outputs->currentData().toString(), QStringLiteral("<best>"));
        ModalAnswerer yesOrNo(ModalAnswerer::press(QMessageBox::No));
        QVERIFY(harness.call("save"));
        QVERIFY(yesOrNo.shown());
        QCOMPARE(storedValue("Video", "VideoOutputMethod").asString(), QStringLiteral("<best>"));
    }

    void associationChangesAreHandedOver()
    {
        PreferencesHarness harness;
        auto* mpg = harness.child<QCheckBox>("mpg_mpegCheckBox");
        auto* mov = harness.child<QCheckBox>("movCheckBox");
        mpg->click();
        mov->click(); // checked and unchecked again before saving
        mov->click();
        QVERIFY(harness.call("save"));
        QVERIFY(storedValue("General", "MPGFileAssoc").asBool());
        QVERIFY(harness.call("save"));
        QCOMPARE(associationRequests(), (QStringList{QStringLiteral(".mpeg=1 .mpg=1"), QStringLiteral("(none)")}));
        // The player really became the handler of MPEG files.
        QFile list(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/mimeapps.list"));
        QVERIFY(list.open(QIODevice::ReadOnly));
        QVERIFY(list.readAll().contains("video/mpeg=com.zelk.Player.desktop"));
    }

    void globalResetThenApplyHandsOverEveryDifference()
    {
        QVERIFY(storeBool("General", "AVIFileAssoc", false));
        QVERIFY(storeBool("General", "QTFileAssoc", true));
        PreferencesHarness harness;
        {
            ModalAnswerer no(ModalAnswerer::press(QMessageBox::No));
            QVERIFY(harness.call("reset"));
            QVERIFY(no.shown());
            QCOMPARE(no.title(), QStringLiteral("Global Reset"));
        }
        QVERIFY(!harness.applyEnabled());
        QVERIFY(!harness.child<QCheckBox>("aviCheckBox")->isChecked());
        {
            ModalAnswerer yes(ModalAnswerer::press(QMessageBox::Yes));
            QVERIFY(harness.call("reset"));
        }
        QVERIFY(harness.applyEnabled());
        QVERIFY(harness.child<QCheckBox>("aviCheckBox")->isChecked());
        QVERIFY(!harness.child<QCheckBox>("qtCheckBox")->isChecked());
        QVERIFY(harness.call("save"));
        QCOMPARE(associationRequests(), QStringList{QStringLiteral(".avi=1 .qt=0")});
    }

    void globalResetThenCancelLeavesTheStore()
    {
        QVERIFY(storeBool("Playback", "AlwaysOnTop", true));
        QVERIFY(storeInt("Codec", "Brightness", 40));
        PreferencesHarness harness;
        harness.call("showPreferences");
        {
            ModalAnswerer yes(ModalAnswerer::press(QMessageBox::Yes));
            QVERIFY(harness.call("reset"));
        }
        QCOMPARE(harness.child<QAbstractSlider>("brightnessSlider")->value(), 0);
        harness.child<QAbstractButton>("cancelButton")->click();
        QVERIFY(storedValue("Playback", "AlwaysOnTop").asBool());
        QCOMPARE(storedValue("Codec", "Brightness").asInt(), 40);
        QVERIFY(!storedValue("General", "StartupView").exists());
    }

    void languages()
    {
        PreferencesHarness harness;
        auto* subtitles = harness.child<QComboBox>("subtitleTrackComboBox");
        QCOMPARE(subtitles->itemText(0), QStringLiteral("None"));
        QVERIFY(!subtitles->itemData(0).isValid());
        subtitles->setCurrentIndex(0);
        QVERIFY(harness.call("save"));
        QCOMPARE(storedValue("Languages", "SubtitleLanguage").asString(), QString());
        QVERIFY(storedValue("Languages", "SubtitleLanguage").exists());

        QVERIFY(storeString("Languages", "AudioLanguage", QStringLiteral("xx")));
        QVERIFY(storeString("Languages", "MenuLanguage", QStringLiteral("de")));
        PreferencesHarness second;
        // The empty choice means the interface language.
        QCOMPARE(second.child<QComboBox>("subtitleTrackComboBox")->currentData().toString(), QStringLiteral("en"));
        QCOMPARE(second.child<QComboBox>("menuTrackComboBox")->currentData().toString(), QStringLiteral("de"));
        // An unlisted code leaves the list as filled: on the host's first language.
        const QString shownAudio = second.child<QComboBox>("audioTrackComboBox")->currentData().toString();
        QCOMPARE(shownAudio, ZelkNimbo::ZNBStringTools::twoLetterLanguageCodeMap().firstKey());
        QVERIFY(second.call("save"));
        QCOMPARE(storedValue("Languages", "AudioLanguage").asString(), shownAudio);
    }

    void pictureSliders()
    {
        QVERIFY(storeInt("Codec", "Brightness", 300));
        QVERIFY(storeInt("Codec", "Saturation", -5));
        PreferencesHarness harness;
        QCOMPARE(harness.child<QAbstractSlider>("brightnessSlider")->value(), 128);
        QCOMPARE(harness.child<QAbstractSlider>("saturationSlider")->value(), -5);
        QVERIFY(harness.call("resetContrast")); // already at 0
        QVERIFY(harness.applyEnabled());
        QVERIFY(harness.call("save"));
        QCOMPARE(storedValue("Codec", "Brightness").asInt(), 128);
        QCOMPARE(storedValue("Codec", "Saturation").asInt(), -5);
        QCOMPARE(storedValue("Codec", "Saturation").type, regQword);
    }

    void openLocation_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("radio");
        QTest::addColumn<bool>("editEnabled");
        QTest::addColumn<QString>("editText");
        QTest::newRow("last directory") << QStringLiteral("<last directory>") << QStringLiteral("openInLastDirRadioButton") << false << QString();
        QTest::newRow("empty") << QString() << QStringLiteral("openInCustomDirRadioButton") << true << QString();
        QTest::newRow("media folder spelled") << QStringLiteral("<media folder>") << QStringLiteral("openInZelkMoviesRadioButton") << false << QString();
        QTest::newRow("custom") << QStringLiteral("/videos/in") << QStringLiteral("openInCustomDirRadioButton") << true << QStringLiteral("/videos/in");
    }

    void openLocation()
    {
        QFETCH(QString, stored);
        QFETCH(QString, radio);
        QFETCH(bool, editEnabled);
        QFETCH(QString, editText);
        QVERIFY(storeString("General", "DefaultOpenFileLocation", stored));
        PreferencesHarness harness;
        QVERIFY(harness.window()->findChild<QRadioButton*>(radio)->isChecked());
        auto* edit = harness.child<QLineEdit>("customDirEdit");
        QCOMPARE(edit->isEnabled(), editEnabled);
        QCOMPARE(edit->text(), editText);
        QVERIFY(harness.call("save"));
        const StoredValue saved = storedValue("General", "DefaultOpenFileLocation");
        QVERIFY(saved.exists());
        QCOMPARE(saved.asString(), stored);
    }

    void negatedBoxes()
    {
        QVERIFY(storeBool("General", "ShowBannerAds", false));
        PreferencesHarness harness;
        QVERIFY(harness.child<QCheckBox>("bannerAdsCheckBox")->isChecked());
        harness.child<QCheckBox>("toolTipsCheckBox")->click();
        QVERIFY(harness.call("save"));
        QVERIFY(!storedValue("Playback", "enableToolTips").asBool());
        QVERIFY(!storedValue("General", "ShowBannerAds").asBool());
    }

    void postProcessingKeepsTheLevelOfOtherModes()
    {
        QVERIFY(storeString("Codec", "PostProcessingMode", QStringLiteral("full")));
        QVERIFY(storeInt("Codec", "DeblockingLevel", 2));
        PreferencesHarness harness;
        auto* mode = harness.child<QComboBox>("postProcessingComboBox");
        auto* slider = harness.child<QAbstractSlider>("deblockingSlider");
        QCOMPARE(mode->currentData().toString(), QStringLiteral("full"));
        QVERIFY(!slider->isEnabled());
        QCOMPARE(slider->value(), 2);
        QVERIFY(harness.call("save"));
        QCOMPARE(storedValue("Codec", "PostProcessingMode").asString(), QStringLiteral("full"));
        QCOMPARE(storedValue("Codec", "DeblockingLevel").asInt(), 2);

        mode->setCurrentIndex(mode->findData(QStringLiteral("custom")));
        QVERIFY(slider->isEnabled());
        QVERIFY(harness.child<QWidget>("dMinLabel")->isEnabled());
        QVERIFY(harness.applyEnabled());
        mode->setCurrentIndex(mode->findData(QStringLiteral("off")));
        QVERIFY(!slider->isEnabled());
    }

    void unlistedStoredChoicesFallBack()
    {
        QVERIFY(storeString("Codec", "PostProcessingMode", QStringLiteral("CUSTOM")));
        QVERIFY(storeString("Video", "DeinterlacingMethod", QStringLiteral("weave")));
        QVERIFY(storeString("General", "StartupView", QStringLiteral("somewhere")));
        QVERIFY(storeInt("Codec", "DeblockingLevel", 7));
        PreferencesHarness harness;
        QCOMPARE(harness.child<QComboBox>("postProcessingComboBox")->currentData().toString(), QStringLiteral("automatic"));
        QVERIFY(!harness.child<QAbstractSlider>("deblockingSlider")->isEnabled());
        QCOMPARE(harness.child<QAbstractSlider>("deblockingSlider")->value(), 4);
        QCOMPARE(harness.child<QComboBox>("deinterlacingMethodComboBox")->currentData().toString(), QStringLiteral("bob"));
        QCOMPARE(harness.child<QComboBox>("defaultViewComboBox")->currentData().toString(), QStringLiteral("player"));
    }

    void consumersAreNotifiedOncePerSaveAndReleased()
    {
        PreferencesHarness harness;
        Okto::PluginInfo info;
        info.id = Okto::String("com.example.consumer");
        info.interfaces.append(Okto::String(ZelkNimbo::InterfaceId::SettingsConsumer));
        auto* consumer = new CountingConsumer(&harness.context);
        consumer->setInfo(&info);
        {
            boost::recursive_mutex::scoped_lock guard(harness.context.lock);
            harness.context.plugins.append(consumer);
        }
        QVERIFY(harness.call("save"));
        QCOMPARE(consumer->notifications, 1);
        QCOMPARE(consumer->retainCount(), 1);
        QVERIFY(harness.call("save"));
        QCOMPARE(consumer->notifications, 2);
        QCOMPARE(consumer->retainCount(), 1);
        consumer->release(); // the context forgets it
        QCOMPARE(harness.context.livePluginCount(), 1);
    }
    // Last: once the application was asked to quit, Qt's event loops (and so
    // every later modal dialog of this process) return at once.
    void restartPromptYesWritesAndQuits()
    {
        QTemporaryDir dir;
        PreferencesHarness harness(twoOutputDirs(dir));
        auto* outputs = harness.child<QComboBox>("videoOutputMethodComboBox");
        outputs->setCurrentIndex(outputs->findData(QStringLiteral("id.Alpha")));
        ModalAnswerer yes(ModalAnswerer::press(QMessageBox::Yes));
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [&harness] { harness.call("save"); });
        QTimer::singleShot(4000, &loop, [&loop] { loop.exit(42); });
        QCOMPARE(loop.exec(), 0); // the application's quit ended the loop
        QVERIFY(yes.shown());
        QCOMPARE(yes.title(), QStringLiteral("Restart Zelk Player"));
        QCOMPARE(storedValue("Video", "VideoOutputMethod").asString(), QStringLiteral("id.Alpha"));
        QVERIFY(storedValue("Video", "HardwareDecodingDisabled").exists());
    }
};

QTEST_MAIN(PreferencesLoadSaveTest)
#include "preferences_load_save_test.moc"
