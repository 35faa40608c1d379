// The language table offered for audio, subtitle and menu tracks, as ICU
// names the languages: built at run time for an interface language the
// player has no table for, and at build time for those it ships
// (language-names/ writes them into the library).

#include "host/library/LanguageCodes.h"

#ifdef ZELK_HAVE_ICU
#include <unicode/uloc.h>
#endif

namespace ZelkNimbo {

namespace {

bool isTwoLowercaseLetters(const QString& text)
{
    return text.size() == 2 && text.at(0) >= QLatin1Char('a') && text.at(0) <= QLatin1Char('z')
        && text.at(1) >= QLatin1Char('a') && text.at(1) <= QLatin1Char('z');
}

// The name of language `code` in language `inLanguage`, from ICU's locale
// display names; empty when ICU has none (it then answers with the code).
QString displayName(const QString& code, const QString& inLanguage)
{
#ifdef ZELK_HAVE_ICU
    UChar name[128];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uloc_getDisplayLanguage(code.toLatin1().constData(), inLanguage.toLatin1().constData(),
                                                   name, int32_t(sizeof name / sizeof name[0]), &status);
    if (U_FAILURE(status) || status == U_USING_DEFAULT_WARNING || length <= 0)
        return QString();
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(name), length);
    return text == code ? QString() : text;
#else
    Q_UNUSED(code)
    Q_UNUSED(inLanguage)
    return QString();
#endif
}

} // namespace

QString twoLetterLanguageCode(const QLocale& locale)
{
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        return QString();
    // name() is "language_Country"; languages without a two-letter code carry
    // their three-letter code there, which is rejected.
    const QString language = locale.name().section(QLatin1Char('_'), 0, 0);
    return isTwoLowercaseLetters(language) ? language : QString();
}

QMap<QString, QString> buildLanguageTable(const QString& interfaceLanguage)
{
    QMap<QString, QString> languages;
    for (int value = QLocale::C + 1; value <= QLocale::LastLanguage; ++value) {
        const auto language = static_cast<QLocale::Language>(value);
        const QLocale locale(language);
        // Qt answers a language it has no data for with another locale, and
        // some enum values are aliases of others: keep only genuine, first hits.
        if (locale.language() != language)
            continue;
        const QString code = twoLetterLanguageCode(locale);
        if (code.isEmpty() || languages.contains(code))
            continue;
        // A name ICU lacks in the interface language is given in English
        // rather than as a bare code.
        QString name = displayName(code, interfaceLanguage);
        if (name.isEmpty())
            name = displayName(code, QStringLiteral("en"));
        if (name.isEmpty())
            name = QLocale::languageToString(language);
        languages.insert(code, name);
    }
    return languages;
}

} // namespace ZelkNimbo
