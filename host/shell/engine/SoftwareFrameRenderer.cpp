#include "host/shell/engine/SoftwareFrameRenderer.h"

#include <mpv/client.h>
#include <mpv/render.h>

#include <QMetaObject>

#include <cstdlib>
#include <cstring>

namespace ZelkShell {

namespace {

// The engine converts fastest into rows and buffers aligned to 64 bytes.
constexpr std::size_t rowAlignment = 64;

std::size_t alignedStride(int width)
{
    const std::size_t bytes = static_cast<std::size_t>(width) * 4;
    return (bytes + rowAlignment - 1) / rowAlignment * rowAlignment;
}

void freeAligned(void* buffer)
{
    std::free(buffer);
}

} // namespace

SoftwareFrameRenderer::SoftwareFrameRenderer(mpv_handle* engine, QString* error, QObject* parent)
    : QObject(parent)
{
    char softwareApi[] = MPV_RENDER_API_TYPE_SW;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, softwareApi},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    const int status = engine ? mpv_render_context_create(&context_, engine, params) : MPV_ERROR_UNINITIALIZED;
    if (status < 0) {
        context_ = nullptr;
        if (error)
            *error = QString::fromUtf8(mpv_error_string(status));
        return;
    }
    mpv_render_context_set_update_callback(context_, &SoftwareFrameRenderer::engineUpdate, this);
}

SoftwareFrameRenderer::~SoftwareFrameRenderer()
{
    if (context_)
        mpv_render_context_free(context_); // waits for the engine to let go
}

void SoftwareFrameRenderer::engineUpdate(void* self)
{
    // Called on an engine thread: only queue a call to our own thread, once
    // per burst of updates.
    auto* renderer = static_cast<SoftwareFrameRenderer*>(self);
    if (renderer->updateQueued_.exchange(true))
        return;
    QMetaObject::invokeMethod(
        renderer,
        [renderer] {
            renderer->updateQueued_ = false;
            emit renderer->updateAvailable();
        },
        Qt::QueuedConnection);
}

bool SoftwareFrameRenderer::takeFrameUpdate()
{
    return context_ && (mpv_render_context_update(context_) & MPV_RENDER_UPDATE_FRAME);
}

QImage SoftwareFrameRenderer::render(const QSize& size)
{
    if (!context_ || size.isEmpty())
        return QImage();
    const std::size_t stride = alignedStride(size.width());
    void* pixels = std::aligned_alloc(rowAlignment, stride * static_cast<std::size_t>(size.height()));
    if (!pixels)
        return QImage();
    int surfaceSize[2] = {size.width(), size.height()};
    char format[] = "rgb0";
    std::size_t strideArgument = stride;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SW_SIZE, surfaceSize},
        {MPV_RENDER_PARAM_SW_FORMAT, format},
        {MPV_RENDER_PARAM_SW_STRIDE, &strideArgument},
        {MPV_RENDER_PARAM_SW_POINTER, pixels},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (mpv_render_context_render(context_, params) < 0) {
        std::free(pixels);
        return QImage();
    }
    ++framesRendered_;
    // "rgb0": bytes R, G, B, unused, which is Qt's RGBX8888. The image owns
    // the buffer from here on.
    return QImage(static_cast<uchar*>(pixels), size.width(), size.height(), static_cast<qsizetype>(stride),
                  QImage::Format_RGBX8888, &freeAligned, pixels);
}

} // namespace ZelkShell
