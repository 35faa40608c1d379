#include "host/shell/OpenGlVideoView.h"

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
    if (!renderer_)
        return;
    makeCurrent();
    renderer_.reset();
    doneCurrent();
}

void* OpenGlVideoView::procAddress(void* context, const char* name)
{
    auto* glContext = static_cast<QOpenGLContext*>(context);
    return glContext ? reinterpret_cast<void*>(glContext->getProcAddress(name)) : nullptr;
}

void OpenGlVideoView::initializeGL()
{
    if (!makeRenderer_ || renderer_)
        return;
    initialized_ = true;
    renderer_ = makeRenderer_(&OpenGlVideoView::procAddress, context(), &problem_);
    if (!renderer_ || !renderer_->isValid()) {
        renderer_.reset();
        emit rendererFailed(problem_);
        return;
    }
    // The engine's frames are drawn on the GUI thread, when Qt repaints.
    connect(renderer_.get(), &OpenGlFrameRenderer::updateAvailable, this, [this] {
        if (renderer_ && renderer_->takeFrameUpdate())
            update();
    });
    emit rendererReady();
}

void OpenGlVideoView::paintGL()
{
    const qreal ratio = devicePixelRatioF();
    if (!renderer_) {
        context()->functions()->glClearColor(0, 0, 0, 1);
        context()->functions()->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    renderer_->render(static_cast<int>(defaultFramebufferObject()), static_cast<int>(width() * ratio),
                      static_cast<int>(height() * ratio));
}

} // namespace ZelkShell
