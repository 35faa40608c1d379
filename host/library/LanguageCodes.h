#pragma once

// Internal: how a locale is reduced to a two-letter language code, shared by
// the language table and the interface-language lookup so both agree.

#include <QLocale>
#include <QMap>
#include <QString>

namespace ZelkNimbo {

// The ISO 639-1 code of the locale's language ("fr" for fr_CA), or an empty
// string when the language has no two-letter code (C locale, "haw", ...).
QString twoLetterLanguageCode(const QLocale& locale);

// Every language with a two-letter code that Qt's locale data knows: code ->
// name in `interfaceLanguage` (a two-letter code), from ICU's display names.
QMap<QString, QString> buildLanguageTable(const QString& interfaceLanguage);

// The table buildLanguageTable() gave for `interfaceLanguage` when the library
// was built, for the interface languages the player ships; false for others.
bool builtInLanguageTable(const QString& interfaceLanguage, QMap<QString, QString>* table);

} // namespace ZelkNimbo
