#include "host/shell/VideoView.h"

#include "host/shell/engine/SoftwareFrameRenderer.h"

#include <QPainter>

namespace ZelkShell {

VideoView::VideoView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("videoArea"));
    setMinimumSize(320, 180);
    // The whole area is painted every time: no background fill needed first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void VideoView::setRenderer(SoftwareFrameRenderer* renderer)
{
    if (renderer_)
        disconnect(renderer_, nullptr, this, nullptr);
    renderer_ = renderer;
    if (renderer_)
        connect(renderer_, &SoftwareFrameRenderer::updateAvailable, this, &VideoView::engineUpdate);
}

void VideoView::showMessage(const QString& text)
{
    message_ = text;
    update();
}

void VideoView::engineUpdate()
{
    if (renderer_ && renderer_->takeFrameUpdate())
        renderFrame();
}

void VideoView::renderFrame()
{
    if (!renderer_)
        return;
    const QImage frame = renderer_->render(size() * devicePixelRatioF());
    if (frame.isNull())
        return;
    frame_ = frame;
    frame_.setDevicePixelRatio(devicePixelRatioF());
    ++framesRendered_;
    emit frameRendered();
    update();
}

void VideoView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (frame_.isNull() || !message_.isEmpty()) {
        painter.fillRect(rect(), Qt::black);
        painter.setPen(QColor(0xaa, 0xaa, 0xaa));
        painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, message_);
        return;
    }
    painter.drawImage(rect(), frame_);
}

void VideoView::resizeEvent(QResizeEvent*)
{
    renderFrame();
}

} // namespace ZelkShell
