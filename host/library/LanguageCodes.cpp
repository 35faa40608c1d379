// The language table offered for audio, subtitle and menu tracks, and the
// user's interface language.

#include "host/library/LanguageCodes.h"
#include "host/library/ZNBLibrary.h"

#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

#include <map>

#ifdef ZELK_HAVE_ICU
#include <unicode/uloc.h>
#endif

namespace ZelkNimbo {

namespace {

const char* const fallbackLanguageCode = "en";

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

QString OSUtilities::getLanguageCode()
{
    // The player's choice (its --language option, or the user's setting of
    // the variable) comes before the locale; read on every call, so a
    // choice made after the first call counts.
    const QString chosen = QString::fromLocal8Bit(qgetenv("ZELK_LANGUAGE")).trimmed();
    if (!chosen.isEmpty()) {
        const QString chosenCode = twoLetterLanguageCode(QLocale(chosen.toLower().replace(QLatin1Char('-'), QLatin1Char('_'))));
        if (!chosenCode.isEmpty())
            return chosenCode;
    }
    // Qt reads the system locale once per process, so the answer cannot
    // change while the player runs: work it out once.
    static const QString code = [] {
        // uiLanguages() is where Qt honours LANGUAGE, LC_ALL, LC_MESSAGES and
        // LANG in that order; the first entry with a two-letter code wins. Each
        // entry goes through QLocale so legacy codes ("iw") come out as the
        // table's keys.
        const QStringList preferred = QLocale::system().uiLanguages();
        for (const QString& entry : preferred) {
            const QString found = twoLetterLanguageCode(QLocale(entry));
            if (!found.isEmpty())
                return found;
        }
        return QString::fromLatin1(fallbackLanguageCode);
    }();
    return code;
}

QMap<QString, QString> ZNBStringTools::twoLetterLanguageCodeMap()
{
    // The locale data is fixed for the process, but the interface language
    // may be chosen after the first call: one table per interface language.
    static QMutex guard;
    static std::map<QString, QMap<QString, QString>> tables;
    const QString interfaceLanguage = OSUtilities::getLanguageCode();
    QMutexLocker lock(&guard);
    auto found = tables.find(interfaceLanguage);
    if (found == tables.end())
        found = tables.emplace(interfaceLanguage, buildLanguageTable(interfaceLanguage)).first;
    return found->second;
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
