#pragma once

// Internal: an editor for the freedesktop.org mimeapps.list file that changes
// only the keys it is asked to change. QSettings cannot be used: it escapes
// the '/' and ';' that every key and value of this file contains, and it drops
// comments. Everything not edited is written back byte for byte.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace ZelkNimbo {

class MimeAppsList {
public:
    // Reads the file at `path`. A file that does not exist yet is an empty
    // list; one that exists but cannot be read is a failure, so that saving
    // can never replace a file we did not see.
    bool load(const QString& path);

    // Puts `desktopId` first among the default applications of `mimeType`,
    // lists it among the added associations and lifts a removal of it.
    void makeDefault(const QString& mimeType, const QString& desktopId);
    // Takes `desktopId` out of the default applications and added
    // associations of `mimeType`; other applications stay as they are.
    void dropDefault(const QString& mimeType, const QString& desktopId);

    // Puts `newId` wherever `oldId` is named (the desktop entry was renamed),
    // in every group this editor changes.
    void renameApplication(const QString& oldId, const QString& newId);

    bool isModified() const { return modified; }

    // Writes the file atomically, creating its folder when needed.
    bool save(const QString& path) const;

private:
    enum class ListStyle { Plain, TrailingSeparator };

    int findGroup(const QString& group) const;
    int groupEnd(int headerLine) const;
    int findKey(int headerLine, const QString& key) const;
    QStringList values(const QString& group, const QString& key) const;
    void setValues(const QString& group, const QString& key, const QStringList& newValues, ListStyle style);

    QList<QByteArray> lines;
    bool endsWithNewline = true;
    bool modified = false;
};

} // namespace ZelkNimbo
