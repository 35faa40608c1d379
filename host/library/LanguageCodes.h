#pragma once

// Internal: how a locale is reduced to a two-letter language code, shared by
// the language table and the interface-language lookup so both agree.

#include <QLocale>
#include <QString>

namespace ZelkNimbo {

// The ISO 639-1 code of the locale's language ("fr" for fr_CA), or an empty
// string when the language has no two-letter code (C locale, "haw", ...).
QString twoLetterLanguageCode(const QLocale& locale);

} // namespace ZelkNimbo
