#pragma once

#include "host/shell/behaviour/BehaviourSettings.h"
#include "host/shell/engine/EngineSettings.h"

#include <QString>

namespace ZelkShell {

// The settings the player applies itself, read and written through the same
// preference accessors as the preferences window.
namespace PlayerSettings {

// Everything the player applies at start and after each save.
struct Snapshot {
    bool alwaysOnTop = false;
    StoredSettings engine;
    BehaviourSettings behaviour;
};

// Reads them all in one pass over one freshly opened store: between two
// reads the preferences, or zelk-reg, may have deleted and recreated the keys
// a held handle points at.
Snapshot read();

// Where File > Open starts, as the General page's "Video File Opening"
// choice says: the default video folder, the folder last opened from, or
// the custom folder. Opens the store afresh, as read() does.
QString openDialogFolder();
// Keeps `folder` as the folder last opened from; false when not stored.
bool rememberOpenFolder(const QString& folder);

} // namespace PlayerSettings

} // namespace ZelkShell
