// zelk-language-names OUTPUT.cpp LANGUAGE...: writes the language tables of
// the given interface languages (two-letter codes) as C++ source defining
// builtInLanguageTable(), which the player's library is built with.

#include "host/library/LanguageCodes.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>

namespace {

// A C string literal of `text`'s UTF-8 bytes; every byte outside printable
// ASCII, and the quote and backslash, as a three-digit octal escape.
QByteArray literal(const QString& text)
{
    QByteArray out("\"");
    for (const char byte : text.toUtf8()) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x20 || value >= 0x7f || byte == '"' || byte == '\\' || byte == '?')
            out += '\\' + QByteArray::number(value, 8).rightJustified(3, '0');
        else
            out += byte;
    }
    return out + '"';
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: zelk-language-names OUTPUT.cpp LANGUAGE...\n");
        return 2;
    }
    QByteArray source = "// Made at build time by zelk-language-names; do not edit.\n"
                        "#include \"host/library/LanguageCodes.h\"\n\n"
                        "namespace ZelkNimbo {\n\nnamespace {\n\n"
                        "struct LanguageName {\n    const char* code;\n    const char* name; // UTF-8\n};\n\n";
    QByteArray index = "struct BuiltInTable {\n    const char* language;\n    const LanguageName* names;\n"
                       "    int count;\n};\n\nconst BuiltInTable builtInTables[] = {\n";
    for (int i = 2; i < argc; ++i) {
        const QString language = QString::fromLatin1(argv[i]);
        const QMap<QString, QString> table = ZelkNimbo::buildLanguageTable(language);
        if (table.isEmpty()) {
            std::fprintf(stderr, "zelk-language-names: no language names for \"%s\"\n", argv[i]);
            return 1;
        }
        source += "const LanguageName names_" + language.toLatin1() + "[] = {\n";
        for (auto entry = table.begin(); entry != table.end(); ++entry)
            source += "    {" + literal(entry.key()) + ", " + literal(entry.value()) + "},\n";
        source += "};\n\n";
        index += "    {\"" + language.toLatin1() + "\", names_" + language.toLatin1() + ", "
                 + QByteArray::number(table.size()) + "},\n";
    }
    source += index + "};\n\n} // namespace\n\n"
              "bool builtInLanguageTable(const QString& interfaceLanguage, QMap<QString, QString>* table)\n{\n"
              "    for (const BuiltInTable& builtIn : builtInTables) {\n"
              "        if (interfaceLanguage != QLatin1String(builtIn.language))\n            continue;\n"
              "        table->clear();\n"
              "        for (int i = 0; i < builtIn.count; ++i)\n"
              "            table->insert(QLatin1String(builtIn.names[i].code), QString::fromUtf8(builtIn.names[i].name));\n"
              "        return true;\n    }\n    return false;\n}\n\n} // namespace ZelkNimbo\n";
    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(source) != source.size() || !out.commit()) {
        std::fprintf(stderr, "zelk-language-names: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
