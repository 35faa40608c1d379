#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace ZelkShell {

// The non-modal bar laid over the top of the video that offers to resume a
// video where it was left: "Resume" or "Start from the beginning". The video
// keeps playing from the beginning until the user chooses.
class ResumeOffer : public QFrame {
    Q_OBJECT

public:
    explicit ResumeOffer(QWidget* video);

    void offer(double positionSeconds);
    double offeredPosition() const { return position_; }

    QPushButton* resumeButton() const { return resume_; }
    QPushButton* startOverButton() const { return startOver_; }

signals:
    void resumeChosen(double positionSeconds);
    void startOverChosen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeOverVideo();

    QLabel* text_;
    QPushButton* resume_;
    QPushButton* startOver_;
    double position_ = 0.0;
};

} // namespace ZelkShell
