#pragma once

#include "host/shell/engine/RenderContext.h"

#include <QImage>
#include <QSize>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace ZelkShell {

// Draws the engine's picture (video, subtitles, on-screen display) into
// QImages in main memory, through the engine's software render API: works on
// any display and with none. Created and owned by PlaybackEngine; views get
// this object, never the engine handle.
//
// The drawing happens on a thread of its own. The engine's video output waits
// for each frame to be drawn, and the GUI thread waits for the engine's core
// whenever it reads or sets a property: drawing on the GUI thread would make
// the two wait for each other (the engine gives up after 200 ms, on every
// start, seek and file change).
class SoftwareFrameRenderer : public RenderContext {
    Q_OBJECT

public:
    // Null context (and false isValid()) with `error` filled on failure.
    static std::unique_ptr<SoftwareFrameRenderer> make(const EngineCorePtr& engine, QString* error);
    ~SoftwareFrameRenderer() override;

    // The size pictures are drawn at, letterboxed, from now on; the current
    // picture is drawn again at it. An empty size draws nothing.
    void setTargetSize(const QSize& size);
    // The picture drawn last, once: null when frameReady() has not been
    // emitted since the last call.
    QImage takeFrame();
    // Draws the current picture at `size` and waits for it (at most
    // `timeoutMs`); null on failure. For callers without an event loop to
    // spare, such as the headless frame grab.
    QImage drawAndWait(const QSize& size, int timeoutMs);

    // How many pictures showed a video frame for the first time (the others
    // draw a frame again, or nothing but black before the first one).
    quint64 videoFramesDrawn() const { return videoFramesDrawn_; }

signals:
    // A new picture is ready for takeFrame(); on this object's thread.
    void frameReady();

protected:
    SoftwareFrameRenderer(const EngineCorePtr& engine, QString* error, QObject* parent = nullptr);
    void engineHasUpdate() override;
    // Ends the drawing thread.
    void stopDrawing() override;

private:
    void drawLoop();
    // `newVideoFrame`: the picture holds a frame not drawn before.
    QImage draw(const QSize& size, bool* newVideoFrame);
    // Lets the engine's video output go on when there is nowhere to draw.
    void skipFrame();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable drawn_;
    QSize targetSize_;
    bool engineUpdate_ = false;
    bool stopping_ = false;
    // Requests to draw again, and the last request a picture answered.
    quint64 requested_ = 0;
    quint64 answered_ = 0;
    QImage latest_;
    CoalescedCall delivery_;
    std::atomic<quint64> videoFramesDrawn_{0};
    std::thread thread_;
};

} // namespace ZelkShell
