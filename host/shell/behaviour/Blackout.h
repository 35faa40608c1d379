#pragma once

#include <QWidget>

namespace ZelkShell {

// "Blackout videos when paused": a black cover laid over the whole video
// area, shown while the video is paused.
class Blackout : public QWidget {
    Q_OBJECT

public:
    explicit Blackout(QWidget* video);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ZelkShell
