#pragma once

#include "host/shell/engine/RenderContext.h"

#include <memory>

class QSurface;

namespace ZelkShell {

class OpenGlRenderWorker;
class OpenGlVideoView;

// What the engine's OpenGL renderer needs of the context it draws with.
struct OpenGlPlatform {
    using GetProcAddress = void* (*)(void* context, const char* name);
    GetProcAddress getProcAddress = nullptr;
    void* procContext = nullptr;
    // The X11 Display* of the context, or null: with it the engine can decode
    // in hardware (VA-API, VDPAU) and hand frames to OpenGL directly.
    void* x11Display = nullptr;
};

// Draws the engine's picture into the current OpenGL framebuffer through the
// engine's OpenGL render API. Create, render and destroy it only while the
// OpenGL context it was made in is current. Views hold this object, never
// the engine handle.
class OpenGlFrameRenderer : public RenderContext {
    Q_OBJECT

public:
    // Null context (and false isValid()) with `error` filled on failure.
    static std::unique_ptr<OpenGlFrameRenderer> make(const EngineCorePtr& engine, const OpenGlPlatform& platform,
                                                       QString* error);
    // Draws into framebuffer `fbo` of `width` x `height` device pixels.
    void render(int fbo, int width, int height);
    // Frees `renderer` when the context it was made in is lost: the engine's
    // freeing calls go to a stand-in context, current on this thread with
    // `surface`, where the names of the lost context's objects mean nothing.
    // Freed, the renderer no longer keeps the engine from ending; only when
    // no stand-in can be made is it left unfreed (logged), engine and all.
    static void freeWithoutItsContext(std::unique_ptr<OpenGlFrameRenderer> renderer, QSurface* surface);

protected:
    OpenGlFrameRenderer(const EngineCorePtr& engine, const OpenGlPlatform& platform, QString* error,
                        QObject* parent = nullptr);

private:
    // The two places that draw with it, each with its context current.
    friend class OpenGlRenderWorker;
    friend class OpenGlVideoView;
};

} // namespace ZelkShell
