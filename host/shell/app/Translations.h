#pragma once

#include <QString>
#include <QStringList>

namespace ZelkShell {

// The environment variable that names the interface language ("fr"); the
// host library reads it too, so the player and its plug-ins agree.
constexpr const char languageVariable[] = "ZELK_LANGUAGE";

// The player's translation catalogues: its own texts, and those of the
// preferences module, which loads them from the player's translator.
constexpr const char playerCatalogue[] = "zelk-player";
constexpr const char preferencesCatalogue[] = "ZNBPreferencesPlugin";

// What installTranslations() did.
struct InstalledTranslations {
    QString language;      // the interface language, a two-letter code
    QStringList loaded;    // the .qm files now installed, Qt's own last
    QStringList warnings;  // what the user should hear about
};

// The two-letter code of `code` ("fr", "fr_CA", "de-AT"), or an empty string
// when it names no language with such a code.
QString normalisedLanguageCode(const QString& code);

// Installs the translators of the interface language: the player's, the
// preferences module's and Qt's own (qtbase_<code>, for the standard buttons
// of message boxes). `requested` (the command line's) overrides the
// environment variable, which overrides the user's locale; a requested
// language is handed to the host library through that variable. English, the
// source language, and languages without translations install nothing.
// Translators installed by an earlier call are removed first. Needs a
// QCoreApplication; call it before any plug-in module is loaded, since the
// window translates its texts only once, when it is built.
InstalledTranslations installTranslations(const QString& requested = QString());

// The folders searched for the player's catalogues: share/zelk-player/translations
// beside an installed player, else the build tree's.
QStringList translationFolders(const QString& applicationDir);

} // namespace ZelkShell
