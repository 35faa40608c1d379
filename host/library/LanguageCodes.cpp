// The user's interface language, and the language table for it.

#include "host/library/LanguageCodes.h"
#include "host/library/ZNBLibrary.h"

#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

#include <map>

namespace ZelkNimbo {

namespace {

const char* const fallbackLanguageCode = "en";

} // namespace

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
    if (found == tables.end()) {
        // Asking ICU for 140 names costs about 2 ms and 0.6 MiB of its code
        // and data brought into memory; the player's own interface languages
        // have their names built in.
        QMap<QString, QString> table;
        if (!builtInLanguageTable(interfaceLanguage, &table))
            table = buildLanguageTable(interfaceLanguage);
        found = tables.emplace(interfaceLanguage, std::move(table)).first;
    }
    return found->second;
}

} // namespace ZelkNimbo
