// A loadable module built like the preferences plug-in (hidden visibility,
// one exported entry point) that links the zelk_form object files, so that
// tst_form_module can check that the title images are registered with Qt's
// resource system while it is loaded and unregistered once it is unloaded.
#include "PreferencesForm.h"

#include <QWidget>

// Builds the form on a bare widget; returns the number of stack pages, or -1
// when a title image did not load.
extern "C" __attribute__((visibility("default"))) int zelk_form_probe_build()
{
    QWidget window;
    Ui::PreferencesDialog ui;
    ui.setupUi(&window);
    for (const QLabel *image : {ui.titlePixmap, ui.titlePixmap_2, ui.titlePixmap_3, ui.titlePixmap_4, ui.titlePixmap_5})
        if (image->pixmap(Qt::ReturnByValue).size() != QSize(46, 46))
            return -1;
    return ui.stackedWidget->count();
}
