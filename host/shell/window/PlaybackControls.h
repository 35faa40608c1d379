#pragma once

#include <QWidget>

class QLabel;
class QSlider;
class QToolButton;

namespace ZelkShell {

// The bar under the video: play/pause, the seek bar with the time, volume and
// full screen. It only shows state and reports the user's requests; the
// window connects it to the engine.
class PlaybackControls : public QWidget {
    Q_OBJECT

public:
    explicit PlaybackControls(QWidget* parent = nullptr);

    QSlider* seekBar() const { return seekBar_; }
    QSlider* volumeSlider() const { return volume_; }
    QLabel* timeLabel() const { return time_; }

public slots:
    void setPosition(double seconds);
    void setDuration(double seconds);
    void setPaused(bool paused);
    void setVolume(int percent);

signals:
    void playPauseRequested();
    void seekRequested(double seconds);
    void volumeRequested(int percent);
    void fullScreenRequested();

private:
    void showTime();

    QToolButton* playPause_ = nullptr;
    QSlider* seekBar_ = nullptr;
    QLabel* time_ = nullptr;
    QSlider* volume_ = nullptr;
    QToolButton* fullScreen_ = nullptr;
    double position_ = 0.0;
    double duration_ = 0.0;
};

// "m:ss", or "h:mm:ss" from an hour on.
QString formatPlaybackTime(double seconds);

} // namespace ZelkShell
