#pragma once

#include <QObject>

#include <atomic>

struct mpv_handle;
struct mpv_render_context;

namespace ZelkShell {

// Draws the engine's picture into the current OpenGL framebuffer through the
// engine's OpenGL render API. Create, render and destroy it only while the
// OpenGL context it was made in is current. Views hold this object, never
// the engine handle; the engine must outlive it.
class OpenGlFrameRenderer : public QObject {
    Q_OBJECT

public:
    using GetProcAddress = void* (*)(void* context, const char* name);

    OpenGlFrameRenderer(mpv_handle* engine, GetProcAddress getProcAddress, void* procContext, QString* error,
                        QObject* parent = nullptr);
    ~OpenGlFrameRenderer() override;

    bool isValid() const { return context_ != nullptr; }
    bool takeFrameUpdate();
    // Draws into framebuffer `fbo` of `width` x `height` device pixels.
    void render(int fbo, int width, int height);

signals:
    void updateAvailable();

private:
    static void engineUpdate(void* self);

    mpv_render_context* context_ = nullptr;
    std::atomic<bool> updateQueued_{false};
};

} // namespace ZelkShell
