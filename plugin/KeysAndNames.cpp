// What the window adds for keyboard and screen-reader users: names for the
// controls no label names, the keys of a dialog, and title images drawn for
// the screen's scale.

#include "plugin/ZNBPreferencesPlugin.h"

#include "ui/TitleImages.h"

#include <QApplication>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

namespace ZelkNimbo {

void ZNBPreferencesPlugin::makeAccessible()
{
    nameControls();
    setUpKeys();
    showTitleImagesForScreen(ui);
}

// Controls with a label of their own are named by it (the form links each
// label to its control). These have none, or share a text with another
// control of their page, or would be named after their group.
void ZNBPreferencesPlugin::nameControls()
{
    ui.listBox->setAccessibleName(tr("Preference pages"));

    ui.zelkMoviesEdit->setAccessibleName(tr("Default video folder path"));
    ui.zelkMoviesButton->setAccessibleName(tr("Browse for the default video folder"));
    ui.customDirEdit->setAccessibleName(tr("Other folder to open videos from"));
    ui.customDirButton->setAccessibleName(tr("Browse for the other folder"));
    ui.defaultViewComboBox->setAccessibleName(tr("Default view when Zelk Player opens"));

    ui.brightnessResetButton->setAccessibleName(tr("Reset brightness"));
    ui.contrastResetButton->setAccessibleName(tr("Reset contrast"));
    ui.saturationResetButton->setAccessibleName(tr("Reset saturation"));

    ui.subtitleTextSampleLabel->setAccessibleName(tr("Preview of the subtitle font and colours"));
}

// Escape closes as the title bar's close button does (so unsaved changes get
// their question); Return and Enter do what OK does; Ctrl+Tab and
// Ctrl+PageDown, with Shift or PageUp backwards, switch pages. Shortcuts
// rather than key handlers: a control that uses a key itself (an open list)
// gets it first.
void ZNBPreferencesPlugin::setUpKeys()
{
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    for (const int key : {int(Qt::Key_Return), int(Qt::Key_Enter)}) {
        auto* confirm = new QShortcut(QKeySequence(key), this);
        connect(confirm, &QShortcut::activated, this, [this] { pressDefaultButton(); });
    }

    const int nextPageKeys[] = {int(Qt::CTRL | Qt::Key_Tab), int(Qt::CTRL | Qt::Key_PageDown)};
    for (const int keys : nextPageKeys) {
        auto* next = new QShortcut(QKeySequence(keys), this);
        connect(next, &QShortcut::activated, this, [this] { switchPage(1); });
    }
    // Shift+Tab arrives as Backtab from most keyboards, as Tab from some.
    const int previousPageKeys[] = {int(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), int(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                    int(Qt::CTRL | Qt::Key_PageUp)};
    for (const int keys : previousPageKeys) {
        auto* previous = new QShortcut(QKeySequence(keys), this);
        connect(previous, &QShortcut::activated, this, [this] { switchPage(-1); });
    }
}

void ZNBPreferencesPlugin::pressDefaultButton()
{
    // On a push button Return presses that button, as Space does; anywhere
    // else it presses OK, the window's default button.
    auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
    QPushButton* button = focused && isAncestorOf(focused) ? focused : ui.okButton;
    if (button->isEnabled())
        button->click();
}

void ZNBPreferencesPlugin::switchPage(int step)
{
    const int count = ui.listBox->count();
    if (count == 0)
        return;
    const int current = qMax(ui.listBox->currentRow(), 0);
    QWidget* focused = QApplication::focusWidget();
    const bool focusOnPage = focused && ui.stackedWidget->isAncestorOf(focused);
    ui.listBox->setCurrentRow((current + step + count) % count);
    // Focus left on the page just hidden would be on nothing visible; on the
    // page list the reader announces the page now shown.
    if (focusOnPage)
        ui.listBox->setFocus(Qt::ShortcutFocusReason);
}

} // namespace ZelkNimbo
