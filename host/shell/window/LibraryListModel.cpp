#include "host/shell/window/LibraryListModel.h"

#include <algorithm>

namespace ZelkShell {

LibraryListModel::LibraryListModel(const QString& libraryFile, QObject* parent)
    : QAbstractListModel(parent)
    , reader_(libraryFile)
{
    connect(&reader_, &LibraryReader::pageRead, this, &LibraryListModel::pageRead);
}

void LibraryListModel::reload(int recentLimit)
{
    LibraryReader::Request request;
    request.ticket = reloadTicket_ = ++lastTicket_;
    // As many as are shown: a reload while an import lands keeps the place
    // the user scrolled to.
    request.limit = std::max<int>(pageSize, rows_.size());
    request.withTotal = true;
    request.recentLimit = recentLimit;
    reading_ = true;
    reader_.read(request);
}

QString LibraryListModel::pathAt(int row) const
{
    return row >= 0 && row < rows_.size() ? rows_[row].path : QString();
}

int LibraryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_.size();
}

QVariant LibraryListModel::data(const QModelIndex& index, int role) const
{
    const QString path = pathAt(index.row());
    if (path.isEmpty())
        return {};
    if (role == Qt::DisplayRole)
        return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (role == Qt::ToolTipRole || role == Qt::UserRole)
        return path;
    return {};
}

bool LibraryListModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !reading_ && !atEnd_ && total_ >= 0;
}

void LibraryListModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    LibraryReader::Request request;
    request.ticket = ++lastTicket_;
    request.after = rows_.isEmpty() ? QString() : rows_.last().path;
    request.limit = pageSize;
    reading_ = true;
    reader_.read(request);
}

void LibraryListModel::pageRead(const LibraryReader::Page& page)
{
    // Only the last request counts: a page asked before a reload is stale.
    if (page.request.ticket != lastTicket_)
        return;
    reading_ = false;
    if (page.failed) {
        emit readFailed(page.busy, page.error);
        return;
    }
    atEnd_ = page.entries.size() < page.request.limit;
    if (page.request.ticket == reloadTicket_) {
        beginResetModel();
        rows_ = page.entries;
        total_ = page.total;
        endResetModel();
        emit reloaded(page.recent);
    } else if (!page.entries.isEmpty()) {
        beginInsertRows({}, rows_.size(), rows_.size() + page.entries.size() - 1);
        rows_ += page.entries;
        endInsertRows();
    }
}

} // namespace ZelkShell
