// One save is one transaction of the user hive, through the real window: a
// write that fails takes back the whole save, and the restart prompt waits
// with nothing locked and the part of the save before it stored.

#include "IsolatedEnvironment.h"
#include "ModalAnswerer.h"
#include "PreferencesHarness.h"

#include "host/library/ZNBLibrary.h"
#include "platform/win32_registry.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

using namespace zelktest;

namespace {

// Deletes a section's key behind the window's back, as another program might.
bool deleteSectionKey(const char* section)
{
    const QString path = QStringLiteral("SOFTWARE\\Zelk\\Settings\\%1\\%2")
                             .arg(QString::fromStdString(ZelkNimbo::OSUtilities::getComponentIdUTF8()),
                                  QString::fromLatin1(section));
    return SHDeleteKeyW(HKEY_CURRENT_USER, path.toStdU16String().c_str()) == ERROR_SUCCESS;
}

// Whether another process can write to the user hive now (within 3 s; it
// would otherwise wait for a lock held here).
bool anotherProcessCanWrite()
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(3);
        HKEY key = nullptr;
        LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, u"SOFTWARE\\ZelkOther", 0, nullptr, 0, KEY_ALL_ACCESS,
                                      nullptr, &key, nullptr);
        const DWORD one = 1;
        if (status == ERROR_SUCCESS)
            status = RegSetValueExW(key, u"Written", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
        ::_exit(status == ERROR_SUCCESS ? 0 : 1);
    }
    int status = -1;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The association requests handed to the operating system, one per line.
QStringList associationRequests()
{
    QFile log(qEnvironmentVariable("ZELK_ASSOCIATION_LOG"));
    if (!log.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class SaveTransactionTest : public QObject {
    Q_OBJECT

    QString logPath;

private slots:
    void initTestCase()
    {
        logPath = QString::fromStdString(isolatedEnvironment().root()) + QStringLiteral("/associations.log");
        qputenv("ZELK_ASSOCIATION_LOG", logPath.toUtf8());
    }

    void init()
    {
        clearStore();
        QFile::remove(logPath);
    }

    // A write that fails in the middle of a save (here: another program
    // deleted a section's key) takes back every write of that save; the
    // window says so once, stays changed and, for OK, open.
    void failedWriteTakesBackTheWholeSave()
    {
        QVERIFY(storeBool("Playback", "AlwaysOnTop", false));
        QVERIFY(storeInt("Codec", "Brightness", 10));
        PreferencesHarness harness;
        harness.call("showPreferences");
        harness.child<QCheckBox>("onTopCheckBox")->click();
        harness.child<QAbstractSlider>("brightnessSlider")->setValue(30);
        QVERIFY(deleteSectionKey("Subtitles")); // written after Playback and Codec
        {
            ModalAnswerer message(ModalAnswerer::press(QMessageBox::Ok));
            harness.child<QAbstractButton>("applyButton")->click();
            QVERIFY(message.shown());
            QCOMPARE(message.title(), QStringLiteral("Preferences not saved"));
            QVERIFY(message.text().contains(QStringLiteral("No setting was changed")));
        }
        QVERIFY(!storedValue("Playback", "AlwaysOnTop").asBool());
        QCOMPARE(storedValue("Codec", "Brightness").asInt(), qint64(10));
        QVERIFY(!storedValue("General", "MediaFolder").exists());
        QVERIFY(harness.applyEnabled());
        QCOMPARE(associationRequests(), QStringList{}); // the save stopped before the hand-over
        {
            ModalAnswerer message(ModalAnswerer::press(QMessageBox::Ok));
            harness.child<QAbstractButton>("okButton")->click();
            QVERIFY(message.shown());
        }
        QVERIFY(harness.window()->isVisible());
        QVERIFY(!storedValue("Playback", "AlwaysOnTop").asBool());
    }

    // The restart prompt waits with nothing locked: what precedes it is
    // stored, what follows it is not yet, and other processes can write.
    void restartPromptWaitsWithTheFirstPartStored()
    {
        QVERIFY(storeBool("Video", "HardwareDecodingDisabled", true));
        QTemporaryDir dir;
        PreferencesHarness harness(twoOutputDirs(dir));
        auto* outputs = harness.child<QComboBox>("videoOutputMethodComboBox");
        outputs->setCurrentIndex(outputs->findData(QStringLiteral("id.Beta")));
        harness.child<QCheckBox>("onTopCheckBox")->click();
        harness.child<QCheckBox>("hardwareDecodingDisabledCheckBox")->click();
        bool othersCouldWrite = false, firstPartStored = false, restNotYet = false;
        ModalAnswerer no([&](QWidget* prompt) {
            othersCouldWrite = anotherProcessCanWrite();
            firstPartStored = storedValue("Playback", "AlwaysOnTop").asBool()
                && storedValue("Video", "DeinterlacingMethod").exists();
            restNotYet = storedValue("Video", "HardwareDecodingDisabled").asBool()
                && !storedValue("Video", "VideoOutputMethod").exists() && !storedValue("OSD", "OSDFont").exists();
            ModalAnswerer::press(QMessageBox::No)(prompt);
        });
        QVERIFY(harness.call("save"));
        QVERIFY(no.shown());
        QVERIFY(othersCouldWrite);
        QVERIFY(firstPartStored);
        QVERIFY(restNotYet);
        QCOMPARE(storedValue("Video", "VideoOutputMethod").asString(), QStringLiteral("id.Beta"));
        QVERIFY(!storedValue("Video", "HardwareDecodingDisabled").asBool());
        QVERIFY(storedValue("OSD", "OSDFont").exists());
        QVERIFY(!harness.applyEnabled());
    }
};

QTEST_MAIN(SaveTransactionTest)
#include "save_transaction_test.moc"
