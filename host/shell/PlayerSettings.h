#pragma once

#include <QString>

namespace ZelkShell {

// The settings the player applies itself, read and written through the same
// preference accessors as the preferences window.
namespace PlayerSettings {

// Each read opens the store afresh: between two reads the preferences, or
// zelk-reg, may have deleted and recreated the keys a held handle points at.
bool alwaysOnTop();

// Where File > Open starts, as the General page's "Video File Opening"
// choice says: the default video folder, the folder last opened from, or
// the custom folder.
QString openDialogFolder();
// Keeps `folder` as the folder last opened from; false when not stored.
bool rememberOpenFolder(const QString& folder);

} // namespace PlayerSettings

} // namespace ZelkShell
