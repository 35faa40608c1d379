#pragma once

#include "host/shell/engine/RenderContext.h"

#include <QImage>
#include <QSize>

namespace ZelkShell {

// Draws the engine's picture (video, subtitles, on-screen display) into
// QImages in main memory, through the engine's software render API: works on
// any display and with none. Created and owned by PlaybackEngine; views get
// this object, never the engine handle.
class SoftwareFrameRenderer : public RenderContext {
    Q_OBJECT

public:
    // Null context (and false isValid()) with `error` filled on failure.
    SoftwareFrameRenderer(mpv_handle* engine, QString* error, QObject* parent = nullptr);
    // Renders the current picture scaled into `size`, letterboxed.
    QImage render(const QSize& size);
    // How many frames render() produced.
    quint64 framesRendered() const { return framesRendered_; }

private:
    quint64 framesRendered_ = 0;
};

} // namespace ZelkShell
