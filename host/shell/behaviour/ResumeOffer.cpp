#include "host/shell/behaviour/ResumeOffer.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTime>

namespace ZelkShell {

namespace {

QString clockText(double seconds)
{
    const QTime time = QTime(0, 0).addSecs(static_cast<int>(seconds));
    return seconds >= 3600 ? time.toString(QStringLiteral("h:mm:ss")) : time.toString(QStringLiteral("m:ss"));
}

} // namespace

ResumeOffer::ResumeOffer(QWidget* video)
    : QFrame(video)
    , text_(new QLabel(this))
    , resume_(new QPushButton(tr("Resume"), this))
    , startOver_(new QPushButton(tr("Start from the beginning"), this))
{
    setObjectName(QStringLiteral("resumeOffer"));
    resume_->setObjectName(QStringLiteral("resumeButton"));
    startOver_->setObjectName(QStringLiteral("startOverButton"));
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("#resumeOffer { background: rgba(32, 32, 32, 220); } QLabel { color: white; }"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addWidget(resume_);
    layout->addWidget(startOver_);
    connect(resume_, &QPushButton::clicked, this, [this] {
        hide();
        emit resumeChosen(position_);
    });
    connect(startOver_, &QPushButton::clicked, this, [this] {
        hide();
        emit startOverChosen();
    });
    video->installEventFilter(this);
    hide();
}

void ResumeOffer::offer(double positionSeconds)
{
    position_ = positionSeconds;
    text_->setText(tr("You stopped watching this video at %1.").arg(clockText(positionSeconds)));
    placeOverVideo();
    show();
    raise();
}

bool ResumeOffer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        placeOverVideo();
    return QFrame::eventFilter(watched, event);
}

void ResumeOffer::placeOverVideo()
{
    const int height = sizeHint().height();
    setGeometry(0, 0, parentWidget()->width(), height);
}

} // namespace ZelkShell
