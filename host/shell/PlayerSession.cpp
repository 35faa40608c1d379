#include "host/shell/PlayerSession.h"

#include "host/shell/PlayerWindow.h"
#include "host/shell/PluginHost.h"
#include "host/shell/ShellOptions.h"

#include <QApplication>

namespace ZelkShell {

int runPlayer(PluginHost& plugins, const ShellOptions& options)
{
    QStringList consumerErrors;
    plugins.startSettingsConsumers(&consumerErrors);
    for (const QString& error : consumerErrors)
        qWarning("zelk-player: a settings consumer did not start: %s", qUtf8Printable(error));

    PlayerWindow window(plugins);
    window.showRequestedFiles(options.files);
    window.show();
    // A window that cannot open is reported on stderr and in the status bar.
    if (options.openPreferences)
        window.openPreferences(options.page);
    const int status = QApplication::exec();
    plugins.shutdownPlugins();
    return status;
}

} // namespace ZelkShell
