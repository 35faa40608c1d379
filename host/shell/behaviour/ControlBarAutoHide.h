#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

namespace ZelkShell {

// "Auto-hide inactive buttons": while a video plays, the control bar hides
// after `delayMs` without mouse movement over the window, and comes back with
// the next movement or when playback stops.
class ControlBarAutoHide : public QObject {
    Q_OBJECT

public:
    static constexpr int defaultDelayMs = 3000;

    ControlBarAutoHide(QWidget* window, QWidget* bar, int delayMs = defaultDelayMs, QObject* parent = nullptr);

    void setEnabled(bool enabled);
    bool isEnabled() const { return enabled_; }
    void setDelay(int delayMs) { idle_.setInterval(delayMs); }

public slots:
    void setPlaying(bool playing);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showBarAndRestart();
    void hideIfIdle();

    QWidget* window_;
    QWidget* bar_;
    QTimer idle_;
    bool enabled_ = false;
    bool playing_ = false;
};

} // namespace ZelkShell
