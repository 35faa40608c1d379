// The player shell end to end, in process: the preferences opened from the
// menu, a setting travelling to the registry, through the settings consumer to
// the main window and back, quitting with unsaved preferences, and the restart
// prompt ending the application.

#include "IsolatedEnvironment.h"
#include "ModalAnswerer.h"
#include "ShellTestSupport.h"

#include "host/library/ZNBLibrary.h"
#include "host/shell/app/PlayerSession.h"
#include "host/shell/app/ShellOptions.h"
#include "host/library/HubMessages.h"
#include "host/shell/window/PlayerWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace zelktest;
using ZelkShell::PlayerWindow;
using ZelkShell::PluginHost;

namespace {

const std::uint32_t regDword = 4;
const char consumerLogLine[] = "zelk-player: settings saved; the player re-reads them";

QWidget* preferencesWindow(PluginHost& plugins)
{
    return qobject_cast<QWidget*>(plugins.existingPreferencesWindow());
}

template <typename T>
T* control(PluginHost& plugins, const char* name)
{
    QWidget* window = preferencesWindow(plugins);
    return window ? window->findChild<T*>(QLatin1String(name)) : nullptr;
}

} // namespace

class PlayerShellTest : public QObject {
    Q_OBJECT

    QString tracePath;

    // How many times the registry trace saw the player's settings key opened
    // (or created) in the user's hive: once per opening of the store.
    int storeOpenings() const
    {
        const QByteArray settingsKey =
            "SOFTWARE\\u005CZelk\\u005CSettings\\u005C" + QByteArray::fromStdString(ZelkNimbo::OSUtilities::getComponentIdUTF8());
        QFile trace(tracePath);
        if (!trace.open(QIODevice::ReadOnly))
            return 0;
        int openings = 0;
        for (const QByteArray& line : trace.readAll().split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() == 4 && (fields[0] == "open" || fields[0] == "create") && fields[1] == "user" &&
                fields[3] == settingsKey)
                ++openings;
        }
        return openings;
    }

