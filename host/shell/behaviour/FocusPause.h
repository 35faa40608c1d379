#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace ZelkShell {

// "Pause video when player loses focus": pauses a playing video when the
// window is deactivated or minimised, and resumes it on return only if this
// rule paused it (a video the user paused, or resumed meanwhile, is left
// alone).
class FocusPause : public QObject {
    Q_OBJECT

public:
    struct Playback {
        std::function<bool()> isPlaying;
        std::function<void(bool paused)> setPaused;
    };

    FocusPause(QWidget* window, Playback playback, QObject* parent = nullptr);

    void setEnabled(bool enabled);

public slots:
    // The engine's pause state, whoever changed it.
    void pauseChanged(bool paused);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void windowLeft();
    void windowReturned();

    QWidget* window_;
    Playback playback_;
    bool enabled_ = false;
    bool pausedByRule_ = false;
};

} // namespace ZelkShell
