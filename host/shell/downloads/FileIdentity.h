#pragma once

#include <QtGlobal>

namespace ZelkShell {

// Which file a name stood for when we looked: its device and inode, and its
// birth time where the file system keeps one (an inode number freed by a
// deletion is soon given to the next new file; the birth time tells them
// apart). A .part
// file a download made is recognised by this, not by its name, so that a file
// someone else put under that name (another download's, a browser's, a FIFO)
// is never written to, emptied, renamed or deleted.
struct FileIdentity {
    qint64 device = 0;
    qint64 inode = 0;
    qint64 bornNs = 0; // 0 when unknown: then device and inode alone decide

    bool isKnown() const { return inode != 0; }
    bool operator==(const FileIdentity& other) const
    {
        return device == other.device && inode == other.inode
               && (bornNs == 0 || other.bornNs == 0 || bornNs == other.bornNs);
    }
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

} // namespace ZelkShell
