// The player's host and the preferences module it loads share the one
// registry stand-in of the process: after both have read and written both
// hives, each hive has one SQLite connection open, and what one side writes
// the other reads at once. (Two copies, one per side, meant two connections
// and two read caches per hive, and a write lost between them once.)

#include "IsolatedEnvironment.h"
#include "PreferencesHarness.h"
#include "open_descriptors.h"

#include "host/library/ZNBLibrary.h"
#include "platform/win32_registry.h"
#include "settings/PreferenceAccessors.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QtTest>

using namespace zelktest;

namespace {

// The number of connections this process holds to a hive.
int connectionsTo(const char* hive)
{
    return zelk_test::openDescriptorsOf(qEnvironmentVariable("ZELK_REGISTRY_DIR").toStdString() + "/" + hive);
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
            QCOMPARE(connectionsTo("user.db"), 1);
            QCOMPARE(connectionsTo("machine.db"), 1);
        }

        // The other way round: the host writes, a new window reads it.
        QVERIFY(writePreferenceInt("Codec", "Brightness", 30));
        PreferencesHarness again;
        QVERIFY(again.created());
        again.call("showPreferences");
        QCOMPARE(again.child<QAbstractSlider>("brightnessSlider")->value(), 30);
        QCOMPARE(connectionsTo("user.db"), 1);
        QCOMPARE(connectionsTo("machine.db"), 1);
    }
};

QTEST_MAIN(OneRegistryPerProcessTest)
#include "one_registry_per_process_test.moc"
