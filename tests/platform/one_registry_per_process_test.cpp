// The player's host and the preferences module it loads share the one
// registry stand-in of the process: after both have read and written both
// hives, each hive has one SQLite connection open, and what one side writes
// the other reads at once. (Two copies, one per side, meant two connections
// and two read caches per hive, and a write lost between them once.)

#include "IsolatedEnvironment.h"
#include "PreferencesHarness.h"

#include "host/library/ZNBLibrary.h"
#include "platform/win32_registry.h"
#include "settings/PreferenceAccessors.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include <climits>
#include <dirent.h>
#include <string>
#include <unistd.h>

using namespace zelktest;

namespace {

QString hiveFile(const char* name)
{
    return QDir(qEnvironmentVariable("ZELK_REGISTRY_DIR")).filePath(QLatin1String(name));
}

// How many of this process's open file descriptors lead to `path`: SQLite
// keeps one on the database file for each connection.
int openDescriptorsOf(const QString& path)
{
    const QByteArray target = QFileInfo(path).canonicalFilePath().toLocal8Bit();
    int count = 0;
    DIR* descriptors = ::opendir("/proc/self/fd");
    if (!descriptors || target.isEmpty())
        return -1;
    while (const dirent* entry = ::readdir(descriptors)) {
        char link[PATH_MAX];
        const std::string fd = std::string("/proc/self/fd/") + entry->d_name;
        const ssize_t length = ::readlink(fd.c_str(), link, sizeof link);
        if (length > 0 && QByteArray(link, int(length)) == target)
            ++count;
    }
    ::closedir(descriptors);
    return count;
}

// Writes a value into the machine hive only, so that it reaches the window
// and the host through their fallback to that hive.
bool storeMachineBool(const char* section, const char* name, bool value)
{
    const QString path = QStringLiteral("SOFTWARE\\Zelk\\Settings\\%1\\%2")
                             .arg(QString::fromStdString(ZelkNimbo::OSUtilities::getComponentIdUTF8()),
                                  QLatin1String(section));
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.toStdU16String().c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return false;
    const DWORD data = value ? 1 : 0;
    const LONG status = RegSetValueExW(key, QString::fromLatin1(name).toStdU16String().c_str(), 0, REG_DWORD,
                                       reinterpret_cast<const BYTE*>(&data), sizeof data);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

} // namespace

class OneRegistryPerProcessTest : public QObject {
    Q_OBJECT

private slots:
    void hostAndModuleShareOneConnectionPerHive()
    {
        using ZelkNimbo::readPreferenceBool;
        using ZelkNimbo::readPreferenceInt;
        using ZelkNimbo::writePreferenceInt;

        // The host: a machine-wide default and a user setting, read back
        // through the settings store as the player reads its settings.
        QVERIFY(storeMachineBool("Playback", "AlwaysOnTop", true));
        QVERIFY(writePreferenceInt("Codec", "Brightness", 10));
        QVERIFY(readPreferenceBool("Playback", "AlwaysOnTop", false));
        QCOMPARE(readPreferenceInt("Codec", "Brightness", 0), 10);

        {
            // The module, loaded through the host, reads both hives...
            PreferencesHarness harness;
            QVERIFY(harness.created());
            harness.call("showPreferences");
            auto* onTop = harness.child<QCheckBox>("onTopCheckBox");
            QVERIFY(onTop);
            QVERIFY(onTop->isChecked()); // from the machine hive
            // ...and writes the user hive; the host reads the new value at
            // once, also where it had read (and kept) the old one.
            onTop->click();
            harness.child<QAbstractButton>("applyButton")->click();
            QVERIFY(!harness.applyEnabled());
            QVERIFY(!readPreferenceBool("Playback", "AlwaysOnTop", true));
            QCOMPARE(openDescriptorsOf(hiveFile("user.db")), 1);
            QCOMPARE(openDescriptorsOf(hiveFile("machine.db")), 1);
        }

        // The other way round: the host writes, a new window reads it.
        QVERIFY(writePreferenceInt("Codec", "Brightness", 30));
        PreferencesHarness again;
        QVERIFY(again.created());
        again.call("showPreferences");
        QCOMPARE(again.child<QAbstractSlider>("brightnessSlider")->value(), 30);
        QCOMPARE(openDescriptorsOf(hiveFile("user.db")), 1);
        QCOMPARE(openDescriptorsOf(hiveFile("machine.db")), 1);
    }
};

QTEST_MAIN(OneRegistryPerProcessTest)
#include "one_registry_per_process_test.moc"
