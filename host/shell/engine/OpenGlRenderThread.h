#pragma once

#include "host/shell/engine/CoalescedCall.h"
#include "host/shell/engine/OpenGlFrameRenderer.h"

#include <QObject>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <mutex>

class QOffscreenSurface;
class QOpenGLContext;
class QThread;

namespace ZelkShell {

class OpenGlRenderWorker;

// What the engine's OpenGL renderer needs of `context` (its functions and,
// on X11, its display).
OpenGlPlatform qtOpenGlPlatform(QOpenGLContext* context);

// Draws the engine's picture with OpenGL on a thread of its own, for the
// same reason the software renderer does (see SoftwareFrameRenderer): the
// engine's video output waits for each frame to be drawn, and the GUI
// thread waits for the engine whenever it reads a property. The thread has
// its own context, sharing textures with the video widget's, and draws each
// picture into one of three textures; the widget shows the newest finished
// one (the third is the one being drawn while the other two are in use).
class OpenGlRenderThread : public QObject {
    Q_OBJECT

public:
    using RendererFactory
        = std::function<std::unique_ptr<OpenGlFrameRenderer>(const OpenGlPlatform&, QString* error)>;

    // `shareWith` is the widget's context; call on the GUI thread.
    explicit OpenGlRenderThread(QOpenGLContext* shareWith, QObject* parent = nullptr);
    // Frees the renderer on the thread, with its context current (if that
    // context cannot be made current, the renderer is left unfreed: the
    // engine must not touch a context that is not current).
    ~OpenGlRenderThread() override;

    // Starts the thread and makes the renderer there; false with `error` when
    // this display cannot draw from a second thread or the engine refused.
    bool start(const RendererFactory& makeRenderer, QString* error);

    // The size pictures are drawn at (device pixels) from now on.
    void setTargetSize(const QSize& size);

    struct Picture {
        unsigned texture = 0; // 0: nothing drawn yet
        QSize size;
        // It shows a video frame the engine delivered (not only black).
        bool showsVideo = false;
    };
    // The newest finished picture; it stays untouched by the thread until
    // the next call. For the widget's paintGL, in the shared context.
    Picture takePicture();

signals:
    // A new picture is ready for takePicture(); on this object's thread.
    void pictureReady();

private:
    friend class OpenGlRenderWorker;

    static constexpr int textureCount = 3;

    // Called by the worker: picks a texture neither shown nor ready.
    int freeSlot();
    // Called by the worker once `slot` holds a finished picture.
    void publish(int slot, const Picture& picture);

    QOpenGLContext* shareWith_;
    QThread* thread_ = nullptr;
    QOffscreenSurface* surface_ = nullptr;
    OpenGlRenderWorker* worker_ = nullptr;

    std::mutex mutex_;
    Picture pictures_[textureCount];
    int shown_ = -1;
    int ready_ = -1;
    CoalescedCall delivery_;
};

} // namespace ZelkShell
