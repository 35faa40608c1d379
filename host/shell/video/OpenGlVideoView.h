#pragma once

#include "host/shell/engine/OpenGlFrameRenderer.h"
#include "host/shell/engine/OpenGlRenderThread.h"

#include <QOpenGLTextureBlitter>
#include <QOpenGLWidget>

#include <functional>
#include <memory>

namespace ZelkShell {

// The video area of the OpenGL output. The engine draws on a thread of its
// own (OpenGlRenderThread) and the widget shows its newest picture; where
// the display cannot draw from a second thread, the engine draws straight
// into the widget's framebuffer on the GUI thread instead. The renderer is
// made by `makeRenderer` once the widget has its OpenGL context; a failure
// is reported by rendererFailed().
class OpenGlVideoView : public QOpenGLWidget {
    Q_OBJECT

public:
    using RendererFactory = OpenGlRenderThread::RendererFactory;

    explicit OpenGlVideoView(QWidget* parent = nullptr);
    // Frees the renderer as detach() does.
    ~OpenGlVideoView() override;

    // Frees the renderer (with its context current, as the engine requires)
    // and draws black from now on; before the engine goes.
    void detach();

    void setRendererFactory(RendererFactory factory) { makeRenderer_ = std::move(factory); }
    // Whether the widget's OpenGL context has been set up (with or without
    // a working renderer).
    bool isInitialized() const { return initialized_; }

signals:
    // One of the two, once, when the widget gets its OpenGL context.
    void rendererReady();
    void rendererFailed(const QString& reason);
    // A picture showing video was painted.
    void videoFrameShown();

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;

private:
    bool startDrawingThread(QString* why);
    bool startDrawingHere(QString* why);
    QSize targetSize() const;
    void announceVideoFrame();

    RendererFactory makeRenderer_;
    std::unique_ptr<OpenGlRenderThread> drawingThread_;
    QOpenGLTextureBlitter blitter_;
    // Only when the display cannot draw from a second thread.
    std::unique_ptr<OpenGlFrameRenderer> renderer_;
    bool initialized_ = false;
    // The GUI-thread renderer delivered a video frame.
    bool videoDelivered_ = false;
};

} // namespace ZelkShell
