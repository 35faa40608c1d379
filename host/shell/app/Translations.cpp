#include "host/shell/app/Translations.h"

#include "host/library/ZNBLibrary.h"
#include "host/shell/app/BuildTreePaths.h"
#include "host/shell/app/InstalledPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include <vector>

namespace ZelkShell {

namespace {

// English is the language of the source texts: nothing to install.
const QLatin1String sourceLanguage("en");

// The translators of the last call, so that a later call can take them out.
std::vector<QPointer<QTranslator>>& installedTranslators()
{
    static std::vector<QPointer<QTranslator>> translators;
    return translators;
}

void removeInstalledTranslators()
{
    for (const QPointer<QTranslator>& translator : installedTranslators()) {
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    installedTranslators().clear();
}

// Installs the catalogue in `file`; false when it is missing or unreadable.
bool installCatalogue(const QString& file)
{
    if (!QFileInfo(file).isFile())
        return false;
    // Owned by the application, so none outlives it.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(file) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    installedTranslators().push_back(translator);
    return true;
}

// The first folder holding `fileName`, or an empty string.
QString findCatalogue(const QStringList& folders, const QString& fileName)
{
    for (const QString& folder : folders) {
        const QString path = QDir(folder).absoluteFilePath(fileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

} // namespace

QString normalisedLanguageCode(const QString& code)
{
    const QString name = code.trimmed().toLower().replace(QLatin1Char('-'), QLatin1Char('_'));
    if (name.isEmpty())
        return QString();
    const QLocale locale(name);
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        return QString();
    const QString language = locale.name().section(QLatin1Char('_'), 0, 0);
    // Languages without a two-letter code carry a longer one here.
    return language.size() == 2 ? language : QString();
}

InstalledTranslations installTranslations(const QString& requested)
{
    removeInstalledTranslators();
    InstalledTranslations result;

    const bool chosenByUser = !requested.isEmpty() || qEnvironmentVariableIsSet(languageVariable);
    if (!requested.isEmpty()) {
        const QString code = normalisedLanguageCode(requested);
        if (code.isEmpty())
            result.warnings << QStringLiteral("\"%1\" names no language; the user's language is used.").arg(requested);
        else
            qputenv(languageVariable, code.toLatin1()); // the host library and the plug-ins follow it
    }
    result.language = ZelkNimbo::OSUtilities::getLanguageCode();
    if (result.language == sourceLanguage)
        return result;

    const QStringList folders = translationFolders(QCoreApplication::applicationDirPath());
    QStringList ownFiles;
    QStringList missing;
    for (const char* catalogue : {preferencesCatalogue, playerCatalogue}) {
        const QString fileName = QStringLiteral("%1_%2.qm").arg(QLatin1String(catalogue), result.language);
        const QString path = findCatalogue(folders, fileName);
        if (path.isEmpty())
            missing << fileName;
        else
            ownFiles << path;
    }
    if (ownFiles.isEmpty()) {
        // A language the player does not ship: English throughout, Qt's
        // buttons included, rather than a mix.
        if (chosenByUser)
            result.warnings << QStringLiteral("no translation into \"%1\"; the texts stay in English.").arg(result.language);
        return result;
    }
    for (const QString& fileName : missing)
        result.warnings << QStringLiteral("the translation %1 is missing; its texts stay in English.").arg(fileName);

    // Installed first so that it is searched last: our own catalogues win.
    const QString qtFile = QDir(QLibraryInfo::location(QLibraryInfo::TranslationsPath))
                               .absoluteFilePath(QStringLiteral("qtbase_%1.qm").arg(result.language));
    if (installCatalogue(qtFile))
        result.loaded << qtFile;
    else
        result.warnings << QStringLiteral("Qt's translation %1 is missing; standard buttons stay in English.").arg(qtFile);
    for (const QString& path : ownFiles) {
        if (installCatalogue(path))
            result.loaded.prepend(path);
        else
            result.warnings << QStringLiteral("the translation %1 cannot be read.").arg(path);
    }
    return result;
}

QStringList translationFolders(const QString& applicationDir)
{
    const QString installed = InstalledPaths::translationFolder(applicationDir);
    if (QFileInfo(installed).isDir())
        return {installed};
    return {BuildTreePaths::translationFolder()};
}

} // namespace ZelkShell
