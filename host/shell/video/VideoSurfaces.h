#pragma once

#include "host/shell/video/VideoSurface.h"

#include <QPointer>

namespace ZelkShell {

class OpenGlVideoView;
class VideoMessageOverlay;

// The three video surfaces; made only by createVideoSurface().

// The software renderer's pictures, painted by a VideoView.
class SoftwareVideoSurface : public VideoSurface {
    Q_OBJECT

public:
    SoftwareVideoSurface(QWidget* widgetParent, QObject* owner);

    bool attach(PlaybackEngine& engine, QString* error) override;
    void showMessage(const QString& text) override;
    QString message() const override;
    void detach() override;
    VideoView* softwareView() const override { return view_; }

private:
    VideoView* view_;
};

// The engine's OpenGL renderer, in an OpenGlVideoView; ready once the widget
// has its OpenGL context (and with it the renderer).
class OpenGlVideoSurface : public VideoSurface {
    Q_OBJECT

public:
    OpenGlVideoSurface(QWidget* widgetParent, QObject* owner);

    bool attach(PlaybackEngine& engine, QString* error) override;
    bool isReady() const override;
    void showMessage(const QString& text) override;
    QString message() const override;
    void detach() override;

private:
    OpenGlVideoView* view_;
    VideoMessageOverlay* overlay_;
};

// The engine's own output drawing into a native window of the player.
class EngineWindowSurface : public VideoSurface {
    Q_OBJECT

public:
    // Gives `engine` the window and the outputs to try.
    EngineWindowSurface(PlaybackEngine& engine, QWidget* widgetParent, QObject* owner);

    bool attach(PlaybackEngine& engine, QString* error) override;
    void showMessage(const QString& text) override;
    QString message() const override;
    void detach() override;

private:
    void announceVideo();

    QPointer<PlaybackEngine> engine_;
    VideoMessageOverlay* overlay_;
    // The engine restarted playback since the last file opened.
    bool restarted_ = false;
};

} // namespace ZelkShell
