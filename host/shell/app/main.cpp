// zelk-player: a video player with its preferences and other plug-ins.
// See commandLineHelp() for the command line.

#include "host/shell/headless/FrameGrab.h"
#include "host/shell/headless/PageRenderer.h"
#include "host/shell/app/PlayerSession.h"
#include "host/shell/app/PluginFolders.h"
#include "host/shell/plugins/PluginHost.h"
#include "host/shell/app/InstalledPaths.h"
#include "host/shell/app/ShellOptions.h"
#include "host/shell/app/Translations.h"
#include "host/shell/behaviour/StoredPaths.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>

namespace {

QStringList argumentList(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// An argument the system's encoding cannot represent (bytes that are not
// UTF-8 on a UTF-8 system) would be decoded with replacement characters and
// then name another file, or none; the first such argument, else empty.
QByteArray unrepresentableArgument(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (!ZelkShell::StoredPaths::isFaithful(QByteArray(argv[i])))
            return QByteArray(argv[i]);
    }
    return QByteArray();
}

int renderPages(ZelkShell::PluginHost& plugins, const QString& folder)
{
    QString error;
    const QStringList files = ZelkShell::renderPreferencesPages(plugins, folder, &error);
    plugins.shutdownPlugins();
    if (files.isEmpty()) {
        std::fprintf(stderr, "zelk-player: %s\n", qUtf8Printable(error));
        return 1;
    }
    for (const QString& file : files)
        std::printf("%s\n", qUtf8Printable(file));
    return 0;
}

// Without a session bus advertised (no address, no bus socket in the
// runtime folder) libdbus would autolaunch one at the first use: Qt's
// accessibility bridge asks for it while the first widgets are built, and
// the window waits for dbus-launch, which leaves a bus daemon running after
// the player quits. Such a private bus has none of the desktop's services
// on it (screen saver, accessibility registry), so the player goes without:
// an address no transport accepts makes every connection fail at once.
void keepFromAutolaunchingSessionBus()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtimeDir.isEmpty() && QFileInfo::exists(runtimeDir + QStringLiteral("/bus")))
        return;
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

// Every window's icon (the player's and the preferences window's): the
// theme's when installed, else the sizes built into the program; at most 64
// pixels either way. Window managers read the whole icon at each map of a
// window, and Qt sends every size the icon has (a theme's 256 pixels too).
QIcon playerIcon()
{
    constexpr int windowIconSizes[] = {16, 22, 24, 32, 48, 64};
    QIcon icon;
    const QIcon themed = QIcon::fromTheme(ZelkShell::InstalledPaths::applicationId());
    for (int size : windowIconSizes) {
        if (themed.isNull())
            icon.addFile(QStringLiteral(":/zelk-player/icon/%1.png").arg(size), QSize(size, size));
        else
            icon.addPixmap(themed.pixmap(size));
    }
    return icon;
}

// Started from the menu or a file manager, nobody reads stderr: with a
// display, a refusal before the window opens is shown in a dialog as well.
void showOnDisplay(int& argc, char** argv, const QString& message)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.startsWith("offscreen") || platform.startsWith("minimal"))
        return;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    QApplication app(argc, argv);
    QApplication::setWindowIcon(playerIcon());
    QMessageBox::critical(nullptr, QStringLiteral("Zelk Player"), message);
}

} // namespace

int main(int argc, char** argv)
{
    const QByteArray unrepresentable = unrepresentableArgument(argc, argv);
    if (!unrepresentable.isEmpty()) {
        const QString message = ZelkShell::StoredPaths::unrepresentableNameMessage(unrepresentable);
        std::fprintf(stderr, "zelk-player: %s\n", qUtf8Printable(message));
        showOnDisplay(argc, argv, message);
        return 2;
    }
    const ZelkShell::ParsedCommandLine parsed = ZelkShell::parseCommandLine(argumentList(argc, argv));
    if (!parsed.error.isEmpty()) {
        std::fprintf(stderr, "zelk-player: %s\nTry \"zelk-player --help\".\n", qUtf8Printable(parsed.error));
        return 2;
    }
    const ZelkShell::ShellOptions& options = parsed.options;
    if (options.showHelp) {
        std::fputs(qUtf8Printable(ZelkShell::commandLineHelp()), stdout);
        return 0;
    }
    if (options.showVersion) {
        std::fputs(qUtf8Printable(ZelkShell::versionText()), stdout);
        return 0;
    }
    // The headless modes need no display.
    const bool headless = !options.renderPagesTo.isEmpty() || options.grabFrame;
    if (headless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    keepFromAutolaunchingSessionBus();

    // Icons and the preferences window's title images come in the screen's
    // resolution (their @2x artwork on a scaled screen).
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelk-player"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zelk Player"));
    // The desktop matches the windows to the entry, and so to its icon.
    QApplication::setDesktopFileName(ZelkShell::InstalledPaths::applicationId());
    QApplication::setWindowIcon(playerIcon());
    // Before any plug-in module is loaded: windows translate their texts once.
    for (const QString& warning : ZelkShell::installTranslations(options.language).warnings)
        std::fprintf(stderr, "zelk-player: %s\n", qUtf8Printable(warning));

    if (options.grabFrame) {
        QString error;
        if (!ZelkShell::grabFrame(options.files.first(), options.frameAtSeconds, options.frameOutput, &error)) {
            std::fprintf(stderr, "zelk-player: %s\n", qUtf8Printable(error));
            return 1;
        }
        return 0;
    }

    ZelkShell::PluginHost plugins;
    const QStringList folders = options.pluginFolders.isEmpty()
                                    ? ZelkShell::defaultPluginFolders(QCoreApplication::applicationDirPath())
                                    : options.pluginFolders;
    QString error;
    QStringList warnings;
    if (!plugins.readPluginFolders(folders, &error, &warnings)) {
        std::fprintf(stderr, "zelk-player: no plug-ins: %s\n", qUtf8Printable(error));
        return 1;
    }
    for (const QString& warning : warnings)
        std::fprintf(stderr, "zelk-player: %s\n", qUtf8Printable(warning));

    if (!options.renderPagesTo.isEmpty())
        return renderPages(plugins, options.renderPagesTo);
    const ZelkShell::PlayerExit exit = ZelkShell::runPlayerSession(plugins, options, argumentList(argc, argv));
    // The plug-ins have shut down and the save is complete: start again.
    if (exit.restart && !ZelkShell::startPlayerAgain(exit.restartArguments)) {
        std::fprintf(stderr, "zelk-player: could not start again\n");
        return 1;
    }
    return exit.status;
}
