#include "host/shell/headless/FrameGrab.h"

#include "host/shell/engine/EngineSettingsApplier.h"
#include "host/shell/engine/PlaybackEngine.h"
#include "host/shell/engine/SoftwareFrameRenderer.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QTimer>

#include <algorithm>

namespace ZelkShell {

namespace {

// Opening and seeking a local file takes well under a second; this only
// keeps a broken file from hanging a script.
constexpr int grabTimeoutMs = 20000;
// Drawing one frame of a paused video takes milliseconds.
constexpr int drawTimeoutMs = 5000;

} // namespace

bool grabFrame(const QString& video, double seconds, const QString& output, QString* error)
{
    auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (!QFileInfo(video).isFile())
        return fail(QStringLiteral("cannot open \"%1\": no such file").arg(video));
    if (seconds < 0)
        return fail(QStringLiteral("the time must not be negative"));

    PlaybackEngine engine;
    QString engineError;
    // Nothing is heard; frames are taken exactly at the time asked.
    if (!engine.setOption("ao", QStringLiteral("null"), &engineError)
        || !engine.setOption("hr-seek", QStringLiteral("yes"), &engineError) || !engine.initialize(&engineError))
        return fail(QStringLiteral("the playback engine did not start: %1").arg(engineError));
    SoftwareFrameRenderer* renderer = engine.softwareRenderer(&engineError);
    if (!renderer)
        return fail(QStringLiteral("the playback engine cannot render: %1").arg(engineError));
    EngineSettingsApplier settings(engine, true);
    settings.apply();

    QEventLoop loop;
    QString reason;
    QImage frame;
    QObject::connect(&engine, &PlaybackEngine::openFailed, &loop, [&](const QString&, const QString& why) {
        reason = QStringLiteral("cannot open \"%1\": %2").arg(video, why);
        loop.quit();
    });
    QObject::connect(&engine, &PlaybackEngine::fileLoaded, &loop, [&] {
        const double duration = engine.propertyDouble("duration", -1.0);
        if (duration >= 0 && seconds > duration) {
            reason = QStringLiteral("%1 s is past the end of \"%2\" (%3 s long)")
                         .arg(seconds)
                         .arg(video)
                         .arg(duration, 0, 'f', 3);
            loop.quit();
        }
    });
    // Once the seek is done the frame at that time is the one to draw. The
    // engine stops at the first frame from the time on; the frame shown at
    // a time between two frames is the earlier one: one step back then.
    bool steppedBack = false;
    QObject::connect(&engine, &PlaybackEngine::playbackRestarted, &loop, [&] {
        // The engine's events come in batches: the file may have been found
        // wanting (past its end) in the same batch, before the loop stopped.
        if (!reason.isEmpty())
            return;
        const double shownAt = engine.propertyDouble("time-pos", seconds);
        const double frameRate = engine.propertyDouble("container-fps", 0.0);
        if (!steppedBack && frameRate > 0 && shownAt > seconds + 1e-6) {
            steppedBack = true;
            engine.seek(std::max(0.0, shownAt - 1.0 / frameRate));
            return;
        }
        QSize size = engine.videoSize();
        if (size.isEmpty())
            size = QSize(engine.propertyString("dwidth").toInt(), engine.propertyString("dheight").toInt());
        if (size.isEmpty()) {
            reason = QStringLiteral("\"%1\" has no picture").arg(video);
        } else {
            frame = renderer->drawAndWait(size, drawTimeoutMs);
            if (frame.isNull())
                reason = QStringLiteral("the frame could not be rendered");
        }
        loop.quit();
    });
    QTimer::singleShot(grabTimeoutMs, &loop, [&] {
        reason = QStringLiteral("no frame of \"%1\" within %2 s").arg(video).arg(grabTimeoutMs / 1000);
        loop.quit();
    });
    if (!engine.open(QFileInfo(video).absoluteFilePath(), seconds, true))
        return fail(QStringLiteral("cannot open \"%1\"").arg(video));
    loop.exec();

    if (frame.isNull())
        return fail(reason.isEmpty() ? QStringLiteral("no frame") : reason);
    if (!frame.convertToFormat(QImage::Format_RGB32).save(output))
        return fail(QStringLiteral("cannot write \"%1\"").arg(output));
    return true;
}

} // namespace ZelkShell
