#pragma once

// Media the playback tests make for themselves: a grey video from FFmpeg's
// generator, and subtitle files written byte for byte.

#include "host/shell/video/VideoView.h"

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QtTest>

namespace zelktest {

// Runs ffmpeg quietly with `arguments` (overwriting outputs); false, with
// its complaint logged, when it fails.
inline bool runFfmpeg(const QStringList& arguments)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), QStringList{QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"),
                                                       QStringLiteral("error"), QStringLiteral("-y")}
                                               + arguments);
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0) {
        qWarning("ffmpeg: %s", ffmpeg.readAllStandardError().constData());
        return false;
    }
    return true;
}

// A mid-grey video of `seconds` at 25 frames per second, small and quick to
// decode; empty when it could not be made.
inline QString makeGreyVideo(const QDir& folder, const QString& name, int seconds = 6)
{
    const QString path = folder.absoluteFilePath(name);
    const bool made = runFfmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                                 QStringLiteral("color=c=0x808080:s=320x240:r=25:d=%1").arg(seconds),
                                 QStringLiteral("-c:v"), QStringLiteral("mpeg4"), QStringLiteral("-q:v"),
                                 QStringLiteral("2"), path});
    return made ? path : QString();
}

// A one-second clip shaped like a real file: video, a stereo audio track
// and tags on both; empty when ffmpeg failed.
inline QString makeClip(const QDir& folder, const QString& name, double seconds = 1.0)
{
    const QString path = folder.absoluteFilePath(name);
    const bool made = runFfmpeg(
        {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
         QStringLiteral("testsrc=s=320x240:r=25:d=%1").arg(seconds), QStringLiteral("-f"), QStringLiteral("lavfi"),
         QStringLiteral("-i"), QStringLiteral("sine=f=440:sample_rate=48000:d=%1").arg(seconds), QStringLiteral("-ac"),
         QStringLiteral("2"), QStringLiteral("-c:v"), QStringLiteral("mpeg4"), QStringLiteral("-c:a"),
         QStringLiteral("aac"), QStringLiteral("-metadata:s:v:0"), QStringLiteral("language=eng"),
         QStringLiteral("-metadata:s:a:0"), QStringLiteral("language=fre"), QStringLiteral("-shortest"), path});
    return made ? path : QString();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Pixels of the lower quarter (where subtitles are) of a hue and brightness:
// subtitle text, not the grey picture or the black outline.
inline int subtitlePixels(const QImage& frame, int hueFrom, int hueTo)
{
    int count = 0;
    for (int y = frame.height() * 3 / 4; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            const QColor colour = frame.pixelColor(x, y).toHsv();
            if (colour.saturation() > 150 && colour.value() > 150 && colour.hue() >= hueFrom && colour.hue() <= hueTo)
                ++count;
        }
    }
    return count;
}
inline int yellowPixels(const QImage& frame)
{
    return subtitlePixels(frame, 50, 70);
}
inline int redPixels(const QImage& frame)
{
    return subtitlePixels(frame, 0, 10) + subtitlePixels(frame, 350, 359);
}

// Mean luma of the upper half (the picture, no subtitles).
inline double meanLuma(const QImage& frame)
{
    double sum = 0;
    int count = 0;
    for (int y = 0; y < frame.height() / 2; y += 2) {
        for (int x = 0; x < frame.width(); x += 2) {
            const QRgb pixel = frame.pixel(x, y);
            sum += 0.299 * qRed(pixel) + 0.587 * qGreen(pixel) + 0.114 * qBlue(pixel);
            ++count;
        }
    }
    return count ? sum / count : 0;
}

// Waits for the view to render a frame after the `after`-th one.
inline bool waitForFrameAfter(const ZelkShell::VideoView& view, quint64 after, int timeoutMs = 5000)
{
    return QTest::qWaitFor([&] { return view.framesRendered() > after; }, timeoutMs);
}

} // namespace zelktest
