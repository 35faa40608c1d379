#include "ui/TitleImages.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>

namespace ZelkNimbo {

void showTitleImagesForScreen(Ui::PreferencesDialog& ui)
{
    // Qt picks the "@2x" file for an icon (not for a plain pixmap) when the
    // application uses high-DPI pixmaps; the label, which scales its
    // contents, then draws one image pixel per screen pixel.
    if (qApp->devicePixelRatio() <= 1.0 || !qApp->testAttribute(Qt::AA_UseHighDpiPixmaps))
        return;
    const struct {
        QLabel* label;
        const char* path;
    } titles[] = {
        {ui.titlePixmap, ":/Titles/General"},   {ui.titlePixmap_4, ":/Titles/Video"},
        {ui.titlePixmap_5, ":/Titles/Playback"}, {ui.titlePixmap_2, ":/Titles/Subtitle"},
        {ui.titlePixmap_3, ":/Titles/Advanced"},
    };
    const QSize artworkSize(46, 46);
    for (const auto& title : titles) {
        const QPixmap image = QIcon(QString::fromLatin1(title.path)).pixmap(artworkSize);
        if (!image.isNull())
            title.label->setPixmap(image);
    }
}

} // namespace ZelkNimbo
