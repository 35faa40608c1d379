#pragma once

// Shared by the shell tests: a plug-in host reading the build tree's plug-in
// folders, and a listener counting messages on the player's hub.

#include "PreferencesHarness.h"

#include "host/library/ZNBLibrary.h"
#include "host/shell/plugins/PluginHost.h"

#include <QObject>
#include <QStringList>
#include <QVariant>

namespace zelktest {

// The build tree's sample plug-ins, and the player built beside the tests
// (ShellTestPaths.cpp).
QString samplePluginBuildDir();
QString testPlayerPath();

// The folders the player reads in the build tree.
inline QStringList playerPluginFolders()
{
    return {pluginBuildDir(), samplePluginBuildDir()};
}

// Reads the player's plug-in folders; false (with the reason logged) when
// that fails.
inline bool readPlayerPlugins(ZelkShell::PluginHost& plugins)
{
    QString error;
    QStringList warnings;
    if (!plugins.readPluginFolders(playerPluginFolders(), &error, &warnings) || !warnings.isEmpty()) {
        qWarning("plug-in folders: %s %s", qUtf8Printable(error), qUtf8Printable(warnings.join(QLatin1Char(';'))));
        return false;
    }
    return true;
}

// Counts publications of one hub message.
class MessageCounter : public QObject {
    Q_OBJECT

public:
    explicit MessageCounter(const char* message)
    {
        listening = ZelkNimbo::PubSubHub::listenForMessage(QLatin1String(message), this,
                                                           SLOT(received(const QString&, const QVariant&)));
    }

    bool listening = false;
    int count = 0;
    QVariant lastPayload;

public slots:
    void received(const QString&, const QVariant& payload)
    {
        ++count;
        lastPayload = payload;
    }
};

} // namespace zelktest
