// zelk-render-icon SOURCE.svg OUTDIR SIZE...
//
// Renders the player's icon from its SVG source into OUTDIR/<SIZE>x<SIZE>.png
// for each SIZE, as the hicolor icon theme's folders want them: square,
// 32-bit RGBA, transparent outside the drawing.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    // Fonts and screens are never needed: no display either.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: zelk-render-icon SOURCE.svg OUTDIR SIZE...\n");
        return 2;
    }
    QSvgRenderer renderer(arguments.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "zelk-render-icon: %s is not a valid SVG file\n", qUtf8Printable(arguments.at(1)));
        return 1;
    }
    for (const QString& sizeText : arguments.mid(3)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        if (!ok || size < 1 || size > 4096) {
            std::fprintf(stderr, "zelk-render-icon: \"%s\" is not a size in pixels\n", qUtf8Printable(sizeText));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        const QString file = QStringLiteral("%1/%2x%2.png").arg(arguments.at(2)).arg(size);
        if (!image.convertToFormat(QImage::Format_ARGB32).save(file, "PNG")) {
            std::fprintf(stderr, "zelk-render-icon: cannot write %s\n", qUtf8Printable(file));
            return 1;
        }
    }
    return 0;
}
