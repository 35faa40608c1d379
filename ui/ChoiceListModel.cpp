#include "ui/ChoiceListModel.h"

#include <algorithm>
#include <numeric>

namespace ZelkNimbo {

SortedChoices::SortedChoices(const QVector<Choice>& unsorted)
{
    QVector<int> order(unsorted.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int left, int right) { return unsorted.at(left).text < unsorted.at(right).text; });
    items_.reserve(order.size());
    rowOfInput_.resize(order.size());
    for (int row = 0; row < order.size(); ++row) {
        const Choice& choice = unsorted.at(order.at(row));
        items_.append(choice);
        rowOfInput_[order.at(row)] = row;
        if (choice.data.type() == QVariant::String && !rowOfData_.contains(choice.data.toString()))
            rowOfData_.insert(choice.data.toString(), row);
    }
}

ChoiceListModel::ChoiceListModel(QSharedPointer<const SortedChoices> choices, QObject* parent)
    : QAbstractListModel(parent)
    , choices_(std::move(choices))
{
}

ChoiceListModel::ChoiceListModel(const Choice& leading, QSharedPointer<const SortedChoices> choices, QObject* parent)
    : QAbstractListModel(parent)
    , choices_(std::move(choices))
    , leading_(leading)
    , hasLeading_(true)
{
}

const Choice* ChoiceListModel::choiceAt(int row) const
{
    if (hasLeading_ && row == 0)
        return &leading_;
    const int sortedRow = row - offset();
    return sortedRow >= 0 && sortedRow < choices_->size() ? &choices_->at(sortedRow) : nullptr;
}

int ChoiceListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : choices_->size() + offset();
}

QVariant ChoiceListModel::data(const QModelIndex& index, int role) const
{
    const Choice* choice = index.isValid() ? choiceAt(index.row()) : nullptr;
    if (!choice)
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return choice->text;
    if (role == Qt::UserRole)
        return choice->data;
    return QVariant();
}

Qt::ItemFlags ChoiceListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

QModelIndexList ChoiceListModel::match(const QModelIndex& start, int role, const QVariant& value, int hits,
                                       Qt::MatchFlags flags) const
{
    const bool exactData = role == Qt::UserRole && flags == (Qt::MatchExactly | Qt::MatchCaseSensitive)
        && value.type() == QVariant::String && hits == 1 && start.isValid() && start.row() == 0
        && !start.parent().isValid();
    if (!exactData)
        return QAbstractListModel::match(start, role, value, hits, flags);
    QModelIndexList found;
    const QString wanted = value.toString();
    if (hasLeading_ && leading_.data.type() == QVariant::String && leading_.data.toString() == wanted)
        found.append(index(0, start.column()));
    else if (const int row = choices_->rowOfData(wanted); row >= 0)
        found.append(index(rowOfSorted(row), start.column()));
    return found;
}

} // namespace ZelkNimbo
