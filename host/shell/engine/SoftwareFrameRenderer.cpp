#include "host/shell/engine/SoftwareFrameRenderer.h"

#include <mpv/client.h>
#include <mpv/render.h>

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
    : RenderContext(parent)
{
    char softwareApi[] = MPV_RENDER_API_TYPE_SW;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, softwareApi},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    create(engine, params, error);
}

QImage SoftwareFrameRenderer::render(const QSize& size)
{
    if (!context() || size.isEmpty())
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
    if (mpv_render_context_render(context(), params) < 0) {
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
