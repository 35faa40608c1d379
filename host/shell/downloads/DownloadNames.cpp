#include "host/shell/downloads/DownloadNames.h"

#include "host/shell/behaviour/FreeNames.h"
#include "host/shell/downloads/DownloadFolder.h"

#include <QUrl>

#include <cerrno>

namespace ZelkShell::DownloadNames {

namespace {

// One parameter of a header value: `name=value` or `name="quoted value"`.
struct Parameter {
    QByteArray name;
    QByteArray value;
};

QList<Parameter> parameters(const QByteArray& header)
{
    QList<Parameter> result;
    int i = header.indexOf(';'); // the disposition type comes first
    while (i >= 0 && i < header.size()) {
        while (i < header.size() && (header[i] == ';' || header[i] == ' ' || header[i] == '\t'))
            ++i;
        const int nameStart = i;
        while (i < header.size() && header[i] != '=' && header[i] != ';')
            ++i;
        Parameter parameter{header.mid(nameStart, i - nameStart).trimmed().toLower(), QByteArray()};
        if (i < header.size() && header[i] == '=') {
            ++i;
            while (i < header.size() && (header[i] == ' ' || header[i] == '\t'))
                ++i;
            if (i < header.size() && header[i] == '"') {
                for (++i; i < header.size() && header[i] != '"'; ++i) {
                    if (header[i] == '\\' && i + 1 < header.size())
                        ++i;
                    parameter.value += header[i];
                }
                ++i; // the closing quote
                while (i < header.size() && header[i] != ';')
                    ++i;
            } else {
                const int valueStart = i;
                while (i < header.size() && header[i] != ';')
                    ++i;
                parameter.value = header.mid(valueStart, i - valueStart).trimmed();
            }
        }
        if (!parameter.name.isEmpty())
            result << parameter;
    }
    return result;
}

// charset'language'percent-encoded-bytes
QString extendedValue(const QByteArray& value)
{
    const QList<QByteArray> parts = value.split('\'');
    if (parts.size() != 3)
        return QString();
    const QByteArray bytes = QByteArray::fromPercentEncoding(parts[2]);
    const QByteArray charset = parts[0].trimmed().toLower();
    // With the size: a NUL inside is kept (and made "_"), not the end.
    if (charset == "utf-8")
        return QString::fromUtf8(bytes.constData(), bytes.size());
    if (charset == "iso-8859-1")
        return QString::fromLatin1(bytes.constData(), bytes.size());
    return QString();
}

// Servers send plain `filename=` in UTF-8 or in Latin-1.
QString plainValue(const QByteArray& value)
{
    const QString utf8 = QString::fromUtf8(value.constData(), value.size());
    return utf8.toUtf8() == value ? utf8 : QString::fromLatin1(value.constData(), value.size());
}

bool isDeviceName(const QString& name)
{
    static const QStringList fixed{QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                   QStringLiteral("NUL")};
    // Windows takes "CON.txt" and "con .mkv" for the device too.
    const QString stem = name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    if (fixed.contains(stem))
        return true;
    return stem.size() == 4 && (stem.startsWith(QLatin1String("COM")) || stem.startsWith(QLatin1String("LPT")))
           && stem[3] >= QLatin1Char('1') && stem[3] <= QLatin1Char('9');
}

bool isDotOrSpace(QChar c)
{
    return c == QLatin1Char('.') || c.isSpace();
}

// Where the extension starts: a short last suffix, never a leading dot.
int extensionStart(const QString& name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 && name.size() - dot <= 16 ? dot : name.size();
}

// `text` cut to at most `maxBytes` of UTF-8, never inside a character.
QString fitted(const QString& text, int maxBytes)
{
    QString result;
    int bytes = 0;
    for (const uint c : text.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        bytes += character.toUtf8().size();
        if (bytes > maxBytes)
            break;
        result += character;
    }
    return result;
}

QString withinLength(const QString& name, int maxBytes)
{
    if (name.toUtf8().size() <= maxBytes)
        return name;
    const int dot = extensionStart(name);
    const QString extension = name.mid(dot);
    const int stemBytes = maxBytes - extension.toUtf8().size();
    if (stemBytes <= 0)
        return fitted(name, maxBytes);
    return fitted(name.left(dot), stemBytes) + extension;
}

} // namespace

QString fromContentDisposition(const QByteArray& header)
{
    QString plain;
    for (const Parameter& parameter : parameters(header)) {
        if (parameter.name == "filename*") {
            const QString extended = extendedValue(parameter.value);
            if (!extended.isEmpty())
                return extended;
        } else if (parameter.name == "filename" && plain.isEmpty()) {
            plain = plainValue(parameter.value);
        }
    }
    return plain;
}

QString fromUrl(const QUrl& url)
{
    const QString path = url.path(QUrl::FullyEncoded);
    return QUrl::fromPercentEncoding(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1).toLatin1());
}

QString safeFileName(const QString& proposed, int maxBytes)
{
    const int lastSeparator = std::max(proposed.lastIndexOf(QLatin1Char('/')), proposed.lastIndexOf(QLatin1Char('\\')));
    QString name;
    for (const uint c : proposed.mid(lastSeparator + 1).toUcs4()) {
        const bool control = c < 0x20 || (c >= 0x7f && c <= 0x9f);
        const bool windowsRefuses = c < 0x80 && QByteArray("<>:\"|?*").contains(char(c));
        const bool loneSurrogate = QChar::isSurrogate(c);
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Other_Format)
            continue; // invisible: direction overrides, zero-width spaces
        if (control || windowsRefuses || loneSurrogate || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            name += QLatin1Char('_');
        else
            name += QString::fromUcs4(&c, 1);
    }
    int first = 0;
    while (first < name.size() && isDotOrSpace(name[first]))
        ++first;
    int last = name.size();
    while (last > first && isDotOrSpace(name[last - 1]))
        --last;
    name = name.mid(first, last - first);
    if (name.isEmpty())
        name = QStringLiteral("download");
    if (isDeviceName(name))
        name.prepend(QLatin1Char('_'));
    return withinLength(name, maxBytes);
}

QString freeName(const DownloadFolder& folder, const QString& name, int* error)
{
    // 0 when free; EEXIST when taken; another errno when we cannot tell.
    const auto check = [&folder](const QString& candidate) {
        for (const QString& each : {candidate, candidate + partSuffix}) {
            const int found = folder.lookUp(each);
            if (found != ENOENT)
                return found == 0 ? EEXIST : found;
        }
        return 0;
    };
    const int dot = extensionStart(name);
    const QString stem = name.left(dot);
    const QString extension = name.mid(dot);
    const auto numbered = [&](int number) {
        const QString suffix = QStringLiteral(" (%1)").arg(number) + extension;
        return number == 1 ? name : fitted(stem, maxNameBytes - suffix.toUtf8().size()) + suffix;
    };
    return firstFreeName(numbered, check, maxNumberedNames, error);
}

QString withoutJournalEnding(const QString& name)
{
    for (const QLatin1String ending : {QLatin1String("-wal"), QLatin1String("-shm"), QLatin1String("-journal")}) {
        if (name.endsWith(ending, Qt::CaseInsensitive))
            return name.left(name.size() - ending.size()) + QLatin1Char('_') + name.right(ending.size() - 1);
    }
    return name;
}

} // namespace ZelkShell::DownloadNames
