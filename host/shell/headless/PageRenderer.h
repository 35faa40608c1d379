#pragma once

#include <QString>
#include <QStringList>

namespace ZelkShell {

class PluginHost;

// Renders every page of the preferences window, as the player's plug-in
// builds it (settings loaded, lists filled), to
// <folder>/page-<row>-<name>.png. Returns the files written, or an empty list
// with `error` filled.
QStringList renderPreferencesPages(PluginHost& plugins, const QString& folder, QString* error);

} // namespace ZelkShell
