// What the player pays for its preferences window, each against a floor
// measured in the same run:
//
// - opening: `_getPlugin` to a constructed object with every setting loaded,
//   against building the same form alone (a QWidget and setupUi);
// - saving: one save() of every setting, with none and with every value
//   changed since the last save, against writing the same values with
//   QSettings (INI format) followed by sync();
// - memory: resident memory added by creating (and then showing) the window
//   in a fresh process, against the form alone in another fresh process;
//   once in a host that has not touched the registry before, once in one
//   that read the stored settings first, as the player does at start.
//
//   player_shell_bench [rounds]        (offscreen unless QT_QPA_PLATFORM is set)
//
// The registry, home and configuration folders are temporary. The memory
// figures come from child runs of this program
// ("--memory window|form [player]").

#include "ResidentMemory.h"
#include "StoredSettings.h"

#include "framework/Plugin.h"
#include "framework/PluginResult.h"
#include "host/HostPluginContext.h"
#include "host/ModuleLoader.h"
#include "host/library/ZNBLibrary.h"
#include "plugin/HostInterfaces.h"
#include "ui/PreferencesForm.h"

#include <QApplication>
#include <QComboBox>
#include <QMetaObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using GetPluginFunction = int (*)(Okto::PluginContext*, Okto::Plugin**);

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Microseconds taken by `op`.
double timed(const std::function<void()>& op)
{
    const auto start = Clock::now();
    op();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// A preferences window created straight through the module's entry point.
struct Window {
    Okto::Plugin* plugin = nullptr;
    QWidget* widget = nullptr;
};

Window createWindow(GetPluginFunction getPlugin, Okto::PluginContext* context)
{
    Window window;
    getPlugin(context, &window.plugin);
    void* menu = nullptr;
    if (window.plugin && window.plugin->queryInterface(Okto::String(ZelkNimbo::InterfaceId::Menu), &menu) == 0 && menu)
        window.widget = qobject_cast<QWidget*>(static_cast<ZelkNimbo::MenuInterface*>(menu)->menuObject());
    if (!window.widget) {
        std::fprintf(stderr, "the preferences window could not be created\n");
        std::exit(1);
    }
    return window;
}

// The host's reference, then the window's own through a close.
void destroyWindow(Window& window)
{
    window.plugin->release();
    QMetaObject::invokeMethod(window.widget, "closeDiscard", Qt::DirectConnection);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    window = Window();
}

void setPrivateFolder(const QTemporaryDir& root, const char* variable, const char* name)
{
    const QString path = root.filePath(QLatin1String(name));
    QDir().mkpath(path);
    qputenv(variable, path.toUtf8());
}

// One fresh process's resident memory (KiB) before a window (`what`:
// "window", the plug-in's; "form", the bare form), after creating it and
// after showing it, and the time creating it took (microseconds): the first
// window of a process, with nothing cached yet. Printed as four numbers.
int reportMemoryOf(const char* what, bool settingsReadFirst, GetPluginFunction getPlugin,
                   Okto::PluginContext* context)
{
    // The player reads its stored settings at start, through the same
    // registry, long before anyone opens the preferences.
    if (settingsReadFirst && zelkbench::readStoredSettings(ZelkNimbo::OSUtilities::getComponentIdUTF8()).isEmpty())
        return 1;
    const long before = zelkbench::residentKiB();
    QWidget* shown = nullptr;
    Window window;
    Ui::PreferencesDialog form;
    double createdUs = 0;
    if (qstrcmp(what, "window") == 0) {
        createdUs = timed([&] { window = createWindow(getPlugin, context); });
        shown = window.widget;
    } else {
        createdUs = timed([&] {
            shown = new QWidget;
            form.setupUi(shown);
        });
    }
    const long created = zelkbench::residentKiB();
    shown->show();
    QCoreApplication::processEvents();
    const long afterShow = zelkbench::residentKiB();
    std::printf("%ld %ld %ld %.1f\n", before, created, afterShow, createdUs);
    if (window.plugin)
        destroyWindow(window);
    else
        delete shown;
    return 0;
}

struct MemoryDelta {
    long created = 0;     // KiB added by creating
    long shown = 0;       // KiB added by showing, after creating
    double createdUs = 0; // time creating it took, the process's first
};

// The median over `runs` child processes of `--memory what [player]`.
MemoryDelta memoryOf(const char* what, bool asInThePlayer, int runs)
{
    std::vector<long> created, shown;
    std::vector<double> createdUs;
    for (int run = 0; run < runs; ++run) {
        QProcess child;
        QStringList arguments{QStringLiteral("--memory"), QLatin1String(what)};
        if (asInThePlayer)
            arguments << QStringLiteral("player");
        child.start(QCoreApplication::applicationFilePath(), arguments);
        if (!child.waitForFinished(60000) || child.exitCode() != 0)
            continue;
        const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
        if (fields.size() != 4)
            continue;
        created.push_back(fields[1].toLong() - fields[0].toLong());
        shown.push_back(fields[2].toLong() - fields[1].toLong());
        createdUs.push_back(fields[3].toDouble());
    }
    if (created.empty())
        return {-1, -1, 0};
    std::sort(created.begin(), created.end());
    std::sort(shown.begin(), shown.end());
    return {created[created.size() / 2], shown[shown.size() / 2], median(createdUs)};
}

void printRow(const char* what, double measuredUs, double floorUs, const char* floorName)
{
    std::printf("%-48s %10.1f %10.1f %7.3f   (floor: %s)\n", what, measuredUs, floorUs, measuredUs / floorUs, floorName);
}

} // namespace