private slots:
    void initTestCase()
    {
        // Read by the registry at its first call, which comes after this.
        tracePath = QString::fromStdString(isolatedEnvironment().root()) + QStringLiteral("/registry.trace");
        qputenv("ZELK_REGISTRY_TRACE", tracePath.toUtf8());
    }

    void init() { clearStore(); }

    // Re-reading the settings after a save reads the store through one
    // opening, whichever part of the player the settings are for.
    void aReloadOpensTheStoreOnce()
    {
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        PlayerWindow player(plugins);
        QFile::remove(tracePath);
        player.reloadSettings();
        QCOMPARE(storeOpenings(), 1);
        player.reloadSettings();
        QCOMPARE(storeOpenings(), 2);
    }

    void alwaysOnTopTravelsFromThePreferencesToThePlayerAndBack()
    {
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        QStringList errors;
        QCOMPARE(plugins.startSettingsConsumers(&errors), 1);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char(';'))));
        MessageCounter consumerNotices(ZelkNimbo::HubMessages::PlayerSettingsChanged);
        QVERIFY(consumerNotices.listening);

        PlayerWindow player(plugins);
        player.show();
        QVERIFY(!player.alwaysOnTop());
        QCOMPARE(player.windowTitle(), QStringLiteral("Zelk Player"));

        player.preferencesAction()->trigger();
        QWidget* preferences = preferencesWindow(plugins);
        QVERIFY(preferences);
        QVERIFY(preferences->isVisible());
        auto* onTop = control<QCheckBox>(plugins, "onTopCheckBox");
        QVERIFY(onTop);
        QCOMPARE(onTop->text(), QStringLiteral("Always display Zelk Player on top of other applications"));
        QVERIFY(onTop->isVisible());
        QVERIFY(!onTop->isChecked());

        QTest::mouseClick(onTop, Qt::LeftButton);
        QVERIFY(onTop->isChecked());
        QTest::ignoreMessage(QtInfoMsg, consumerLogLine);
        QTest::mouseClick(control<QPushButton>(plugins, "okButton"), Qt::LeftButton);

        const StoredValue stored = storedValue("Playback", "AlwaysOnTop");
        QVERIFY(stored.exists());
        QCOMPARE(stored.type, regDword);
        QCOMPARE(stored.asInt(), std::int64_t(1));
        QCOMPARE(consumerNotices.count, 1);
        QCOMPARE(consumerNotices.lastPayload.toString(), QStringLiteral("com.zelk.nimbo.plugin.PlayerSettingsConsumer"));
        QCOMPARE(player.settingsReloads(), 1);
        QVERIFY(player.alwaysOnTop());
        QVERIFY(player.alwaysOnTopAction()->isChecked());
        QVERIFY(player.isVisible());
        QTRY_VERIFY(!preferences->isVisible());

        // The player's own switch, with the preferences open again.
        player.preferencesAction()->trigger();
        QCOMPARE(preferencesWindow(plugins), preferences);
        QVERIFY(preferences->isVisible());
        QVERIFY(onTop->isChecked());
        player.alwaysOnTopAction()->trigger();
        QVERIFY(!player.alwaysOnTopAction()->isChecked());
        QVERIFY(!player.alwaysOnTop());
        QVERIFY(player.isVisible());
        QVERIFY(!onTop->isChecked());
        // Following the player is not an edit of the user's.
        QVERIFY(!control<QPushButton>(plugins, "applyButton")->isEnabled());
        QCOMPARE(storedValue("Playback", "AlwaysOnTop").asInt(), std::int64_t(0));
        QCOMPARE(consumerNotices.count, 1);
    }

    void playerStartsWithTheStoredAlwaysOnTop()
    {
        QVERIFY(storeBool("Playback", "AlwaysOnTop", true));
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        PlayerWindow player(plugins);
        QVERIFY(player.alwaysOnTop());
        QVERIFY(player.alwaysOnTopAction()->isChecked());
        QCOMPARE(player.settingsReloads(), 0);
    }

    void playbackPreferencesOpenOnThePlaybackPage()
    {
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        PlayerWindow player(plugins);
        player.playbackPreferencesAction()->trigger();
        QVERIFY(preferencesWindow(plugins)->isVisible());
        QCOMPARE(control<QListWidget>(plugins, "listBox")->currentRow(), 2);
        // "Preferences…" shows the window as it was left.
        player.preferencesAction()->trigger();
        QCOMPARE(control<QListWidget>(plugins, "listBox")->currentRow(), 2);
    }

    void advancedPageListsTheShippedVideoOutputs()
    {
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        PlayerWindow player(plugins);
        QVERIFY(player.openPreferences(4));
        auto* outputs = control<QComboBox>(plugins, "videoOutputMethodComboBox");
        QVERIFY(outputs->isVisible());
        QStringList texts, data;
        for (int i = 0; i < outputs->count(); ++i) {
            texts << outputs->itemText(i);
            data << outputs->itemData(i).toString();
        }
        QCOMPARE(texts, (QStringList{QStringLiteral("Best Available"), QStringLiteral("OpenGL"),
                                     QStringLiteral("Software"), QStringLiteral("XVideo")}));
        QCOMPARE(data, (QStringList{QStringLiteral("<best>"), QStringLiteral("com.zelk.streamengine.output.opengl"),
                                    QStringLiteral("com.zelk.streamengine.output.software"),
                                    QStringLiteral("com.zelk.streamengine.output.xvideo")}));
    }

    void quittingOffersToSaveUnsavedPreferences_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Save") << int(QMessageBox::Save) << true;
        QTest::newRow("Discard") << int(QMessageBox::Discard) << false;
    }

    void quittingOffersToSaveUnsavedPreferences()
    {
        QFETCH(int, answer);
        QFETCH(bool, saved);
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        QCOMPARE(plugins.startSettingsConsumers(nullptr), 1);
        MessageCounter consumerNotices(ZelkNimbo::HubMessages::PlayerSettingsChanged);
        PlayerWindow player(plugins);
        player.show();
        player.preferencesAction()->trigger();
        QTest::mouseClick(control<QCheckBox>(plugins, "onTopCheckBox"), Qt::LeftButton);

        ModalAnswerer question(ModalAnswerer::press(QMessageBox::StandardButton(answer)));
        if (saved)
            QTest::ignoreMessage(QtInfoMsg, consumerLogLine);
        player.quitAction()->trigger();
        QVERIFY(question.shown());
        QCOMPARE(question.title(), QStringLiteral("Save changes?"));
        QVERIFY(plugins.hasShutDown());
        QVERIFY(!player.isVisible());
        QVERIFY(!preferencesWindow(plugins)->isVisible());
        QCOMPARE(storedValue("Playback", "AlwaysOnTop").exists(), saved);
        QCOMPARE(consumerNotices.count, saved ? 1 : 0);
    }

    // A running player builds the preferences window while nobody uses it
    // (hidden, laid out, with its native window); "Preferences…" then shows
    // that same window.
    void thePreferencesWindowIsBuiltAheadAndShownWhenAskedFor()
    {
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        QWidget* builtAhead = nullptr;
        bool shownAsBuilt = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            QWidget* window = preferencesWindow(plugins);
            if (!window || !window->testAttribute(Qt::WA_WState_Created))
                return;
            watch.stop();
            builtAhead = window->isVisible() ? nullptr : window;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (auto* player = qobject_cast<PlayerWindow*>(top)) {
                    player->preferencesAction()->trigger();
                    shownAsBuilt = preferencesWindow(plugins) == builtAhead && builtAhead->isVisible()
                                   && builtAhead->size() == builtAhead->sizeHint();
                    player->quitAction()->trigger();
                }
            }
        });
        watch.start(10);
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, this, [] { QCoreApplication::exit(3); });
        guard.start(10000);

        QCOMPARE(ZelkShell::runPlayer(plugins, ZelkShell::ShellOptions()), 0);
        QVERIFY(builtAhead);
        QVERIFY(shownAsBuilt);
    }

    // The restart prompt's Yes ends the event loop the player runs, after the
    // save has written everything; the plug-ins are shut down on the way out.
    void restartPromptYesEndsThePlayerAfterTheSave()
    {
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        ZelkShell::ShellOptions options;
        options.openPreferences = true;
        options.page = 4;

        ModalAnswerer restart(ModalAnswerer::press(QMessageBox::Yes), 8000);
        bool pressedOk = false;
        QTimer chooseOutput;
        chooseOutput.setSingleShot(true);
        connect(&chooseOutput, &QTimer::timeout, this, [&] {
            auto* outputs = control<QComboBox>(plugins, "videoOutputMethodComboBox");
            auto* ok = control<QPushButton>(plugins, "okButton");
            if (!outputs || !ok)
                return;
            outputs->setCurrentIndex(outputs->findText(QStringLiteral("XVideo")));
            pressedOk = true;
            ok->click();
        });
        chooseOutput.start(0);
        bool timedOut = false;
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, this, [&] {
            timedOut = true;
            QCoreApplication::exit(3);
        });
        guard.start(10000);

        QTest::ignoreMessage(QtInfoMsg, consumerLogLine);
        const int status = ZelkShell::runPlayer(plugins, options);
        QVERIFY(!timedOut);
        QCOMPARE(status, 0);
        QVERIFY(pressedOk);
        QVERIFY(restart.shown());
        QCOMPARE(restart.title(), QStringLiteral("Restart Zelk Player"));
        QCOMPARE(storedValue("Video", "VideoOutputMethod").asString(), QStringLiteral("com.zelk.streamengine.output.xvideo"));
        // Written after the video output method: the save ran to its end.
        QVERIFY(storedValue("Video", "HardwareDecodingDisabled").exists());
        QVERIFY(storedValue("OSD", "OSDFont").exists());
        QVERIFY(plugins.hasShutDown());
        QVERIFY(!preferencesWindow(plugins)->isVisible());
    }
};

QTEST_MAIN(PlayerShellTest)
#include "player_shell_test.moc"
