// The three spellings of a language code that media files use for their
// tracks, for the engine's track choice.

#include "host/shell/engine/LanguageCodeForms.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace ZelkShell {

namespace {

struct LanguageCodes {
    const char* twoLetter;     // ISO 639-1, what the preferences store
    const char* terminology;   // ISO 639-2/T ("fra", "deu")
    const char* bibliographic; // ISO 639-2/B where it differs ("fre", "ger")
};

// Every ISO 639-1 language with its ISO 639-2 codes, sorted by the first
// column (from the ISO 639-2 registration authority's list).
const LanguageCodes languageTable[] = {
    {"aa", "aar", nullptr}, {"ab", "abk", nullptr}, {"ae", "ave", nullptr}, {"af", "afr", nullptr},
    {"ak", "aka", nullptr}, {"am", "amh", nullptr}, {"an", "arg", nullptr}, {"ar", "ara", nullptr},
    {"as", "asm", nullptr}, {"av", "ava", nullptr}, {"ay", "aym", nullptr}, {"az", "aze", nullptr},
    {"ba", "bak", nullptr}, {"be", "bel", nullptr}, {"bg", "bul", nullptr}, {"bh", "bih", nullptr},
    {"bi", "bis", nullptr}, {"bm", "bam", nullptr}, {"bn", "ben", nullptr}, {"bo", "bod", "tib"},
    {"br", "bre", nullptr}, {"bs", "bos", nullptr}, {"ca", "cat", nullptr}, {"ce", "che", nullptr},
    {"ch", "cha", nullptr}, {"co", "cos", nullptr}, {"cr", "cre", nullptr}, {"cs", "ces", "cze"},
    {"cu", "chu", nullptr}, {"cv", "chv", nullptr}, {"cy", "cym", "wel"}, {"da", "dan", nullptr},
    {"de", "deu", "ger"}, {"dv", "div", nullptr}, {"dz", "dzo", nullptr}, {"ee", "ewe", nullptr},
    {"el", "ell", "gre"}, {"en", "eng", nullptr}, {"eo", "epo", nullptr}, {"es", "spa", nullptr},
    {"et", "est", nullptr}, {"eu", "eus", "baq"}, {"fa", "fas", "per"}, {"ff", "ful", nullptr},
    {"fi", "fin", nullptr}, {"fj", "fij", nullptr}, {"fo", "fao", nullptr}, {"fr", "fra", "fre"},
    {"fy", "fry", nullptr}, {"ga", "gle", nullptr}, {"gd", "gla", nullptr}, {"gl", "glg", nullptr},
    {"gn", "grn", nullptr}, {"gu", "guj", nullptr}, {"gv", "glv", nullptr}, {"ha", "hau", nullptr},
    {"he", "heb", nullptr}, {"hi", "hin", nullptr}, {"ho", "hmo", nullptr}, {"hr", "hrv", nullptr},
    {"ht", "hat", nullptr}, {"hu", "hun", nullptr}, {"hy", "hye", "arm"}, {"hz", "her", nullptr},
    {"ia", "ina", nullptr}, {"id", "ind", nullptr}, {"ie", "ile", nullptr}, {"ig", "ibo", nullptr},
    {"ii", "iii", nullptr}, {"ik", "ipk", nullptr}, {"io", "ido", nullptr}, {"is", "isl", "ice"},
    {"it", "ita", nullptr}, {"iu", "iku", nullptr}, {"ja", "jpn", nullptr}, {"jv", "jav", nullptr},
    {"ka", "kat", "geo"}, {"kg", "kon", nullptr}, {"ki", "kik", nullptr}, {"kj", "kua", nullptr},
    {"kk", "kaz", nullptr}, {"kl", "kal", nullptr}, {"km", "khm", nullptr}, {"kn", "kan", nullptr},
    {"ko", "kor", nullptr}, {"kr", "kau", nullptr}, {"ks", "kas", nullptr}, {"ku", "kur", nullptr},
    {"kv", "kom", nullptr}, {"kw", "cor", nullptr}, {"ky", "kir", nullptr}, {"la", "lat", nullptr},
    {"lb", "ltz", nullptr}, {"lg", "lug", nullptr}, {"li", "lim", nullptr}, {"ln", "lin", nullptr},
    {"lo", "lao", nullptr}, {"lt", "lit", nullptr}, {"lu", "lub", nullptr}, {"lv", "lav", nullptr},
    {"mg", "mlg", nullptr}, {"mh", "mah", nullptr}, {"mi", "mri", "mao"}, {"mk", "mkd", "mac"},
    {"ml", "mal", nullptr}, {"mn", "mon", nullptr}, {"mr", "mar", nullptr}, {"ms", "msa", "may"},
    {"mt", "mlt", nullptr}, {"my", "mya", "bur"}, {"na", "nau", nullptr}, {"nb", "nob", nullptr},
    {"nd", "nde", nullptr}, {"ne", "nep", nullptr}, {"ng", "ndo", nullptr}, {"nl", "nld", "dut"},
    {"nn", "nno", nullptr}, {"no", "nor", nullptr}, {"nr", "nbl", nullptr}, {"nv", "nav", nullptr},
    {"ny", "nya", nullptr}, {"oc", "oci", nullptr}, {"oj", "oji", nullptr}, {"om", "orm", nullptr},
    {"or", "ori", nullptr}, {"os", "oss", nullptr}, {"pa", "pan", nullptr}, {"pi", "pli", nullptr},
    {"pl", "pol", nullptr}, {"ps", "pus", nullptr}, {"pt", "por", nullptr}, {"qu", "que", nullptr},
    {"rm", "roh", nullptr}, {"rn", "run", nullptr}, {"ro", "ron", "rum"}, {"ru", "rus", nullptr},
    {"rw", "kin", nullptr}, {"sa", "san", nullptr}, {"sc", "srd", nullptr}, {"sd", "snd", nullptr},
    {"se", "sme", nullptr}, {"sg", "sag", nullptr}, {"si", "sin", nullptr}, {"sk", "slk", "slo"},
    {"sl", "slv", nullptr}, {"sm", "smo", nullptr}, {"sn", "sna", nullptr}, {"so", "som", nullptr},
    {"sq", "sqi", "alb"}, {"sr", "srp", nullptr}, {"ss", "ssw", nullptr}, {"st", "sot", nullptr},
    {"su", "sun", nullptr}, {"sv", "swe", nullptr}, {"sw", "swa", nullptr}, {"ta", "tam", nullptr},
    {"te", "tel", nullptr}, {"tg", "tgk", nullptr}, {"th", "tha", nullptr}, {"ti", "tir", nullptr},
    {"tk", "tuk", nullptr}, {"tl", "tgl", nullptr}, {"tn", "tsn", nullptr}, {"to", "ton", nullptr},
    {"tr", "tur", nullptr}, {"ts", "tso", nullptr}, {"tt", "tat", nullptr}, {"tw", "twi", nullptr},
    {"ty", "tah", nullptr}, {"ug", "uig", nullptr}, {"uk", "ukr", nullptr}, {"ur", "urd", nullptr},
    {"uz", "uzb", nullptr}, {"ve", "ven", nullptr}, {"vi", "vie", nullptr}, {"vo", "vol", nullptr},
    {"wa", "wln", nullptr}, {"wo", "wol", nullptr}, {"xh", "xho", nullptr}, {"yi", "yid", nullptr},
    {"yo", "yor", nullptr}, {"za", "zha", nullptr}, {"zh", "zho", "chi"}, {"zu", "zul", nullptr},
};

} // namespace

QStringList languageCodeForms(const QString& code)
{
    const QString lower = code.trimmed().toLower();
    if (lower.isEmpty())
        return {};
    const QByteArray key = lower.toLatin1();
    const auto* end = std::end(languageTable);
    const auto* found = std::lower_bound(std::begin(languageTable), end, key,
                                         [](const LanguageCodes& row, const QByteArray& wanted) {
                                             return std::strcmp(row.twoLetter, wanted.constData()) < 0;
                                         });
    // A code the table does not know (already three letters, or a region
    // code) is passed on as it is: the engine may still find it.
    if (found == end || key != found->twoLetter)
        return {lower};
    QStringList forms{lower};
    if (found->bibliographic)
        forms << QLatin1String(found->bibliographic);
    forms << QLatin1String(found->terminology);
    return forms;
}

} // namespace ZelkShell
