// The preferences module as the player sees it: loaded through the host
// context, held through its framework interface, reached by interface ids.

#include "framework/Plugin.h"
#include "framework/PluginInfo.h"
#include "framework/PluginResult.h"
#include "host/HostPluginContext.h"
#include "plugin/HostInterfaces.h"

#include "IsolatedEnvironment.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QWidget>
#include <QWindow>
#include <QtTest>

#include <vector>

using ZelkHost::HostPluginContext;

namespace {

const char preferencesId[] = "com.zelk.nimbo.plugin.Preferences";

struct Notice {
    HostPluginContext::Event event;
    Okto::Plugin* plugin;
};

} // namespace

class PluginModuleTest : public QObject {
    Q_OBJECT

private:
    HostPluginContext* context = nullptr;
    std::vector<Notice> notices;

    Okto::Plugin* create()
    {
        Okto::Plugin* plugin = nullptr;
        const int result = context->createPlugin(Okto::String(preferencesId), &plugin);
        if (result != Okto::PluginSuccess)
            qWarning("createPlugin: %s", context->lastError().data());
        return plugin;
    }

    static QWidget* windowOf(Okto::Plugin* plugin)
    {
        void* menu = nullptr;
        plugin->queryInterface(Okto::String(ZelkNimbo::InterfaceId::Menu), &menu);
        return menu ? qobject_cast<QWidget*>(static_cast<ZelkNimbo::MenuInterface*>(menu)->menuObject()) : nullptr;
    }

    int countOf(HostPluginContext::Event event, Okto::Plugin* plugin) const
    {
        int n = 0;
        for (const Notice& notice : notices)
            n += notice.event == event && notice.plugin == plugin;
        return n;
    }

private slots:
    void init()
    {
        notices.clear();
        context = new HostPluginContext;
        context->setLifecycleObserver([this](HostPluginContext::Event event, Okto::Plugin* plugin) {
            notices.push_back({event, plugin});
        });
        QCOMPARE(context->addPluginDirectory(Okto::String(ZELK_TEST_PLUGIN_DIR)), int(Okto::PluginSuccess));
    }

    void cleanup()
    {
        QCoreApplication::processEvents();
        QCOMPARE(context->livePluginCount(), 0);
        delete context;
        context = nullptr;
    }

