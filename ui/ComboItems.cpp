#include "ui/ComboItems.h"

#include <QComboBox>
#include <QStandardItemModel>

namespace ZelkNimbo {

void appendItems(QComboBox* list, const QVector<Choice>& items)
{
    auto* model = qobject_cast<QStandardItemModel*>(list->model());
    if (!model) {
        for (const Choice& item : items)
            list->addItem(item.text, item.data);
        return;
    }
    QList<QStandardItem*> rows;
    rows.reserve(items.size());
    for (const Choice& item : items) {
        auto* row = new QStandardItem(item.text);
        if (item.data.isValid())
            row->setData(item.data, Qt::UserRole);
        rows.append(row);
    }
    model->invisibleRootItem()->appendRows(rows);
}

} // namespace ZelkNimbo
