#pragma once

#include "host/shell/engine/RenderContext.h"

namespace ZelkShell {

// Draws the engine's picture into the current OpenGL framebuffer through the
// engine's OpenGL render API. Create, render and destroy it only while the
// OpenGL context it was made in is current. Views hold this object, never
// the engine handle; the engine must outlive it.
class OpenGlFrameRenderer : public RenderContext {
    Q_OBJECT

public:
    using GetProcAddress = void* (*)(void* context, const char* name);

    OpenGlFrameRenderer(mpv_handle* engine, GetProcAddress getProcAddress, void* procContext, QString* error,
                        QObject* parent = nullptr);
    // Draws into framebuffer `fbo` of `width` x `height` device pixels.
    void render(int fbo, int width, int height);
};

} // namespace ZelkShell
