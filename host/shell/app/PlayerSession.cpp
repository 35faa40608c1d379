#include "host/shell/app/PlayerSession.h"

#include "host/shell/window/PlayerWindow.h"
#include "host/shell/plugins/PluginHost.h"
#include "host/shell/app/InstalledPaths.h"
#include "host/shell/app/ShellOptions.h"
#include "host/shell/video/VideoSurface.h"
#include "host/shell/engine/PlaybackEngine.h"
#include "host/shell/window/DownloadsView.h"
#include "host/shell/window/PlayerViews.h"
#include "host/shell/mpris/MediaPlayerRemote.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QTimer>

#include <cstdio>

namespace ZelkShell {

namespace {

// After the start-up, while the user has not yet asked for anything, the
// preferences window is built (about 10 ms of the GUI thread, in three
// steps), so that Ctrl+P only maps it. The window then stays for the session
// (about 3.5 MiB), as it does once opened.
const int preferencesBuildDelayMs = 250;

void buildPreferencesAhead(PluginHost& plugins)
{
    QString error;
    // Opening the window tries again and reports the reason then.
    if (!plugins.buildPreferencesAhead(&error))
        qWarning("zelk-player: the preferences window was not built ahead: %s", qUtf8Printable(error));
}

} // namespace

PlayerExit runPlayerSession(PluginHost& plugins, const ShellOptions& options, const QStringList& arguments)
{
    QStringList consumerErrors;
    plugins.startSettingsConsumers(&consumerErrors);
    for (const QString& error : consumerErrors)
        qWarning("zelk-player: a settings consumer did not start: %s", qUtf8Printable(error));

    PlayerWindow window(plugins);
    // The desktop's media keys and controls (a child of the window).
    new MediaPlayerRemote(window, InstalledPaths::videoMimeTypes());
    if (options.quitOnFirstFrame) {
        QObject::connect(&window.videoSurface(), &VideoSurface::videoFrameShown, &window, [&window] {
            if (!window.engine().hasFile() || window.quitRequested())
                return;
            // The benchmark times the arrival of this line; the restart test
            // reads where playback stands.
            std::printf("first-frame %.3f %s\n", window.engine().position(),
                        window.engine().isPaused() ? "paused" : "playing");
            std::fflush(stdout);
            window.close();
        });
    }
    // The engine opens the file on its own threads while the window maps.
    // Started without a file, the video left open at the last quit, if asked.
    window.whenVideoAreaReady([&window, &options, &plugins] {
        if (options.files.isEmpty())
            window.reopenLastVideo();
        else
            window.playFiles(options.files, options.startSeconds, options.startPaused);
        if (!options.preferencesOnDemand)
            QTimer::singleShot(preferencesBuildDelayMs, &window, [&plugins] { buildPreferencesAhead(plugins); });
    });
    // Refused addresses are named in the download view and here.
    for (const QString& address : options.downloads) {
        if (!window.views().downloadsView()->addAddress(address))
            std::fprintf(stderr, "zelk-player: %s\n",
                         qUtf8Printable(window.views().downloadsView()->statusLabel()->text()));
    }
    window.show();
    // A window that cannot open is reported on stderr and in the status bar.
    if (options.openPreferences)
        window.openPreferences(options.page);

    PlayerExit exit;
    exit.status = QApplication::exec();
    // Told to quit by someone else (the restart prompt answered Yes): come
    // back where playback stands now.
    if (exit.status == 0 && !window.quitRequested()) {
        const PlaybackEngine& engine = window.engine();
        exit.restart = true;
        exit.restartArguments = restartArguments(arguments, engine.hasFile() ? engine.currentFile() : QString(),
                                                 engine.position(), engine.isPaused(), window.queuedFiles());
    }
    plugins.shutdownPlugins();
    return exit;
}

int runPlayer(PluginHost& plugins, const ShellOptions& options)
{
    return runPlayerSession(plugins, options).status;
}

QStringList restartArguments(const QStringList& arguments, const QString& file, double seconds, bool paused,
                             const QStringList& queued)
{
    // Only the options that say where to find things carry over.
    QStringList kept;
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--plugins") && i + 1 < arguments.size()) {
            kept << arguments.at(i) << arguments.at(i + 1);
            ++i;
        }
    }
    if (file.isEmpty())
        return kept;
    kept << QStringLiteral("--start") << QString::number(seconds, 'f', 3);
    if (paused)
        kept << QStringLiteral("--paused");
    kept << QStringLiteral("--") << file << queued;
    return kept;
}

bool startPlayerAgain(const QStringList& arguments)
{
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
}

} // namespace ZelkShell
