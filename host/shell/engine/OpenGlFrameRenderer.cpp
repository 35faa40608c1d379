#include "host/shell/engine/OpenGlFrameRenderer.h"

#include <mpv/client.h>
#include <mpv/render_gl.h>

#include <QOpenGLContext>
#include <QString>

namespace ZelkShell {

OpenGlFrameRenderer::OpenGlFrameRenderer(const EngineCorePtr& engine, const OpenGlPlatform& platform, QString* error,
                                         QObject* parent)
    : RenderContext(parent)
{
    char openGlApi[] = MPV_RENDER_API_TYPE_OPENGL;
    mpv_opengl_init_params init{platform.getProcAddress, platform.procContext};
    // Without a display the list ends one entry earlier.
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, openGlApi},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &init},
        {platform.x11Display ? MPV_RENDER_PARAM_X11_DISPLAY : MPV_RENDER_PARAM_INVALID, platform.x11Display},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    create(engine, params, error);
}

std::unique_ptr<OpenGlFrameRenderer> OpenGlFrameRenderer::make(const EngineCorePtr& engine,
                                                                 const OpenGlPlatform& platform, QString* error)
{
    return std::make_unique<UpdatesStoppedFirst<OpenGlFrameRenderer>>(engine, platform, error);
}

void OpenGlFrameRenderer::freeWithoutItsContext(std::unique_ptr<OpenGlFrameRenderer> renderer, QSurface* surface)
{
    if (!renderer)
        return;
    QOpenGLContext standIn;
    if (surface && standIn.create() && standIn.makeCurrent(surface)) {
        renderer.reset();
        standIn.doneCurrent();
        return;
    }
    qWarning("zelk-player: the video drawing context is lost and no other can be made; its renderer, and the "
             "playback engine with it, are left to the process's end");
    (void)renderer.release();
}

void OpenGlFrameRenderer::render(int fbo, int width, int height)
{
    if (!context())
        return;
    mpv_opengl_fbo target{fbo, width, height, 0};
    int flipY = 1; // Qt's framebuffers have their origin at the bottom
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_OPENGL_FBO, &target},
        {MPV_RENDER_PARAM_FLIP_Y, &flipY},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(context(), params);
}

} // namespace ZelkShell
