#pragma once

// What each setting the preferences edit reads as when it is not stored. The
// preferences window, the player's engine table and the player's own
// behaviour all take their defaults from here, so a default is written once.

#include "settings/SettingKey.h"

#include <QString>
#include <QVariant>

namespace ZelkNimbo {

// The default of `key` as its stored kind: bool, int, unsigned, QString or
// QFont; an invalid QVariant for a key that has none here. The default video
// folder is the host library's, asked for on each call.
QVariant settingDefault(const SettingKey& key);

// A flag or a text read through the preference accessors; a missing value
// reads as its default above.
bool readSettingFlag(const SettingKey& key);
QString readSettingText(const SettingKey& key);

} // namespace ZelkNimbo
