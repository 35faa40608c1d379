#include "host/shell/video/OpenGlVideoView.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

namespace ZelkShell {

OpenGlVideoView::OpenGlVideoView(QWidget* parent)
    : QOpenGLWidget(parent)
{
    setObjectName(QStringLiteral("videoArea"));
    setMinimumSize(320, 180);
    setFocusPolicy(Qt::StrongFocus);
}

OpenGlVideoView::~OpenGlVideoView()
{
    detach();
}

void OpenGlVideoView::detach()
{
    drawingThread_.reset();
    if (!renderer_ && !blitter_.isCreated())
        return;
    if (!context() || !context()->isValid()) {
        // The engine's freeing calls need some context current.
        QOffscreenSurface surface;
        surface.create();
        OpenGlFrameRenderer::freeWithoutItsContext(std::move(renderer_), &surface);
        return;
    }
    makeCurrent();
    renderer_.reset();
    if (blitter_.isCreated())
        blitter_.destroy();
    doneCurrent();
    update();
}

void OpenGlVideoView::initializeGL()
{
    if (!makeRenderer_ || initialized_)
        return;
    initialized_ = true;
    QString threadProblem;
    if (startDrawingThread(&threadProblem)) {
        emit rendererReady();
        return;
    }
    qInfo("zelk-player: the OpenGL video output draws on the GUI thread: %s", qUtf8Printable(threadProblem));
    QString problem;
    if (!startDrawingHere(&problem)) {
        emit rendererFailed(problem);
        return;
    }
    emit rendererReady();
}

bool OpenGlVideoView::startDrawingThread(QString* why)
{
    auto drawingThread = std::make_unique<OpenGlRenderThread>(context());
    if (!drawingThread->start(makeRenderer_, why))
        return false;
    drawingThread_ = std::move(drawingThread);
    connect(drawingThread_.get(), &OpenGlRenderThread::pictureReady, this, [this] { update(); });
    drawingThread_->setTargetSize(targetSize());
    return true;
}

bool OpenGlVideoView::startDrawingHere(QString* why)
{
    renderer_ = makeRenderer_(qtOpenGlPlatform(context()), why);
    if (!renderer_ || !renderer_->isValid()) {
        renderer_.reset();
        return false;
    }
    connect(renderer_.get(), &OpenGlFrameRenderer::updateAvailable, this, [this] {
        if (!renderer_)
            return;
        // Every call of the engine's render API needs the context current.
        makeCurrent();
        const bool newFrame = renderer_->takeFrameUpdate();
        doneCurrent();
        if (!newFrame)
            return;
        videoDelivered_ = true;
        update();
    });
    return true;
}

QSize OpenGlVideoView::targetSize() const
{
    return size() * devicePixelRatioF();
}

void OpenGlVideoView::resizeGL(int, int)
{
    if (drawingThread_)
        drawingThread_->setTargetSize(targetSize());
}

void OpenGlVideoView::paintGL()
{
    QOpenGLFunctions* gl = context()->functions();
    const QSize target = targetSize();
    if (drawingThread_) {
        const OpenGlRenderThread::Picture picture = drawingThread_->takePicture();
        gl->glClearColor(0, 0, 0, 1);
        gl->glClear(GL_COLOR_BUFFER_BIT);
        if (!picture.texture)
            return;
        if (!blitter_.isCreated() && !blitter_.create())
            return;
        // The engine letterboxed the picture into the size it was given.
        const QRect area(QPoint(0, 0), target);
        blitter_.bind();
        blitter_.blit(picture.texture, QOpenGLTextureBlitter::targetTransform(area, area),
                      QOpenGLTextureBlitter::OriginBottomLeft);
        blitter_.release();
        // The drawing thread may reuse the texture once a newer one is shown:
        // this context must be done reading it by then.
        gl->glFinish();
        if (picture.showsVideo)
            announceVideoFrame();
        return;
    }
    if (!renderer_) {
        gl->glClearColor(0, 0, 0, 1);
        gl->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    renderer_->render(static_cast<int>(defaultFramebufferObject()), target.width(), target.height());
    if (videoDelivered_)
        announceVideoFrame();
}

void OpenGlVideoView::announceVideoFrame()
{
    // Announced after painting returns: a receiver may close the window.
    QMetaObject::invokeMethod(this, &OpenGlVideoView::videoFrameShown, Qt::QueuedConnection);
}

} // namespace ZelkShell
