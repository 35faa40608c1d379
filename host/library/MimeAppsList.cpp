// Line-based reading and editing of mimeapps.list.

#include "host/library/MimeAppsList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ZelkNimbo {

namespace {

const QString defaultApplicationsGroup = QStringLiteral("Default Applications");
const QString addedAssociationsGroup = QStringLiteral("Added Associations");
const QString removedAssociationsGroup = QStringLiteral("Removed Associations");
const QChar listSeparator = QLatin1Char(';');

bool isComment(const QByteArray& trimmedLine)
{
    return trimmedLine.startsWith('#');
}

bool isGroupHeader(const QByteArray& trimmedLine)
{
    return trimmedLine.startsWith('[') && trimmedLine.endsWith(']');
}

QString groupName(const QByteArray& trimmedHeader)
{
    return QString::fromUtf8(trimmedHeader.mid(1, trimmedHeader.size() - 2));
}

QStringList without(QStringList list, const QString& item)
{
    list.removeAll(item);
    return list;
}

} // namespace

bool MimeAppsList::load(const QString& path)
{
    lines.clear();
    endsWithNewline = true;
    modified = false;

    const QFileInfo info(path);
    if (!info.exists())
        return true;
    if (info.isDir())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    if (content.isEmpty())
        return true;

    lines = content.split('\n');
    // split() leaves an empty last element after a final newline; remember the
    // newline instead so the file ends exactly as it did.
    endsWithNewline = lines.last().isEmpty();
    if (endsWithNewline)
        lines.removeLast();
    return true;
}

void MimeAppsList::makeDefault(const QString& mimeType, const QString& desktopId)
{
    setValues(defaultApplicationsGroup, mimeType,
              QStringList(desktopId) + without(values(defaultApplicationsGroup, mimeType), desktopId),
              ListStyle::Plain);
    setValues(addedAssociationsGroup, mimeType,
              QStringList(desktopId) + without(values(addedAssociationsGroup, mimeType), desktopId),
              ListStyle::TrailingSeparator);
    // A removed association would hide the application whatever the default says.
    setValues(removedAssociationsGroup, mimeType,
              without(values(removedAssociationsGroup, mimeType), desktopId),
              ListStyle::TrailingSeparator);
}

void MimeAppsList::dropDefault(const QString& mimeType, const QString& desktopId)
{
    setValues(defaultApplicationsGroup, mimeType,
              without(values(defaultApplicationsGroup, mimeType), desktopId), ListStyle::Plain);
    setValues(addedAssociationsGroup, mimeType,
              without(values(addedAssociationsGroup, mimeType), desktopId), ListStyle::TrailingSeparator);
}

void MimeAppsList::renameApplication(const QString& oldId, const QString& newId)
{
    for (const QString& group : {defaultApplicationsGroup, addedAssociationsGroup, removedAssociationsGroup}) {
        const int header = findGroup(group);
        if (header < 0)
            continue;
        QStringList keys;
        for (int index = header + 1; index < groupEnd(header); ++index) {
            const QByteArray trimmed = lines.at(index).trimmed();
            const int equals = trimmed.indexOf('=');
            if (!isComment(trimmed) && equals > 0)
                keys << QString::fromUtf8(trimmed.left(equals).trimmed());
        }
        for (const QString& key : keys) {
            const QStringList old = values(group, key);
            if (!old.contains(oldId))
                continue;
            // In the old name's place; once, where either came first.
            QStringList renamed;
            for (const QString& id : old) {
                const QString kept = id == oldId ? newId : id;
                if (!renamed.contains(kept))
                    renamed << kept;
            }
            setValues(group, key, renamed, ListStyle::Plain);
        }
    }
}

bool MimeAppsList::save(const QString& path) const
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return false;

    QByteArray content;
    for (const QByteArray& line : lines) {
        content += line;
        content += '\n';
    }
    if (!endsWithNewline && !content.isEmpty())
        content.chop(1);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

int MimeAppsList::findGroup(const QString& group) const
{
    // A repeated group is not valid in this format; edits go to its first copy.
    for (int index = 0; index < lines.size(); ++index) {
        const QByteArray trimmed = lines.at(index).trimmed();
        if (isGroupHeader(trimmed) && groupName(trimmed) == group)
            return index;
    }
    return -1;
}

int MimeAppsList::groupEnd(int headerLine) const
{
    int index = headerLine + 1;
    while (index < lines.size() && !isGroupHeader(lines.at(index).trimmed()))
        ++index;
    return index;
}

int MimeAppsList::findKey(int headerLine, const QString& key) const
{
    const int end = groupEnd(headerLine);
    for (int index = headerLine + 1; index < end; ++index) {
        const QByteArray trimmed = lines.at(index).trimmed();
        const int equals = trimmed.indexOf('=');
        if (isComment(trimmed) || equals < 0)
            continue;
        if (QString::fromUtf8(trimmed.left(equals).trimmed()) == key)
            return index;
    }
    return -1;
}

QStringList MimeAppsList::values(const QString& group, const QString& key) const
{
    const int header = findGroup(group);
    const int line = header < 0 ? -1 : findKey(header, key);
    if (line < 0)
        return QStringList();
    const QByteArray& text = lines.at(line);
    const QString value = QString::fromUtf8(text.mid(text.indexOf('=') + 1));
    QStringList result;
    for (const QString& item : value.split(listSeparator)) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty())
            result.append(trimmed);
    }
    return result;
}

void MimeAppsList::setValues(const QString& group, const QString& key, const QStringList& newValues,
                             ListStyle style)
{
    // An unchanged list keeps its line exactly as the user or another program
    // wrote it.
    if (newValues == values(group, key))
        return;
    modified = true;

    int header = findGroup(group);
    const int existing = header < 0 ? -1 : findKey(header, key);
    if (newValues.isEmpty()) {
        if (existing >= 0)
            lines.removeAt(existing);
        return;
    }

    // Follow the existing line's habit of ending the list with a separator.
    if (existing >= 0)
        style = lines.at(existing).trimmed().endsWith(';') ? ListStyle::TrailingSeparator : ListStyle::Plain;
    QString text = key + QLatin1Char('=') + newValues.join(listSeparator);
    if (style == ListStyle::TrailingSeparator)
        text += listSeparator;
    const QByteArray line = text.toUtf8();

    if (existing >= 0) {
        lines[existing] = line;
        return;
    }
    if (header < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QByteArray());
        lines.append('[' + group.toUtf8() + ']');
        header = lines.size() - 1;
    }
    // New keys go after the group's last entry, before any blank lines that
    // separate it from the next group.
    int insertAt = groupEnd(header);
    while (insertAt > header + 1 && lines.at(insertAt - 1).trimmed().isEmpty())
        --insertAt;
    lines.insert(insertAt, line);
}

} // namespace ZelkNimbo
