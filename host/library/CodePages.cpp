// The text encodings a subtitle file may be written in, as offered in the
// subtitle settings.

#include "host/library/ZNBLibrary.h"

#include <QTextCodec>

#ifdef ZELK_HAVE_ICU
#include <unicode/ucnv.h>
#endif

namespace ZelkNimbo {

namespace {

struct CodePage {
    const char* identifier; // the codec name QTextCodec::codecForName accepts
    const char* name;       // what the user reads
};

// Encodings subtitle files are actually found in, grouped by script. The
// identifiers are Qt's codec names so the player can decode with them as is.
const CodePage knownCodePages[] = {
    {"windows-1250", "Central European (Windows-1250)"},
    {"windows-1251", "Cyrillic (Windows-1251)"},
    {"windows-1252", "Western European (Windows-1252)"},
    {"windows-1253", "Greek (Windows-1253)"},
    {"windows-1254", "Turkish (Windows-1254)"},
    {"windows-1255", "Hebrew (Windows-1255)"},
    {"windows-1256", "Arabic (Windows-1256)"},
    {"windows-1257", "Baltic (Windows-1257)"},
    {"windows-1258", "Vietnamese (Windows-1258)"},
    {"ISO-8859-1", "Western European (ISO-8859-1)"},
    {"ISO-8859-2", "Central European (ISO-8859-2)"},
    {"ISO-8859-3", "South European (ISO-8859-3)"},
    {"ISO-8859-4", "Baltic (ISO-8859-4)"},
    {"ISO-8859-5", "Cyrillic (ISO-8859-5)"},
    {"ISO-8859-6", "Arabic (ISO-8859-6)"},
    {"ISO-8859-7", "Greek (ISO-8859-7)"},
    {"ISO-8859-8", "Hebrew (ISO-8859-8)"},
    {"ISO-8859-9", "Turkish (ISO-8859-9)"},
    {"ISO-8859-10", "Nordic (ISO-8859-10)"},
    {"ISO-8859-13", "Baltic (ISO-8859-13)"},
    {"ISO-8859-14", "Celtic (ISO-8859-14)"},
    {"ISO-8859-15", "Western European (ISO-8859-15)"},
    {"ISO-8859-16", "South-Eastern European (ISO-8859-16)"},
    {"KOI8-R", "Cyrillic (KOI8-R)"},
    {"KOI8-U", "Cyrillic (KOI8-U)"},
    {"TIS-620", "Thai (TIS-620)"},
    {"Shift_JIS", "Japanese (Shift_JIS)"},
    {"EUC-JP", "Japanese (EUC-JP)"},
    {"ISO-2022-JP", "Japanese (ISO-2022-JP)"},
    {"GBK", "Chinese Simplified (GBK)"},
    {"GB18030", "Chinese Simplified (GB18030)"},
    {"Big5", "Chinese Traditional (Big5)"},
    {"Big5-HKSCS", "Chinese Traditional (Big5-HKSCS)"},
    {"EUC-KR", "Korean (EUC-KR)"},
    {"UTF-8", "Unicode (UTF-8)"},
    {"UTF-16", "Unicode (UTF-16)"},
    {"UTF-16LE", "Unicode (UTF-16LE)"},
    {"UTF-16BE", "Unicode (UTF-16BE)"},
};

// Whether this Qt can decode `identifier`. Qt built with ICU (Debian's is)
// asks ICU for every name: a name ICU knows, as MIME or IANA spell it, gives
// a codec, just as Qt's own codecs in a build without ICU cover every name of
// the table. Asking ICU's alias table costs almost nothing; creating the codec
// loads ICU's conversion table, 1.4 MB of resident memory for this table's
// names (mostly the East Asian ones), which the window does not need until a
// subtitle is decoded. A name ICU does not know is asked of Qt itself.
// IANA is asked first: every name of the table is an IANA name, found
// directly, whereas a name missing from the MIME list (15 of them) makes ICU
// search its whole alias table, which tripled the cost of this check.
bool codecAvailable(const char* identifier)
{
#ifdef ZELK_HAVE_ICU
    for (const char* standard : {"IANA", "MIME"}) {
        UErrorCode error = U_ZERO_ERROR;
        const char* name = ucnv_getStandardName(identifier, standard, &error);
        if (U_SUCCESS(error) && name)
            return true;
    }
#endif
    return QTextCodec::codecForName(identifier) != nullptr;
}

} // namespace

QStringList ZNBStringTools::codePages()
{
    // Which codecs exist depends on how Qt was built (ICU or not), so only the
    // ones this Qt can really decode are offered. That cannot change while
    // the process runs: ask once.
    static const QStringList identifiers = [] {
        QStringList available;
        for (const CodePage& page : knownCodePages) {
            if (codecAvailable(page.identifier))
                available.append(QLatin1String(page.identifier));
        }
        return available;
    }();
    return identifiers;
}

QString ZNBStringTools::codePageName(const QString& identifier)
{
    // Codec names are case-insensitive, so a stored "UTF-8" or "utf-8" reads
    // the same; an identifier we do not know is shown as it is.
    for (const CodePage& page : knownCodePages) {
        if (identifier.compare(QLatin1String(page.identifier), Qt::CaseInsensitive) == 0)
            return QLatin1String(page.name);
    }
    return identifier;
}

} // namespace ZelkNimbo
