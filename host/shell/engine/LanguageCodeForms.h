#pragma once

#include <QString>
#include <QStringList>

namespace ZelkShell {

// The forms a stored two-letter language code ("fr") takes in media files:
// itself, then its ISO 639-2 bibliographic and terminology codes where they
// exist ("fr", "fre", "fra"). The engine compares track languages literally,
// and containers tag tracks with any of them. An empty code gives an empty
// list; a code not in the table gives itself, in lower case.
QStringList languageCodeForms(const QString& code);

} // namespace ZelkShell
