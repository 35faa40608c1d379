#include "host/shell/VideoOutputs.h"

#include "host/shell/OpenGlVideoView.h"
#include "host/shell/VideoView.h"
#include "host/shell/engine/PlaybackEngine.h"

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

QWidget* createVideoArea(VideoOutputKind kind, PlaybackEngine& engine, QWidget* parent)
{
    // Windows able to hold OpenGL children make Qt load the display's
    // OpenGL driver when the first one is shown (with a software driver,
    // a compiler of some 100 MB): only the OpenGL output draws with it. Set
    // before any window of the process exists on screen.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets, kind != VideoOutputKind::OpenGL);
    if (kind == VideoOutputKind::EngineWindow) {
        // The engine draws into this native window by itself, through XVideo
        // where the display offers it, else its other outputs.
        auto* area = new QWidget(parent);
        area->setObjectName(QStringLiteral("videoArea"));
        area->setAttribute(Qt::WA_NativeWindow);
        area->setAttribute(Qt::WA_DontCreateNativeAncestors);
        area->setMinimumSize(320, 180);
        area->setStyleSheet(QStringLiteral("background: black;"));
        engine.setOption("wid", QString::number(area->winId()));
        engine.setOption("vo", QStringLiteral("xv,gpu,x11,"));
        return area;
    }
    if (kind == VideoOutputKind::OpenGL)
        return new OpenGlVideoView(parent);
    return new VideoView(parent);
}

bool connectVideoArea(VideoOutputKind kind, QWidget* area, PlaybackEngine& engine, QString* error)
{
    if (kind == VideoOutputKind::EngineWindow)
        return true;
    if (auto* openGlView = qobject_cast<OpenGlVideoView*>(area)) {
        // The renderer is made when the widget gets its OpenGL context.
        PlaybackEngine* engineInUse = &engine;
        openGlView->setRendererFactory(
            [engineInUse](OpenGlFrameRenderer::GetProcAddress getProcAddress, void* context, QString* why) {
                return engineInUse->createOpenGlRenderer(getProcAddress, context, why);
            });
        QObject::connect(openGlView, &OpenGlVideoView::rendererFailed, openGlView, [](const QString& reason) {
            qWarning("zelk-player: the OpenGL video output cannot draw: %s", qUtf8Printable(reason));
        });
        return true;
    }
    auto* view = qobject_cast<VideoView*>(area);
    SoftwareFrameRenderer* renderer = engine.softwareRenderer(error);
    if (!view || !renderer)
        return false;
    view->setRenderer(renderer);
    return true;
}

} // namespace ZelkShell
