#include "host/shell/video/VideoView.h"

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
    if (!renderer_)
        return;
    connect(renderer_, &SoftwareFrameRenderer::frameReady, this, &VideoView::takeFrame);
    renderer_->setTargetSize(size() * devicePixelRatioF());
}

void VideoView::showMessage(const QString& text)
{
    message_ = text;
    update();
}

bool VideoView::showsVideo() const
{
    return renderer_ && renderer_->videoFramesDrawn() > 0 && !frame_.isNull();
}

void VideoView::takeFrame()
{
    if (!renderer_)
        return;
    const QImage frame = renderer_->takeFrame();
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
    if (renderer_)
        renderer_->setTargetSize(size() * devicePixelRatioF());
}

} // namespace ZelkShell
