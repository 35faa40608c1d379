// zelk-render-pages OUTDIR [--windows-font]
//
// Builds the preferences form (Ui::PreferencesDialog) on a bare QWidget, the
// way the plug-in does, shows it on the offscreen platform unless another one
// is asked for, and for each page i (stack order) makes list row i current,
// shows stack page i and saves QWidget::grab() of the whole window to
// OUTDIR/page-<i>-<name>.png. The bare form's page list is not wired to
// the stack (the plug-in does that), so both are set here.
//
// A page whose scroll area holds more than it shows (General, with the
// platform's fonts) gets a second picture, OUTDIR/page-<i>-<name>-end.png,
// taken with the scroll area scrolled to its end.
//
// --windows-font takes the pictures with the font the form was laid out for,
// "MS Shell Dlg 2" at 8.25 pt (the base font of its rich-text headings),
// standing in for it with Tahoma, Liberation Sans or DejaVu Sans, whichever is
// installed first; the window then comes close to its designed 675x674.
#include "PreferencesForm.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QString>
#include <QWidget>

#include <cstdio>

namespace {

bool save(QWidget &window, const QString &path)
{
    QApplication::processEvents();
    const QPixmap picture = window.grab();
    if (!picture.save(path, "png")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), picture.width(), picture.height());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    const bool windowsFont = argc == 3 && qstrcmp(argv[2], "--windows-font") == 0;
    if (argc != 2 && !windowsFont) {
        std::fprintf(stderr, "usage: %s OUTDIR [--windows-font]\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (windowsFont) {
        const QString dialogFont = QStringLiteral("MS Shell Dlg 2");
        QFont::insertSubstitutions(dialogFont, {QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                                                QStringLiteral("DejaVu Sans")});
        QFont font(dialogFont);
        font.setPointSizeF(8.25);
        QApplication::setFont(font);
    }

    const QDir outDir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(outDir.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    QWidget window;
    Ui::PreferencesDialog ui;
    ui.setupUi(&window);
    window.show();
    QApplication::processEvents();

    static const char *const names[] = {"general", "video-library", "playback", "subtitles", "advanced"};
    if (ui.stackedWidget->count() != 5) {
        std::fprintf(stderr, "the form has %d pages, not 5\n", ui.stackedWidget->count());
        return 1;
    }
    for (int i = 0; i < 5; ++i) {
        ui.listBox->setCurrentRow(i);
        ui.stackedWidget->setCurrentIndex(i);
        const QString base = QStringLiteral("page-%1-%2").arg(i).arg(QString::fromLatin1(names[i]));
        if (!save(window, outDir.filePath(base + QStringLiteral(".png"))))
            return 1;
        QScrollArea *scroll = ui.stackedWidget->widget(i)->findChild<QScrollArea *>();
        if (scroll && scroll->verticalScrollBar()->maximum() > 0) {
            scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
            const bool ok = save(window, outDir.filePath(base + QStringLiteral("-end.png")));
            scroll->verticalScrollBar()->setValue(0);
            if (!ok)
                return 1;
        }
    }
    return 0;
}
