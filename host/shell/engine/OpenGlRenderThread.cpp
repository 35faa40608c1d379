#include "host/shell/engine/OpenGlRenderThread.h"

#include <QMetaObject>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QThread>
#include <QVariant>

// Last: Xlib's macros would clash with Qt's names.
#include <QtPlatformHeaders/QGLXNativeContext>

namespace ZelkShell {

namespace {

void* qtOpenGlProcAddress(void* context, const char* name)
{
    auto* glContext = static_cast<QOpenGLContext*>(context);
    return glContext ? reinterpret_cast<void*>(glContext->getProcAddress(name)) : nullptr;
}

} // namespace

OpenGlPlatform qtOpenGlPlatform(QOpenGLContext* context)
{
    OpenGlPlatform platform;
    platform.getProcAddress = &qtOpenGlProcAddress;
    platform.procContext = context;
    // Only a GLX context has an X11 display (on EGL or elsewhere the engine
    // uses the hardware decoders needing none). Qt does not fill in the
    // display of its native handle: GLX says which one is current, and the
    // context is current wherever a renderer is made.
    const QVariant native = context ? context->nativeHandle() : QVariant();
    if (native.canConvert<QGLXNativeContext>() && QOpenGLContext::currentContext() == context) {
        using CurrentDisplay = Display* (*)();
        if (auto currentDisplay = reinterpret_cast<CurrentDisplay>(context->getProcAddress("glXGetCurrentDisplay")))
            platform.x11Display = currentDisplay();
    }
    return platform;
}

// Lives on the drawing thread: its context, the engine's renderer and the
// three textures are used there only.
class OpenGlRenderWorker : public QObject {
public:
    OpenGlRenderWorker(OpenGlRenderThread& owner, QOpenGLContext* context, QOffscreenSurface* surface)
        : owner_(owner)
        , context_(context)
        , surface_(surface)
    {
    }

    bool setUp(const OpenGlRenderThread::RendererFactory& makeRenderer, QString* error)
    {
        if (!context_->makeCurrent(surface_)) {
            *error = QStringLiteral("the drawing thread's OpenGL context cannot be used");
            return false;
        }
        renderer_ = makeRenderer(qtOpenGlPlatform(context_.get()), error);
        if (!renderer_ || !renderer_->isValid()) {
            renderer_.reset();
            return false;
        }
        connect(renderer_.get(), &OpenGlFrameRenderer::updateAvailable, this, [this] { draw(false); });
        return true;
    }

    void tearDown()
    {
        if (context_->makeCurrent(surface_)) {
            for (auto& target : targets_)
                target.reset();
            renderer_.reset(); // the engine lets go of the context first
            context_->doneCurrent();
        } else {
            // Freeing it in no context would have the engine call OpenGL
            // without one.
            OpenGlFrameRenderer::freeWithoutItsContext(std::move(renderer_), surface_);
        }
        context_.reset();
    }

    void setTargetSize(const QSize& size)
    {
        if (size == size_)
            return;
        size_ = size;
        draw(true);
    }

private:
    void draw(bool sizeChanged)
    {
        if (!renderer_ || !context_->makeCurrent(surface_))
            return;
        // Also runs what the engine's video output queued for this thread.
        const bool newFrame = renderer_->takeFrameUpdate();
        videoDelivered_ = videoDelivered_ || newFrame;
        if ((!newFrame && !sizeChanged) || size_.isEmpty())
            return;
        const int slot = owner_.freeSlot();
        std::unique_ptr<QOpenGLFramebufferObject>& target = targets_[slot];
        if (!target || target->size() != size_)
            target = std::make_unique<QOpenGLFramebufferObject>(size_);
        renderer_->render(static_cast<int>(target->handle()), size_.width(), size_.height());
        // The widget's context reads the texture next: it must be complete.
        context_->functions()->glFinish();
        owner_.publish(slot, OpenGlRenderThread::Picture{target->texture(), size_, videoDelivered_});
    }

    OpenGlRenderThread& owner_;
    std::unique_ptr<QOpenGLContext> context_;
    QOffscreenSurface* surface_;
    std::unique_ptr<OpenGlFrameRenderer> renderer_;
    std::unique_ptr<QOpenGLFramebufferObject> targets_[OpenGlRenderThread::textureCount];
    QSize size_;
    bool videoDelivered_ = false;
};

OpenGlRenderThread::OpenGlRenderThread(QOpenGLContext* shareWith, QObject* parent)
    : QObject(parent)
    , shareWith_(shareWith)
{
}

OpenGlRenderThread::~OpenGlRenderThread()
{
    if (worker_) {
        OpenGlRenderWorker* worker = worker_;
        QMetaObject::invokeMethod(worker, [worker] { worker->tearDown(); }, Qt::BlockingQueuedConnection);
    }
    if (thread_) {
        thread_->quit();
        thread_->wait();
    }
    delete worker_;
    delete thread_;
    delete surface_;
}

bool OpenGlRenderThread::start(const RendererFactory& makeRenderer, QString* error)
{
    if (!QOpenGLContext::supportsThreadedOpenGL()) {
        *error = QStringLiteral("this display cannot draw with OpenGL from a second thread");
        return false;
    }
    surface_ = new QOffscreenSurface();
    surface_->setFormat(shareWith_->format());
    surface_->create();
    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(shareWith_->format());
    context->setShareContext(shareWith_);
    if (!surface_->isValid() || !context->create()) {
        *error = QStringLiteral("no OpenGL context for the drawing thread");
        return false;
    }
    thread_ = new QThread();
    thread_->setObjectName(QStringLiteral("video drawing"));
    context->moveToThread(thread_);
    worker_ = new OpenGlRenderWorker(*this, context.release(), surface_);
    worker_->moveToThread(thread_);
    thread_->start();
    bool started = false;
    OpenGlRenderWorker* worker = worker_;
    QMetaObject::invokeMethod(
        worker, [worker, &makeRenderer, &started, error] { started = worker->setUp(makeRenderer, error); },
        Qt::BlockingQueuedConnection);
    return started;
}

void OpenGlRenderThread::setTargetSize(const QSize& size)
{
    if (!worker_)
        return;
    OpenGlRenderWorker* worker = worker_;
    QMetaObject::invokeMethod(worker, [worker, size] { worker->setTargetSize(size); }, Qt::QueuedConnection);
}

OpenGlRenderThread::Picture OpenGlRenderThread::takePicture()
{
    const std::lock_guard<std::mutex> lock(mutex_);
    if (ready_ >= 0) {
        shown_ = ready_;
        ready_ = -1;
    }
    return shown_ >= 0 ? pictures_[shown_] : Picture{};
}

int OpenGlRenderThread::freeSlot()
{
    const std::lock_guard<std::mutex> lock(mutex_);
    for (int slot = 0; slot < textureCount; ++slot) {
        if (slot != shown_ && slot != ready_)
            return slot;
    }
    return 0; // not reached: three slots, at most two in use
}

void OpenGlRenderThread::publish(int slot, const Picture& picture)
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        pictures_[slot] = picture;
        ready_ = slot;
    }
    delivery_.request(this, [this] { emit pictureReady(); });
}

} // namespace ZelkShell
