#pragma once

#include "host/shell/engine/OpenGlFrameRenderer.h"

#include <QOpenGLWidget>

#include <functional>
#include <memory>

namespace ZelkShell {

// The video area of the OpenGL output: the engine draws straight into the
// widget's framebuffer. The renderer is made by `makeRenderer` once the
// widget has its OpenGL context; a failure is shown as `message`.
class OpenGlVideoView : public QOpenGLWidget {
    Q_OBJECT

public:
    using RendererFactory = std::function<std::unique_ptr<OpenGlFrameRenderer>(
        OpenGlFrameRenderer::GetProcAddress, void*, QString* error)>;

    explicit OpenGlVideoView(QWidget* parent = nullptr);
    // Frees the renderer with its context current, as the engine requires.
    ~OpenGlVideoView() override;

    void setRendererFactory(RendererFactory factory) { makeRenderer_ = std::move(factory); }
    QString problem() const { return problem_; }
    // Whether the widget's OpenGL context has been set up (with or without
    // a working renderer).
    bool isInitialized() const { return initialized_; }

signals:
    // One of the two, once, when the widget gets its OpenGL context.
    void rendererReady();
    void rendererFailed(const QString& reason);

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    static void* procAddress(void* context, const char* name);

    RendererFactory makeRenderer_;
    std::unique_ptr<OpenGlFrameRenderer> renderer_;
    QString problem_;
    bool initialized_ = false;
};

} // namespace ZelkShell
