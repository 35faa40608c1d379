// zelk-render-titles OUTDIR
//
// Draws the title images of the five preferences pages and writes
// OUTDIR/General.png, Video.png, Playback.png, Subtitle.png and Advanced.png:
// 46x46 pixels, 8-bit RGB without alpha. Each is drawn in a 46-unit square at
// four times the size and reduced by area averaging, so the shapes stay crisp
// at the size at which the title panel shows them (unscaled, in a 48x48 box
// with a 1-pixel frame).
//
// The same drawing at twice the resolution goes to OUTDIR/<name>@2x.png
// (92x92): Qt's high-DPI loading picks these on screens scaled by more than
// one, so the images are as sharp as the text there.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <cstdio>
#include <functional>

namespace {

constexpr int kSize = 46;
constexpr int kOversample = 4;

const QColor kWhite(255, 255, 255);

void background(QPainter &p, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(0, 0, 0, kSize);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(QRectF(0, 0, kSize, kSize), g);
    // A faint lighter rim at the top edge gives the tile some depth.
    p.fillRect(QRectF(0, 0, kSize, 1), top.lighter(115));
}

// General: a cog wheel.
void drawGeneral(QPainter &p)
{
    const QColor top(74, 144, 226), bottom(30, 80, 160);
    background(p, top, bottom);
    const QPointF c(23, 23);
    QPainterPath wheel;
    wheel.addEllipse(c, 12.5, 12.5);
    for (int i = 0; i < 8; ++i) {
        QPainterPath tooth;
        tooth.addRoundedRect(QRectF(-3.4, -18.5, 6.8, 9), 1.2, 1.2);
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(i * 45.0);
        wheel = wheel.united(t.map(tooth));
    }
    QPainterPath hole;
    hole.addEllipse(c, 5.5, 5.5);
    wheel = wheel.subtracted(hole);
    p.setPen(QPen(bottom.darker(140), 1.0));
    p.setBrush(kWhite);
    p.drawPath(wheel);
}

// Video Library: a strip of film with sprocket holes and two frames.
void drawVideo(QPainter &p)
{
    const QColor top(165, 105, 200), bottom(92, 44, 120);
    background(p, top, bottom);
    p.save();
    p.translate(23, 23);
    p.rotate(-12);
    const QRectF strip(-12, -19, 24, 38);
    QPainterPath film;
    film.addRoundedRect(strip, 2, 2);
    for (int i = 0; i < 6; ++i) {
        const double y = -16.5 + i * 6.0;
        film.addRect(QRectF(-10, y, 3, 3));
        film.addRect(QRectF(7, y, 3, 3));
    }
    film.addRect(QRectF(-5, -16, 10, 14.5));
    film.addRect(QRectF(-5, 1.5, 10, 14.5));
    film.setFillRule(Qt::OddEvenFill);
    p.setPen(QPen(bottom.darker(150), 1.0));
    p.setBrush(QColor(245, 245, 245));
    p.drawPath(film);
    // Tint the two frames so they read as pictures rather than holes.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 200, 255));
    p.drawRect(QRectF(-4, -15, 8, 12.5));
    p.setBrush(QColor(255, 206, 84));
    p.drawRect(QRectF(-4, 2.5, 8, 12.5));
    p.restore();
}

// Playback: a play triangle in a ring.
void drawPlayback(QPainter &p)
{
    const QColor top(72, 190, 110), bottom(24, 110, 55);
    background(p, top, bottom);
    p.setPen(QPen(kWhite, 3.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(23, 23), 16.5, 16.5);
    QPainterPath play;
    play.moveTo(18.5, 13.5);
    play.lineTo(32.5, 23);
    play.lineTo(18.5, 32.5);
    play.closeSubpath();
    p.setPen(QPen(kWhite, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kWhite);
    p.drawPath(play);
}

// Subtitles: a screen on a stand with two lines of caption text.
void drawSubtitle(QPainter &p)
{
    const QColor top(245, 160, 70), bottom(186, 92, 18);
    background(p, top, bottom);
    p.setPen(QPen(kWhite, 2.2));
    p.setBrush(QColor(40, 44, 52));
    p.drawRoundedRect(QRectF(5.5, 7.5, 35, 26), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kWhite);
    p.drawRect(QRectF(20.5, 34, 5, 4));
    p.drawRoundedRect(QRectF(14, 38, 18, 2.6), 1.2, 1.2);
    p.setBrush(QColor(255, 236, 120));
    p.drawRoundedRect(QRectF(11, 21.5, 24, 3.4), 1.6, 1.6);
    p.drawRoundedRect(QRectF(15, 27, 16, 3.4), 1.6, 1.6);
}

// Advanced: three slider controls at different settings.
void drawAdvanced(QPainter &p)
{
    const QColor top(110, 128, 148), bottom(44, 62, 80);
    background(p, top, bottom);
    const double xs[3] = {13, 23, 33};
    const double knobs[3] = {29, 15, 23};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(kWhite, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(xs[i], 8), QPointF(xs[i], 38));
    }
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(bottom.darker(130), 1.2));
        p.setBrush(QColor(255, 190, 60));
        p.drawRoundedRect(QRectF(xs[i] - 5, knobs[i] - 3, 10, 6), 1.5, 1.5);
    }
}

// `scale` 1 gives the 46x46 image, 2 its 92x92 high-DPI companion.
QImage render(const std::function<void(QPainter &)> &draw, int scale)
{
    const int side = kSize * scale;
    QImage big(side * kOversample, side * kOversample, QImage::Format_RGB32);
    big.fill(Qt::black);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(kOversample * scale, kOversample * scale);
        draw(p);
    }
    QImage small = big.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    // Fixed resolution (72 dpi per scale step) so that the files do not
    // depend on the screen.
    small.setDotsPerMeterX(2835 * scale);
    small.setDotsPerMeterY(2835 * scale);
    return small;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    struct Title {
        const char *name;
        void (*draw)(QPainter &);
    };
    const Title titles[] = {
        {"General", drawGeneral},   {"Video", drawVideo},       {"Playback", drawPlayback},
        {"Subtitle", drawSubtitle}, {"Advanced", drawAdvanced},
    };
    for (const Title &t : titles) {
        for (int scale : {1, 2}) {
            const QImage image = render(t.draw, scale);
            const QString suffix = scale == 1 ? QStringLiteral(".png") : QStringLiteral("@%1x.png").arg(scale);
            const QString path = QDir(outDir).filePath(QString::fromLatin1(t.name) + suffix);
            QImageWriter writer(path, "png");
            if (!writer.write(image)) {
                std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
                return 1;
            }
            std::printf("%s\n", qPrintable(path));
        }
    }
    return 0;
}
