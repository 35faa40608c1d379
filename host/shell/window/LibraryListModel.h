#pragma once

#include "host/shell/videolibrary/LibraryReader.h"

#include <QAbstractListModel>

namespace ZelkShell {

// The library's videos for a list view, filled as they are shown: the first
// page comes with reload(), the next ones when the view scrolls near the end
// (canFetchMore / fetchMore), every page read by a LibraryReader off the GUI
// thread. A library of 100,000 videos costs the window the rows it shows.
class LibraryListModel : public QAbstractListModel {
    Q_OBJECT

public:
    static constexpr int pageSize = 500;

    explicit LibraryListModel(const QString& libraryFile, QObject* parent = nullptr);

    // Reads the library afresh (as many rows as are shown, at least a page),
    // with the `recentLimit` most recently watched when > 0; answered by
    // reloaded() or readFailed().
    void reload(int recentLimit);
    // Whether an answer is awaited.
    bool isReading() const { return reading_; }
    // Every video in the library at the last reload (the rows fetched so far
    // may be fewer); -1 before the first.
    int totalCount() const { return total_; }
    QString pathAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    void reloaded(const QList<ZelkShell::VideoLibrary::Entry>& recent);
    void readFailed(bool busy, const QString& error);

private:
    void pageRead(const LibraryReader::Page& page);

    LibraryReader reader_;
    QList<VideoLibrary::Entry> rows_;
    quint64 reloadTicket_ = 0;
    quint64 lastTicket_ = 0;
    int total_ = -1;
    bool atEnd_ = false;
    bool reading_ = false;
};

} // namespace ZelkShell
