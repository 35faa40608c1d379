// Filling a combo box's own item model in one insertion: the combo box
// reacts to each insertion (current item, size hint, line edit), so items
// added one by one cost several times what one insertion of all of them does.
#pragma once

#include "ui/ChoiceListModel.h"

class QComboBox;

namespace ZelkNimbo {

// Appends `items` (text, and data unless the data is invalid) at the end of
// `list`, with the same result as addItem() for each in turn.
void appendItems(QComboBox* list, const QVector<Choice>& items);

} // namespace ZelkNimbo
