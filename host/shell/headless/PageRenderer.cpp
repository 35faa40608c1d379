#include "host/shell/headless/PageRenderer.h"

#include "host/shell/plugins/PluginHost.h"
#include "host/shell/plugins/PreferencesPages.h"

#include <QCoreApplication>
#include <QDir>
#include <QMetaObject>
#include <QPixmap>
#include <QWidget>

namespace ZelkShell {

QStringList renderPreferencesPages(PluginHost& plugins, const QString& folder, QString* error)
{
    QStringList written;
    const QDir outDir(folder);
    if (!QDir().mkpath(outDir.absolutePath())) {
        *error = QStringLiteral("cannot create the folder %1").arg(folder);
        return {};
    }
    if (!plugins.showPreferences(0, error))
        return {};
    auto* window = qobject_cast<QWidget*>(plugins.existingPreferencesWindow());
    if (!window) {
        *error = QStringLiteral("the preferences window is not a widget");
        return {};
    }
    for (int row = 0; row < preferencesPageCount; ++row) {
        if (!selectPreferencesPage(window, row)) {
            *error = QStringLiteral("the preferences window has no page %1").arg(preferencesPageName(row));
            return {};
        }
        QCoreApplication::processEvents();
        const QString path =
            outDir.absoluteFilePath(QStringLiteral("page-%1-%2.png").arg(row).arg(preferencesPageName(row)));
        if (!window->grab().save(path, "PNG")) {
            *error = QStringLiteral("cannot write %1").arg(path);
            return {};
        }
        written << path;
    }
    return written;
}

} // namespace ZelkShell
