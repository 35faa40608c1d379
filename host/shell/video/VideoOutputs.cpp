#include "host/shell/video/VideoOutputs.h"

#include "host/shell/video/VideoSurfaces.h"

#include <QGuiApplication>
#include <QWidget>

namespace ZelkShell {

namespace {

const char* outputName(VideoOutputKind kind)
{
    switch (kind) {
    case VideoOutputKind::Software:
        return "software";
    case VideoOutputKind::OpenGL:
        return "OpenGL";
    case VideoOutputKind::EngineWindow:
        return "XVideo";
    }
    return "?";
}

} // namespace

VideoOutputKind chooseVideoOutput(const StoredSettings& settings)
{
    const VideoOutputChoice choice = videoOutputChoice(settings);
    if (!choice.fallback.isEmpty())
        qWarning("zelk-player: %s", qUtf8Printable(choice.fallback));
    if (choice.kind == VideoOutputKind::Software)
        return choice.kind;
    const QString platform = QGuiApplication::platformName();
    // Only the software renderer works without a display; the engine's own
    // window needs an X11 window to draw into.
    const bool usable = choice.kind == VideoOutputKind::EngineWindow ? platform == QLatin1String("xcb")
                                                                     : platform != QLatin1String("offscreen")
                                                                           && platform != QLatin1String("minimal");
    if (usable)
        return choice.kind;
    qWarning("zelk-player: the %s video output needs a display; using the software renderer on \"%s\"",
             outputName(choice.kind), qUtf8Printable(platform));
    return VideoOutputKind::Software;
}

VideoSurface* createVideoSurface(VideoOutputKind kind, PlaybackEngine& engine, QWidget* widgetParent,
                                 QObject* owner)
{
    // Windows able to hold OpenGL children make Qt load the display's
    // OpenGL driver when the first one is shown (with a software driver,
    // a compiler of some 100 MB): only the OpenGL output draws with it. Set
    // before any window of the process exists on screen.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets, kind != VideoOutputKind::OpenGL);
    switch (kind) {
    case VideoOutputKind::EngineWindow:
        return new EngineWindowSurface(engine, widgetParent, owner);
    case VideoOutputKind::OpenGL:
        return new OpenGlVideoSurface(widgetParent, owner);
    case VideoOutputKind::Software:
        break;
    }
    return new SoftwareVideoSurface(widgetParent, owner);
}

} // namespace ZelkShell