int main(int argc, char** argv)
{
    // A child run works in its parent's folders (inherited through the
    // environment), so its window loads the settings the parent stored.
    const bool memoryChild = (argc == 3 || argc == 4) && qstrcmp(argv[1], "--memory") == 0;
    QTemporaryDir root;
    if (!root.isValid())
        return 1;
    if (!memoryChild) {
        setPrivateFolder(root, "ZELK_REGISTRY_DIR", "registry");
        setPrivateFolder(root, "HOME", "home");
        setPrivateFolder(root, "XDG_CONFIG_HOME", "config");
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int rounds = argc > 1 && !memoryChild ? std::max(3, std::atoi(argv[1])) : 31;

    QApplication app(argc, argv);

    // The player's plug-in folders, so the window lists the video outputs and
    // a save notifies the settings consumer, as in the player.
    ZelkHost::HostPluginContext context;
    context.addPluginDirectory(Okto::String(ZELK_BENCH_PLUGIN_DIR));
    context.addPluginDirectory(Okto::String(ZELK_BENCH_SAMPLE_PLUGIN_DIR));
    Okto::Plugin* consumer = nullptr;
    if (context.createPlugin(Okto::String("com.zelk.nimbo.plugin.PlayerSettingsConsumer"), &consumer) != 0) {
        std::fprintf(stderr, "%s\n", context.lastError().toStdString().c_str());
        return 1;
    }
    ZelkHost::LoadedModule module;
    std::string error;
    if (!module.load(ZELK_BENCH_PLUGIN_DIR "/ZNBPreferencesPlugin" + ZelkHost::moduleSuffix(), &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    auto getPlugin = reinterpret_cast<GetPluginFunction>(module.symbol("_getPlugin", &error));
    if (!getPlugin) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    if (memoryChild) {
        const int status = reportMemoryOf(argv[2], argc == 4, getPlugin, &context);
        consumer->release();
        return status;
    }

    // Store every setting once, so loading reads stored values, not defaults;
    // with a frame rate chosen, a save writes all but the video output method
    // (written only when it changed, after the restart prompt).
    Window first = createWindow(getPlugin, &context);
    first.widget->findChild<QComboBox*>(QStringLiteral("subtitleFrameRateComboBox"))->setCurrentIndex(0);
    QMetaObject::invokeMethod(first.widget, "save", Qt::DirectConnection);
    const QList<zelkbench::StoredSetting> stored = zelkbench::readStoredSettings(ZelkNimbo::OSUtilities::getComponentIdUTF8());
    if (stored.isEmpty()) {
        std::fprintf(stderr, "the save stored nothing\n");
        return 1;
    }

    // Opening, against the form alone; alternated so drift hits both alike.
    std::vector<double> openUs, formUs;
    for (int round = 0; round < rounds; ++round) {
        Window window;
        openUs.push_back(timed([&] { window = createWindow(getPlugin, &context); }));
        destroyWindow(window);

        QWidget* bare = nullptr;
        Ui::PreferencesDialog form;
        formUs.push_back(timed([&] {
            bare = new QWidget(nullptr, Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::CustomizeWindowHint
                                            | Qt::WindowCloseButtonHint);
            form.setupUi(bare);
        }));
        delete bare;
        QCoreApplication::processEvents();
    }

    // Saving, against the same values through QSettings. A save usually
    // finds most values as stored (the store then writes nothing for them);
    // the worst case is a save in which every value differs from the stored
    // one, prepared (untimed) by changing every stored value first.
    QSettings ini(root.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    const std::string componentId = ZelkNimbo::OSUtilities::getComponentIdUTF8();
    std::vector<double> saveUs, changedSaveUs, iniUs;
    for (int round = 0; round < rounds; ++round) {
        saveUs.push_back(timed([&] { QMetaObject::invokeMethod(first.widget, "save", Qt::DirectConnection); }));
        if (!zelkbench::disturbStoredSettings(componentId)) {
            std::fprintf(stderr, "could not change the stored values\n");
            return 1;
        }
        changedSaveUs.push_back(
            timed([&] { QMetaObject::invokeMethod(first.widget, "save", Qt::DirectConnection); }));
        iniUs.push_back(timed([&] {
            for (const zelkbench::StoredSetting& setting : stored)
                ini.setValue(setting.section + QLatin1Char('/') + setting.name, setting.value);
            ini.sync();
        }));
    }
    if (zelkbench::readStoredSettings(componentId).size() != stored.size()) {
        std::fprintf(stderr, "the saves did not keep every value\n");
        return 1;
    }
    if (ini.status() != QSettings::NoError) {
        std::fprintf(stderr, "QSettings could not write its file\n");
        return 1;
    }

    destroyWindow(first);
    consumer->release();
    const int memoryRuns = 7;
    const MemoryDelta windowMemory = memoryOf("window", false, memoryRuns);
    const MemoryDelta formMemory = memoryOf("form", false, memoryRuns);
    const MemoryDelta playerWindowMemory = memoryOf("window", true, memoryRuns);
    const MemoryDelta playerFormMemory = memoryOf("form", true, memoryRuns);

    std::printf("Player shell: the preferences window (median of %d rounds, microseconds)\n", rounds);
    std::printf("%-48s %10s %10s %7s\n", "operation", "us", "floor us", "ratio");
    printRow("open: _getPlugin to a loaded window", median(openUs), median(formUs), "QWidget + setupUi");
    printRow("open: the first window of a fresh process", windowMemory.createdUs, formMemory.createdUs,
             "the first QWidget + setupUi of a fresh process");
    const QString iniName = QStringLiteral("QSettings INI, %1 values + sync()").arg(stored.size());
    printRow(qPrintable(QStringLiteral("save: %1 values, none changed").arg(stored.size())), median(saveUs),
             median(iniUs), qPrintable(iniName));
    printRow(qPrintable(QStringLiteral("save: %1 values, every one changed").arg(stored.size())),
             median(changedSaveUs), median(iniUs), qPrintable(iniName));
    std::printf("\nResident memory added, KiB (median of %d fresh processes each)\n", memoryRuns);
    std::printf("%-48s %10s %10s\n", "", "created", "shown");
    std::printf("%-48s %10ld %10ld\n", "preferences window (_getPlugin, settings loaded)", windowMemory.created,
                windowMemory.shown);
    std::printf("%-48s %10ld %10ld\n", "form alone (QWidget + setupUi)", formMemory.created, formMemory.shown);
    std::printf("in a host that read the stored settings first, as the player does at start:\n");
    std::printf("%-48s %10ld %10ld\n", "preferences window", playerWindowMemory.created, playerWindowMemory.shown);
    std::printf("%-48s %10ld %10ld\n", "form alone", playerFormMemory.created, playerFormMemory.shown);
    return windowMemory.created < 0 || formMemory.created < 0 || playerWindowMemory.created < 0
                   || playerFormMemory.created < 0
               ? 1
               : 0;
}
