#include "host/shell/engine/SoftwareFrameRenderer.h"

#include <mpv/client.h>
#include <mpv/render.h>

#include <chrono>
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

SoftwareFrameRenderer::SoftwareFrameRenderer(const EngineCorePtr& engine, QString* error, QObject* parent)
    : RenderContext(parent)
{
    char softwareApi[] = MPV_RENDER_API_TYPE_SW;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, softwareApi},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (create(engine, params, error))
        thread_ = std::thread(&SoftwareFrameRenderer::drawLoop, this);
}

std::unique_ptr<SoftwareFrameRenderer> SoftwareFrameRenderer::make(const EngineCorePtr& engine, QString* error)
{
    return std::make_unique<UpdatesStoppedFirst<SoftwareFrameRenderer>>(engine, error);
}

SoftwareFrameRenderer::~SoftwareFrameRenderer() = default;

void SoftwareFrameRenderer::stopDrawing()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    drawn_.notify_all();
    // Only one thread may use the context at a time: the caller's, from now on.
    if (thread_.joinable())
        thread_.join();
}

void SoftwareFrameRenderer::engineHasUpdate()
{
    // On an engine thread, holding the engine's lock: only wake the drawing
    // thread.
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        engineUpdate_ = true;
    }
    wake_.notify_one();
}

void SoftwareFrameRenderer::setTargetSize(const QSize& size)
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (size == targetSize_)
            return;
        targetSize_ = size;
        ++requested_;
    }
    wake_.notify_one();
}

QImage SoftwareFrameRenderer::takeFrame()
{
    const std::lock_guard<std::mutex> lock(mutex_);
    QImage frame = latest_;
    latest_ = QImage();
    return frame;
}

QImage SoftwareFrameRenderer::drawAndWait(const QSize& size, int timeoutMs)
{
    if (!context() || size.isEmpty())
        return QImage();
    std::unique_lock<std::mutex> lock(mutex_);
    targetSize_ = size;
    const quint64 request = ++requested_;
    wake_.notify_one();
    if (!drawn_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                         [&] { return stopping_ || answered_ >= request; }))
        return QImage();
    QImage frame = latest_;
    latest_ = QImage();
    return frame;
}

void SoftwareFrameRenderer::drawLoop()
{
    for (;;) {
        std::unique_lock<std::mutex> lock(mutex_);
        wake_.wait(lock, [this] { return stopping_ || engineUpdate_ || requested_ > answered_; });
        if (stopping_)
            return;
        const bool engineUpdate = engineUpdate_;
        engineUpdate_ = false;
        const quint64 request = requested_;
        const QSize size = targetSize_;
        bool wanted = request > answered_;
        lock.unlock();

        // Also runs what the engine's video output queued for this thread
        // (its set-up on a new video, for one).
        if (engineUpdate)
            wanted = (mpv_render_context_update(context()) & MPV_RENDER_UPDATE_FRAME) || wanted;
        if (!wanted)
            continue;
        if (size.isEmpty()) {
            skipFrame();
            lock.lock();
            answered_ = request;
            drawn_.notify_all();
            continue;
        }
        bool newVideoFrame = false;
        const QImage frame = draw(size, &newVideoFrame);

        lock.lock();
        answered_ = request;
        if (!frame.isNull()) {
            latest_ = frame;
            if (newVideoFrame)
                ++videoFramesDrawn_;
        }
        lock.unlock();
        drawn_.notify_all();
        // One delivery at a time: a GUI thread that is busy gets the newest
        // picture, not a queue of old ones.
        if (!frame.isNull())
            delivery_.request(this, [this] { emit frameReady(); });
    }
}

QImage SoftwareFrameRenderer::draw(const QSize& size, bool* newVideoFrame)
{
    mpv_render_frame_info next{};
    const mpv_render_param nextFrame{MPV_RENDER_PARAM_NEXT_FRAME_INFO, &next};
    *newVideoFrame = mpv_render_context_get_info(context(), nextFrame) >= 0
                     && (next.flags & MPV_RENDER_FRAME_INFO_PRESENT) && !(next.flags & MPV_RENDER_FRAME_INFO_REDRAW);

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
    // "rgb0": bytes R, G, B, unused, which is Qt's RGBX8888. The image owns
    // the buffer from here on.
    return QImage(static_cast<uchar*>(pixels), size.width(), size.height(), static_cast<qsizetype>(stride),
                  QImage::Format_RGBX8888, &freeAligned, pixels);
}

void SoftwareFrameRenderer::skipFrame()
{
    int skip = 1;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(context(), params);
}

} // namespace ZelkShell
