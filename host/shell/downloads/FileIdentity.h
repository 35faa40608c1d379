#pragma once

#include <QtGlobal>

namespace ZelkShell {

// Which file a name stood for when we looked: its device and inode. A .part
// file a download made is recognised by this, not by its name, so that a file
// someone else put under that name (another download's, a browser's, a FIFO)
// is never written to, emptied, renamed or deleted.
struct FileIdentity {
    qint64 device = 0;
    qint64 inode = 0;

    bool isKnown() const { return inode != 0; }
    bool operator==(const FileIdentity& other) const { return device == other.device && inode == other.inode; }
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

} // namespace ZelkShell
