// Loads one plug-in through the host context, the way the player does, and
// shows its window until it is closed.

#include "framework/Plugin.h"
#include "framework/PluginResult.h"
#include "host/HostPluginContext.h"
#include "plugin/HostInterfaces.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMetaObject>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelk-plugin-runner"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Loads a plug-in module through the plug-in framework and shows its window."));
    parser.addHelpOption();
    QCommandLineOption pluginsOption(QStringLiteral("plugins"), QStringLiteral("Folder of plug-in descriptors."),
                                     QStringLiteral("dir"), QStringLiteral(ZELK_BUILD_PLUGIN_DIR));
    QCommandLineOption idOption(QStringLiteral("id"), QStringLiteral("Id of the plug-in to show."),
                                QStringLiteral("id"), QStringLiteral("com.zelk.nimbo.plugin.Preferences"));
    parser.addOption(pluginsOption);
    parser.addOption(idOption);
    parser.process(app);

    QTextStream err(stderr);
    ZelkHost::HostPluginContext context;
    if (context.addPluginDirectory(Okto::String(parser.value(pluginsOption).toUtf8().constData())) != Okto::PluginSuccess) {
        err << "zelk-plugin-runner: " << QString::fromStdString(context.lastError().toStdString()) << "\n";
        return 1;
    }
    Okto::Plugin* plugin = nullptr;
    if (context.createPlugin(Okto::String(parser.value(idOption).toUtf8().constData()), &plugin) != Okto::PluginSuccess) {
        err << "zelk-plugin-runner: " << QString::fromStdString(context.lastError().toStdString()) << "\n";
        return 1;
    }

    void* menu = nullptr;
    if (plugin->queryInterface(Okto::String(ZelkNimbo::InterfaceId::Menu), &menu) != Okto::PluginSuccess || !menu) {
        err << "zelk-plugin-runner: the plug-in has no window\n";
        plugin->release();
        return 1;
    }
    QObject* window = static_cast<ZelkNimbo::MenuInterface*>(menu)->menuObject();
    QMetaObject::invokeMethod(window, "showPreferences");

    const int status = app.exec();
    plugin->release();
    // Let a release the window queued on its close run before the modules go.
    QApplication::processEvents();
    return status;
}
