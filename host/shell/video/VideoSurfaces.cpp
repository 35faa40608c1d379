#include "host/shell/video/VideoSurfaces.h"

#include "host/shell/video/OpenGlVideoView.h"
#include "host/shell/video/VideoMessageOverlay.h"
#include "host/shell/video/VideoView.h"
#include "host/shell/engine/PlaybackEngine.h"

namespace ZelkShell {

SoftwareVideoSurface::SoftwareVideoSurface(QWidget* widgetParent, QObject* owner)
    : VideoSurface(new VideoView(widgetParent), owner)
    , view_(static_cast<VideoView*>(widget()))
{
    connect(view_, &VideoView::frameRendered, this, [this] {
        if (view_->showsVideo())
            emit videoFrameShown();
    });
}

bool SoftwareVideoSurface::attach(PlaybackEngine& engine, QString* error)
{
    SoftwareFrameRenderer* renderer = engine.softwareRenderer(error);
    if (!renderer)
        return false;
    view_->setRenderer(renderer);
    return true;
}

void SoftwareVideoSurface::showMessage(const QString& text)
{
    view_->showMessage(text);
}

QString SoftwareVideoSurface::message() const
{
    return view_->message();
}

void SoftwareVideoSurface::detach()
{
    // The renderer is the engine's and goes with it.
    view_->setRenderer(nullptr);
}

OpenGlVideoSurface::OpenGlVideoSurface(QWidget* widgetParent, QObject* owner)
    : VideoSurface(new OpenGlVideoView(widgetParent), owner)
    , view_(static_cast<OpenGlVideoView*>(widget()))
    , overlay_(new VideoMessageOverlay(view_, false))
{
    connect(view_, &OpenGlVideoView::rendererReady, this, &VideoSurface::ready);
    connect(view_, &OpenGlVideoView::rendererFailed, this, [this](const QString& reason) {
        qWarning("zelk-player: the OpenGL video output cannot draw: %s", qUtf8Printable(reason));
        emit ready();
    });
    connect(view_, &OpenGlVideoView::videoFrameShown, this, &VideoSurface::videoFrameShown);
}

bool OpenGlVideoSurface::attach(PlaybackEngine& engine, QString*)
{
    // The renderer is made when the widget gets its OpenGL context, which
    // may be after the engine went: then there is none.
    QPointer<PlaybackEngine> engineInUse(&engine);
    view_->setRendererFactory([engineInUse](const OpenGlPlatform& platform, QString* why) {
        if (!engineInUse) {
            *why = QStringLiteral("the playback engine has ended");
            return std::unique_ptr<OpenGlFrameRenderer>();
        }
        return engineInUse->createOpenGlRenderer(platform, why);
    });
    return true;
}

bool OpenGlVideoSurface::isReady() const
{
    return view_->isInitialized();
}

void OpenGlVideoSurface::showMessage(const QString& text)
{
    overlay_->showMessage(text);
}

QString OpenGlVideoSurface::message() const
{
    return overlay_->text();
}

void OpenGlVideoSurface::detach()
{
    view_->setRendererFactory(nullptr);
    view_->detach();
}

EngineWindowSurface::EngineWindowSurface(PlaybackEngine& engine, QWidget* widgetParent, QObject* owner)
    : VideoSurface(new QWidget(widgetParent), owner)
    , engine_(&engine)
{
    QWidget* area = widget();
    area->setObjectName(QStringLiteral("videoArea"));
    area->setAttribute(Qt::WA_NativeWindow);
    area->setAttribute(Qt::WA_DontCreateNativeAncestors);
    area->setMinimumSize(320, 180);
    area->setStyleSheet(QStringLiteral("background: black;"));
    // The engine draws into this native window by itself, through XVideo
    // where the display offers it, else its other outputs; the message is a
    // window above it, or the engine would draw over it.
    engine.setOption("wid", QString::number(area->winId()));
    engine.setOption("vo", QStringLiteral("xv,gpu,x11,"));
    overlay_ = new VideoMessageOverlay(area, true);
}

bool EngineWindowSurface::attach(PlaybackEngine& engine, QString*)
{
    // Nothing of the player draws here: the first frame is known from the
    // engine restarting playback of a file with a picture.
    connect(&engine, &PlaybackEngine::fileLoaded, this, [this] { restarted_ = false; });
    connect(&engine, &PlaybackEngine::playbackRestarted, this, [this] {
        restarted_ = true;
        announceVideo();
    });
    connect(&engine, &PlaybackEngine::videoSizeChanged, this, &EngineWindowSurface::announceVideo);
    return true;
}

void EngineWindowSurface::announceVideo()
{
    if (engine_ && restarted_ && !engine_->videoSize().isEmpty())
        emit videoFrameShown();
}

void EngineWindowSurface::showMessage(const QString& text)
{
    overlay_->showMessage(text);
}

QString EngineWindowSurface::message() const
{
    return overlay_->text();
}

void EngineWindowSurface::detach()
{
    // The engine keeps drawing into the window until it ends: the window
    // stays until then (the window owner destroys it after the engine).
    if (engine_)
        disconnect(engine_, nullptr, this, nullptr);
}

} // namespace ZelkShell
