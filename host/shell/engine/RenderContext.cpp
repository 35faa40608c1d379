#include "host/shell/engine/RenderContext.h"

#include <mpv/client.h>
#include <mpv/render.h>

namespace ZelkShell {

RenderContext::RenderContext(QObject* parent)
    : QObject(parent)
{
}

RenderContext::~RenderContext()
{
    stopEngineUpdates(); // done already; harmless again
    if (context_)
        mpv_render_context_free(context_); // waits for the engine to let go
}

bool RenderContext::create(const EngineCorePtr& engine, mpv_render_param* params, QString* error)
{
    const int status
        = engine ? mpv_render_context_create(&context_, engine->handle(), params) : MPV_ERROR_UNINITIALIZED;
    if (status < 0) {
        context_ = nullptr;
        if (error)
            *error = QString::fromUtf8(mpv_error_string(status));
        return false;
    }
    engine_ = engine;
    mpv_render_context_set_update_callback(context_, &RenderContext::engineUpdate, this);
    return true;
}

void RenderContext::engineUpdate(void* self)
{
    static_cast<RenderContext*>(self)->engineHasUpdate();
}

void RenderContext::engineHasUpdate()
{
    // Only queue a call to our own thread, once per burst of updates.
    updateNotice_.request(this, [this] { emit updateAvailable(); });
}

void RenderContext::stopEngineUpdates()
{
    // The engine calls back holding the lock this takes: none is running
    // once it returns.
    if (context_)
        mpv_render_context_set_update_callback(context_, nullptr, nullptr);
}

bool RenderContext::takeFrameUpdate()
{
    return context_ && (mpv_render_context_update(context_) & MPV_RENDER_UPDATE_FRAME);
}

} // namespace ZelkShell
