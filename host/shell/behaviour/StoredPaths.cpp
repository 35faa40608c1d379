#include "host/shell/behaviour/StoredPaths.h"

#include <QFile>
#include <QFileInfo>

#include <dirent.h>

namespace ZelkShell::StoredPaths {

namespace {

const QString urlPrefix = QStringLiteral("file://");

} // namespace

QString encode(const QString& absolutePath)
{
    if (!absolutePath.startsWith(QLatin1Char('/')))
        return QString();
    // Percent-encoding of the UTF-8 bytes; letters outside ASCII are kept
    // as they are so that long names stay within the store's name limit.
    QByteArray encoded = urlPrefix.toLatin1();
    for (const char byte : absolutePath.toUtf8()) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= 0x80 || (value > 0x20 && value < 0x7f && byte != '%' && byte != '#' && byte != '?'))
            encoded += byte;
        else
            encoded += '%' + QByteArray::number(value, 16).rightJustified(2, '0').toUpper();
    }
    return QString::fromUtf8(encoded);
}

QString decode(const QString& stored)
{
    if (stored.startsWith(QLatin1Char('/')))
        return stored; // as earlier versions stored it
    if (!stored.startsWith(urlPrefix))
        return QString();
    const QByteArray bytes = QByteArray::fromPercentEncoding(stored.mid(urlPrefix.size()).toUtf8());
    const QString path = QString::fromUtf8(bytes);
    if (!path.startsWith(QLatin1Char('/')) || path.toUtf8() != bytes)
        return QString();
    return path;
}

bool isFaithful(const QByteArray& raw)
{
    // The engine and the stores take paths as UTF-8: the name must be UTF-8
    // and read the same way by Qt's decoding of file names.
    const QString text = QString::fromUtf8(raw);
    return text.toUtf8() == raw && QFile::decodeName(raw) == text;
}

bool isAmbiguous(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!name.contains(QChar(QChar::ReplacementCharacter)))
        return false;
    DIR* folder = ::opendir(QFile::encodeName(info.absolutePath()).constData());
    if (!folder)
        return false;
    bool ambiguous = false;
    while (const dirent* entry = ::readdir(folder)) {
        const QByteArray raw(entry->d_name);
        if (!isFaithful(raw) && QFile::decodeName(raw) == name) {
            ambiguous = true;
            break;
        }
    }
    ::closedir(folder);
    return ambiguous;
}

QString printable(const QByteArray& raw)
{
    QString text;
    int start = 0;
    for (int i = 0; i < raw.size(); ++i) {
        const auto value = static_cast<unsigned char>(raw[i]);
        if (value < 0x80 && value >= 0x20)
            continue;
        // Find the end of a multi-byte sequence and check it on its own.
        int length = value >= 0xf0 ? 4 : value >= 0xe0 ? 3 : value >= 0xc0 ? 2 : 1;
        const QByteArray sequence = raw.mid(i, length);
        if (value >= 0x80 && sequence.size() == length && isFaithful(sequence)) {
            i += length - 1;
            continue;
        }
        text += QFile::decodeName(raw.mid(start, i - start));
        text += QStringLiteral("\\x%1").arg(value, 2, 16, QLatin1Char('0'));
        start = i + 1;
    }
    text += QFile::decodeName(raw.mid(start));
    return text;
}

QString unrepresentableNameMessage(const QByteArray& raw)
{
    return QStringLiteral("\"%1\" is not valid in this system's encoding, so it cannot be opened exactly; "
                          "rename it and try again.")
        .arg(printable(raw));
}

} // namespace ZelkShell::StoredPaths
