#include "plugin/WindowAccessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace ZelkNimbo {

namespace {

const char windowClassName[] = "ZelkNimbo::ZNBPreferencesPlugin";

int liveWindows = 0;

// A label's text as read aloud: the access-key marks are not spoken.
QString withoutAccessKeyMarks(QString text)
{
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&'))
            text.remove(i, 1); // "&&" leaves one '&', which the loop then steps over
    }
    return text;
}

// The text of the label that names `widget` (its buddy), if one does.
QString labelOf(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    if (!parent)
        return QString();
    for (const QObject* sibling : parent->children()) {
        const auto* label = qobject_cast<const QLabel*>(sibling);
        if (label && label->buddy() == widget)
            return withoutAccessKeyMarks(label->text());
    }
    return QString();
}

// A selection list named by what it sets. Qt's own interface for combo boxes
// names them, on Linux, by their current item, so the three language lists
// would all be read as "English"; here the name is the list's accessible name
// or its label, and the current item is the value, as for other controls.
class LabelledComboBox : public QAccessibleWidget {
public:
    explicit LabelledComboBox(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name) {
            const QString name = box()->accessibleName();
            return name.isEmpty() ? labelOf(box()) : name;
        }
        if (kind == QAccessible::Value)
            return box()->currentText();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = box()->view()->isVisible();
        state.editable = box()->isEditable();
        return state;
    }

    // The item list comes first, as in Qt's own interface, so that readers
    // find the items where they expect them; then the editor, if any.
    int childCount() const override { return QAccessibleWidget::childCount() + 1; }

    QAccessibleInterface* child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(box()->view());
        return QAccessibleWidget::child(index - 1);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (child && child->object() == box()->view())
            return 0;
        const int index = QAccessibleWidget::indexOfChild(child);
        return index < 0 ? -1 : index + 1;
    }

    QStringList actionNames() const override
    {
        return QStringList(showMenuAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == showMenuAction() || action == pressAction())
            box()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

bool inPreferencesWindow(const QWidget* widget)
{
    const QWidget* window = widget->window();
    return window && window->inherits(windowClassName);
}

QAccessibleInterface* preferencesWindowFactory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    // A dialog to screen readers, whatever its window flags say: it is a
    // top-level window of settings with OK and Cancel.
    if (className == QLatin1String(windowClassName))
        return new QAccessibleWidget(widget, QAccessible::Dialog);
    if (className == QLatin1String("QComboBox") && inPreferencesWindow(widget))
        return new LabelledComboBox(static_cast<QComboBox*>(widget));
    return nullptr;
}

} // namespace

WindowAccessibility::WindowAccessibility()
{
    if (liveWindows++ == 0)
        QAccessible::installFactory(preferencesWindowFactory);
}

WindowAccessibility::~WindowAccessibility()
{
    if (--liveWindows == 0)
        QAccessible::removeFactory(preferencesWindowFactory);
}

} // namespace ZelkNimbo
