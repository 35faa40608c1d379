#pragma once

#include "host/shell/engine/RenderContext.h"

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
    OpenGlFrameRenderer(const EngineCorePtr& engine, const OpenGlPlatform& platform, QString* error,
                        QObject* parent = nullptr);
    // Draws into framebuffer `fbo` of `width` x `height` device pixels.
    void render(int fbo, int width, int height);

private:
    // The two places that draw with it, each with its context current.
    friend class OpenGlRenderWorker;
    friend class OpenGlVideoView;
};

} // namespace ZelkShell
