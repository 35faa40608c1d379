#pragma once

#include <QImage>
#include <QObject>
#include <QSize>

#include <atomic>

struct mpv_handle;
struct mpv_render_context;

namespace ZelkShell {

// Draws the engine's picture (video, subtitles, on-screen display) into
// QImages in main memory, through the engine's software render API: works on
// any display and with none. Created and owned by PlaybackEngine; views get
// this object, never the engine handle.
class SoftwareFrameRenderer : public QObject {
    Q_OBJECT

public:
    // Null context (and false isValid()) with `error` filled on failure.
    SoftwareFrameRenderer(mpv_handle* engine, QString* error, QObject* parent = nullptr);
    ~SoftwareFrameRenderer() override;

    bool isValid() const { return context_ != nullptr; }

    // Whether the engine has a new frame (or a changed picture) to draw
    // since the last render; takes the engine's pending update flags.
    bool takeFrameUpdate();
    // Renders the current picture scaled into `size`, letterboxed.
    QImage render(const QSize& size);
    // How many frames render() produced.
    quint64 framesRendered() const { return framesRendered_; }

signals:
    // The engine has something new to draw; delivered on this object's thread.
    void updateAvailable();

private:
    static void engineUpdate(void* self);

    mpv_render_context* context_ = nullptr;
    std::atomic<bool> updateQueued_{false};
    quint64 framesRendered_ = 0;
};

} // namespace ZelkShell