    void entryPointRejectsMissingOutput()
    {
        ZelkHost::LoadedModule module;
        std::string error;
        QVERIFY(module.load(ZELK_TEST_PLUGIN_DIR "/ZNBPreferencesPlugin.so", &error));
        using GetPlugin = int (*)(Okto::PluginContext*, Okto::Plugin**);
        auto getPlugin = reinterpret_cast<GetPlugin>(module.symbol("_getPlugin", &error));
        QVERIFY(getPlugin);
        const int windowsBefore = QApplication::topLevelWidgets().size();
        QCOMPARE(getPlugin(context, nullptr), int(Okto::PluginMissingOutput));
        QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore);
    }

    void moduleLoadedByPathHasNoDescriptor()
    {
        Okto::Plugin* plugin = nullptr;
        QCOMPARE(context->createPluginFromModule(Okto::String(ZELK_TEST_PLUGIN_DIR "/ZNBPreferencesPlugin.so"), &plugin),
                 int(Okto::PluginSuccess));
        QVERIFY(plugin);
        QCOMPARE(plugin->info(), nullptr);
        QCOMPARE(plugin->retainCount(), 2);
        QCOMPARE(context->livePluginCount(), 1);
        QCOMPARE(context->createPluginFromModule(Okto::String(ZELK_TEST_PLUGIN_DIR "/absent.so"), nullptr),
                 int(Okto::PluginMissingOutput));
        Okto::Plugin* none = nullptr;
        QCOMPARE(context->createPluginFromModule(Okto::String(ZELK_TEST_PLUGIN_DIR "/absent.so"), &none),
                 int(Okto::PluginNotFound));
        QCOMPARE(none, nullptr);
        QWidget* window = windowOf(plugin);
        plugin->release();
        window->close();
    }

    void newObjectHoldsTwoReferencesAndItsInfo()
    {
        Okto::Plugin* plugin = create();
        QVERIFY(plugin);
        QCOMPARE(plugin->retainCount(), 2);
        QCOMPARE(plugin->context(), static_cast<Okto::PluginContext*>(context));
        QVERIFY(plugin->info());
        QCOMPARE(plugin->info()->id.toStdString(), std::string(preferencesId));
        QCOMPARE(context->livePluginCount(), 1);

        QWidget* window = windowOf(plugin);
        QVERIFY(window);
        QVERIFY(!window->isVisible());
        QVERIFY(window->isWindow());
        QCOMPARE(window->parentWidget(), nullptr);
        // The hints it was built with, the help button off, a fixed size.
        const auto hints = int(window->windowFlags()) & ~int(Qt::WindowType_Mask);
        QCOMPARE(hints, 0x0A003000 | 0x00000100);

        QCOMPARE(plugin->release(), 1);
        window->close();
        QCoreApplication::processEvents();
        QCOMPARE(countOf(HostPluginContext::Event::WillDestroy, plugin), 1);
    }

    void hostReleaseThenCloseDestroysInNextTurn()
    {
        Okto::Plugin* plugin = create();
        QWidget* window = windowOf(plugin);
        QMetaObject::invokeMethod(window, "showPreferences");
        QVERIFY(window->isVisible());

        QCOMPARE(plugin->release(), 1); // the window's own reference keeps it
        QVERIFY(notices.empty());

        QPointer<QWidget> watch(window);
        QVERIFY(window->close());
        QVERIFY(watch);              // not during the close itself
        QVERIFY(notices.empty());
        QCoreApplication::processEvents();
        QVERIFY(!watch);
        QCOMPARE(countOf(HostPluginContext::Event::WillDestroy, plugin), 1);
        QCOMPARE(countOf(HostPluginContext::Event::DidDestroy, plugin), 1);
        QCOMPARE(int(notices.size()), 2);
        QCOMPARE(notices[0].event, HostPluginContext::Event::WillDestroy);
        QCOMPARE(notices[1].event, HostPluginContext::Event::DidDestroy);
    }

    void interfaceIdsReachTheSameObject()
    {
        Okto::Plugin* plugin = create();
        void* menu = nullptr;
        void* shutdown = nullptr;
        void* preferences = nullptr;
        QCOMPARE(plugin->queryInterface(Okto::String(ZelkNimbo::InterfaceId::Menu), &menu), 0);
        QCOMPARE(plugin->queryInterface(Okto::String(ZelkNimbo::InterfaceId::Shutdown), &shutdown), 0);
        QCOMPARE(plugin->queryInterface(Okto::String(ZelkNimbo::InterfaceId::Preferences), &preferences), 0);
        QVERIFY(menu && shutdown && preferences);
        QVERIFY(menu != shutdown && shutdown != preferences && menu != preferences);
        QCOMPARE(plugin->retainCount(), 2); // queries do not retain

        QObject* object = static_cast<ZelkNimbo::MenuInterface*>(menu)->menuObject();
        QCOMPARE(object->qt_metacast("ZelkNimbo::MenuInterface"), menu);
        QCOMPARE(object->qt_metacast("ZelkNimbo::ShutdownInterface"), shutdown);
        QCOMPARE(object->qt_metacast("ZelkNimbo::ZNBPreferencesPluginInterface"), preferences);
        QCOMPARE(object->qt_metacast("Okto::Plugin"), static_cast<void*>(plugin));
        QCOMPARE(object->qt_metacast("ZelkNimbo::ZNBPreferencesPlugin"), static_cast<void*>(object));
        QCOMPARE(object->qt_metacast("QWidget"), static_cast<void*>(qobject_cast<QWidget*>(object)));
        QCOMPARE(object->qt_metacast("Unknown"), nullptr);
        QCOMPARE(QByteArray(object->metaObject()->className()), QByteArray("ZelkNimbo::ZNBPreferencesPlugin"));

        plugin->release();
        static_cast<ZelkNimbo::ShutdownInterface*>(shutdown)->shutdown();
    }

    void metaObjectDeclaresTheSlotTable()
    {
        Okto::Plugin* plugin = create();
        const QMetaObject* meta = windowOf(plugin)->metaObject();
        const QByteArrayList expected{
            "reset()", "save()", "closeSave()", "closeDiscard()", "showPreferences()", "settingChanged()",
            "preferenceUpdated(QString,QVariant)", "pickMediaFolder()", "pickDefaultOpenLocation()",
            "defaultOpenLocationChanged()", "postProcessingModeChanged(int)", "resetBrightness()", "resetContrast()",
            "resetSaturation()", "pickSubtitleFont()", "pickSubtitleTextColor()", "pickSubtitleOutlineColor()",
            "renderSubtitleExample()", "releaseLater()",
        };
        QByteArrayList declared;
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            const QMetaMethod method = meta->method(i);
            QCOMPARE(method.methodType(), QMetaMethod::Slot);
            QCOMPARE(method.access(), QMetaMethod::Public);
            declared << method.methodSignature();
        }
        QCOMPARE(declared, expected);
        QCOMPARE(meta->method(meta->indexOfSlot("preferenceUpdated(QString,QVariant)")).parameterNames(),
                 (QByteArrayList{"message", "prefId"}));
        plugin->release();
        windowOf(plugin)->close();
    }

    void unknownIdsAnswerNotSupported_data()
    {
        QTest::addColumn<QByteArray>("id");
        QTest::newRow("settings consumer") << QByteArray(ZelkNimbo::InterfaceId::SettingsConsumer);
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("wrong case") << QByteArray("com.zelk.nimbo.pluginInterface.menu");
        QTest::newRow("prefix") << QByteArray("com.zelk.nimbo.pluginInterface.Men");
    }

    void unknownIdsAnswerNotSupported()
    {
        QFETCH(QByteArray, id);
        Okto::Plugin* plugin = create();
        void* out = reinterpret_cast<void*>(0x1);
        QCOMPARE(plugin->queryInterface(Okto::String(id.constData()), &out), int(Okto::PluginNotFound));
        QCOMPARE(out, nullptr);
        QCOMPARE(plugin->queryInterface(Okto::String(), &out), int(Okto::PluginNotFound));
        QCOMPARE(plugin->queryInterface(Okto::String(ZelkNimbo::InterfaceId::Menu), nullptr), int(Okto::PluginMissingOutput));
        plugin->release();
        windowOf(plugin)->close();
    }

    void repeatedClosesGiveTheWindowReferenceBackOnce()
    {
        Okto::Plugin* plugin = create();
        QWidget* window = windowOf(plugin);
        window->show();
        window->close();
        window->close();
        QCoreApplication::processEvents();
        QCOMPARE(plugin->retainCount(), 1);

        // The shutdown interface after the user closed the window.
        void* shutdown = nullptr;
        plugin->queryInterface(Okto::String(ZelkNimbo::InterfaceId::Shutdown), &shutdown);
        static_cast<ZelkNimbo::ShutdownInterface*>(shutdown)->shutdown();
        QCoreApplication::processEvents();
        QCOMPARE(plugin->retainCount(), 1);
        QVERIFY(notices.empty());

        // Showing again takes a new window reference, closing gives it back.
        QMetaObject::invokeMethod(window, "showPreferences");
        QCOMPARE(plugin->retainCount(), 2);
        window->close();
        QCoreApplication::processEvents();
        QCOMPARE(plugin->retainCount(), 1);

        // A show between a close and its queued release keeps the window's reference.
        QMetaObject::invokeMethod(window, "showPreferences");
        window->close();
        QMetaObject::invokeMethod(window, "showPreferences");
        QCoreApplication::processEvents();
        QCOMPARE(plugin->retainCount(), 2);
        QVERIFY(window->isVisible());

        QCOMPARE(plugin->release(), 1);
        window->close();
        QCoreApplication::processEvents();
        QCOMPARE(countOf(HostPluginContext::Event::DidDestroy, plugin), 1);
    }

    // Closed from the title bar while another window is shown, the window is
    // hidden with its native window kept, so that opening it again only maps
    // it; the window's reference goes back as with any close. As the last
    // window shown it closes the way Qt closes windows.
    void titleBarCloseKeepsTheNativeWindowWhileAnotherIsShown()
    {
        Okto::Plugin* plugin = create();
        QWidget* window = windowOf(plugin);
        QWidget player;
        player.show();
        const auto closeFromTitleBar = [window] {
            // What the window system's close request becomes: a close event
            // to the native window, which the widget sees as spontaneous.
            QCloseEvent request;
            QCoreApplication::sendEvent(window->windowHandle(), &request);
        };

        QMetaObject::invokeMethod(window, "showPreferences");
        const WId native = window->winId();
        closeFromTitleBar();
        QVERIFY(!window->isVisible());
        QVERIFY(window->windowHandle()->handle());
        QCoreApplication::processEvents();
        QCOMPARE(plugin->retainCount(), 1);
        QMetaObject::invokeMethod(window, "showPreferences");
        QVERIFY(window->isVisible());
        QCOMPARE(window->winId(), native);
        QCOMPARE(plugin->retainCount(), 2);

        player.hide();
        closeFromTitleBar();
        QVERIFY(!window->isVisible());
        QVERIFY(!window->windowHandle() || !window->windowHandle()->handle());
        QCOMPARE(plugin->release(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(countOf(HostPluginContext::Event::DidDestroy, plugin), 1);
    }

    void playbackPreferencesShowsTheWindow()
    {
        Okto::Plugin* plugin = create();
        void* preferences = nullptr;
        plugin->queryInterface(Okto::String(ZelkNimbo::InterfaceId::Preferences), &preferences);
        static_cast<ZelkNimbo::ZNBPreferencesPluginInterface*>(preferences)->showPlaybackPreferences();
        QWidget* window = windowOf(plugin);
        QVERIFY(window->isVisible());
        plugin->release();
        window->close();
    }

    void hostShutdownClosesLiveWindows()
    {
        Okto::Plugin* plugin = create();
        QWidget* window = windowOf(plugin);
        window->show();
        QCOMPARE(context->shutdownPlugins(), int(Okto::PluginSuccess));
        QVERIFY(!window->isVisible());
        QCOMPARE(plugin->release(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(countOf(HostPluginContext::Event::DidDestroy, plugin), 1);
    }
};

QTEST_MAIN(PluginModuleTest)
#include "plugin_module_test.moc"
