// A read-only list of choices (shown text, item data) for a combo box whose
// items are fixed once filled: the language and code-page lists.
//
// Those lists hold a few hundred items that are the same for every window of
// the process, so they are sorted once and shared; each combo box gets a
// small model over the shared rows, optionally with one extra item on top.
// Filling the combo boxes item by item took longer than building the form.
#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QSharedPointer>
#include <QVector>

namespace ZelkNimbo {

struct Choice {
    QString text;
    QVariant data;
};

class SortedChoices {
public:
    // Sorts `unsorted` by text the way QStandardItemModel::sort(0) does
    // (stable, case-sensitive), remembering where each input item went.
    explicit SortedChoices(const QVector<Choice>& unsorted);

    int size() const { return items_.size(); }
    const Choice& at(int row) const { return items_.at(row); }
    // The row of the first item whose data is the string `data`, or -1.
    int rowOfData(const QString& data) const { return rowOfData_.value(data, -1); }
    // Where the input item `inputIndex` ended up after sorting.
    int rowOfInput(int inputIndex) const { return rowOfInput_.value(inputIndex, -1); }

private:
    QVector<Choice> items_;
    QHash<QString, int> rowOfData_;
    QVector<int> rowOfInput_;
};

class ChoiceListModel : public QAbstractListModel {
public:
    ChoiceListModel(QSharedPointer<const SortedChoices> choices, QObject* parent);
    ChoiceListModel(const Choice& leading, QSharedPointer<const SortedChoices> choices, QObject* parent);

    // The row shown for sorted row `sortedRow` (one further down below a leading item).
    int rowOfSorted(int sortedRow) const { return sortedRow < 0 ? -1 : sortedRow + offset(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A combo box's findData() on the item data is a lookup, not a scan.
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits,
                          Qt::MatchFlags flags) const override;

private:
    int offset() const { return hasLeading_ ? 1 : 0; }
    const Choice* choiceAt(int row) const;

    QSharedPointer<const SortedChoices> choices_;
    Choice leading_;
    bool hasLeading_ = false;
};

} // namespace ZelkNimbo
