#pragma once

// The only way the preferences window reads and writes settings. Each value
// lives at HKEY_CURRENT_USER\SOFTWARE\Zelk\Settings\<component id>\<section>,
// with a read fallback to the same key of the machine hive. Reads fall back to
// the caller's default whenever a value cannot be read.

#include "settings/IZelkSettings.h"
#include "settings/SettingKey.h"

#include <QFont>
#include <QString>
#include <QStringList>

#include <string>

namespace ZelkNimbo {

// Where the component settings section lives ("Settings/<component id>"),
// for a thread that opens a key below it on its own.
std::string componentSettingsPath();
// Opens the component settings section unless it is open; a failure leaves
// it closed, and the next call tries again.
void ensureComponentSettings();
// Releases the component settings section; the next access opens it afresh.
void releaseComponentSettings();
// The open component settings section, or null.
ilsk::IZelkSettings* componentSettingsSection();

QString readPreferenceString(const std::string& section, const std::string& name, const QString& defaultValue);
int readPreferenceInt(const std::string& section, const std::string& name, const int& defaultValue);
unsigned readPreferenceUInt(const std::string& section, const std::string& name, const unsigned& defaultValue);
bool readPreferenceBool(const std::string& section, const std::string& name, const bool& defaultValue);
QStringList readPreferenceStringList(const std::string& section, const std::string& name, const QStringList& defaultValue);
QFont readPreferenceFont(const std::string& section, const std::string& name, const QFont& defaultValue);

bool writePreferenceString(const std::string& section, const std::string& name, const QString& value);
bool writePreferenceStringList(const std::string& section, const std::string& name, const QStringList& value);
bool writePreferenceInt(const std::string& section, const std::string& name, const int& value);
bool writePreferenceUInt(const std::string& section, const std::string& name, const unsigned& value);
bool writePreferenceBool(const std::string& section, const std::string& name, const bool& value);
bool writePreferenceFont(const std::string& section, const std::string& name, const QFont& value);

// Font strings: family, point size, weight word, "Italic", "Underline",
// "StrikeOut" (the last three empty when not set), joined with ":".
QStringList fontToStringList(const QFont& font);
QFont fontFromStringList(const QStringList& list);
QString fontWeightName(int weight);
int fontWeightFromName(const QString& word);

} // namespace ZelkNimbo
