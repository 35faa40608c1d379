#include "host/shell/engine/OpenGlFrameRenderer.h"

#include <mpv/client.h>
#include <mpv/render_gl.h>

#include <QMetaObject>
#include <QString>

namespace ZelkShell {

OpenGlFrameRenderer::OpenGlFrameRenderer(mpv_handle* engine, GetProcAddress getProcAddress, void* procContext,
                                         QString* error, QObject* parent)
    : QObject(parent)
{
    char openGlApi[] = MPV_RENDER_API_TYPE_OPENGL;
    mpv_opengl_init_params init{getProcAddress, procContext};
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, openGlApi},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &init},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    const int status = engine ? mpv_render_context_create(&context_, engine, params) : MPV_ERROR_UNINITIALIZED;
    if (status < 0) {
        context_ = nullptr;
        if (error)
            *error = QString::fromUtf8(mpv_error_string(status));
        return;
    }
    mpv_render_context_set_update_callback(context_, &OpenGlFrameRenderer::engineUpdate, this);
}

OpenGlFrameRenderer::~OpenGlFrameRenderer()
{
    if (context_)
        mpv_render_context_free(context_);
}

void OpenGlFrameRenderer::engineUpdate(void* self)
{
    // An engine thread: hand over to ours, once per burst.
    auto* renderer = static_cast<OpenGlFrameRenderer*>(self);
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

bool OpenGlFrameRenderer::takeFrameUpdate()
{
    return context_ && (mpv_render_context_update(context_) & MPV_RENDER_UPDATE_FRAME);
}

void OpenGlFrameRenderer::render(int fbo, int width, int height)
{
    if (!context_)
        return;
    mpv_opengl_fbo target{fbo, width, height, 0};
    int flipY = 1; // Qt's framebuffers have their origin at the bottom
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_OPENGL_FBO, &target},
        {MPV_RENDER_PARAM_FLIP_Y, &flipY},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(context_, params);
}

} // namespace ZelkShell
