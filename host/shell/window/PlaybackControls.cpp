#include "host/shell/window/PlaybackControls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

#include <cmath>

namespace ZelkShell {

namespace {

// The seek bar counts tenths of a second.
constexpr int seekStepsPerSecond = 10;

} // namespace

QString formatPlaybackTime(double seconds)
{
    const long total = std::lround(std::max(0.0, seconds));
    const long hours = total / 3600;
    const long minutes = total / 60 % 60;
    const long rest = total % 60;
    if (hours > 0)
        return QStringLiteral("%1:%2:%3").arg(hours).arg(minutes, 2, 10, QLatin1Char('0')).arg(rest, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(minutes).arg(rest, 2, 10, QLatin1Char('0'));
}

PlaybackControls::PlaybackControls(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("playbackControls"));
    playPause_ = new QToolButton(this);
    playPause_->setObjectName(QStringLiteral("playPauseButton"));
    seekBar_ = new QSlider(Qt::Horizontal, this);
    seekBar_->setObjectName(QStringLiteral("seekBar"));
    time_ = new QLabel(this);
    time_->setObjectName(QStringLiteral("timeLabel"));
    volume_ = new QSlider(Qt::Horizontal, this);
    volume_->setObjectName(QStringLiteral("volumeSlider"));
    volume_->setRange(0, 100);
    volume_->setMaximumWidth(100);
    volume_->setToolTip(tr("Volume"));
    fullScreen_ = new QToolButton(this);
    fullScreen_->setObjectName(QStringLiteral("fullScreenButton"));
    fullScreen_->setIcon(style()->standardIcon(QStyle::SP_TitleBarMaxButton));
    fullScreen_->setToolTip(tr("Full Screen"));
    // The keys belong to the player, not to whichever control was clicked last.
    for (QWidget* control : std::initializer_list<QWidget*>{playPause_, seekBar_, volume_, fullScreen_})
        control->setFocusPolicy(Qt::NoFocus);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(playPause_);
    layout->addWidget(seekBar_, 1);
    layout->addWidget(time_);
    layout->addWidget(volume_);
    layout->addWidget(fullScreen_);

    connect(playPause_, &QToolButton::clicked, this, &PlaybackControls::playPauseRequested);
    connect(fullScreen_, &QToolButton::clicked, this, &PlaybackControls::fullScreenRequested);
    // Only the user's moves become requests, not the updates from playback.
    connect(seekBar_, &QSlider::sliderMoved, this,
            [this](int value) { emit seekRequested(double(value) / seekStepsPerSecond); });
    connect(seekBar_, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QSlider::SliderMove && action != QSlider::SliderNoAction)
            emit seekRequested(double(seekBar_->sliderPosition()) / seekStepsPerSecond);
    });
    // setVolume() blocks the slider's signals: every change left is the user's.
    connect(volume_, &QSlider::valueChanged, this, &PlaybackControls::volumeRequested);
    setPaused(true);
    setVolume(100);
    showTime();
}

void PlaybackControls::setPosition(double seconds)
{
    position_ = seconds;
    if (!seekBar_->isSliderDown())
        seekBar_->setValue(static_cast<int>(std::lround(seconds * seekStepsPerSecond)));
    showTime();
}

void PlaybackControls::setDuration(double seconds)
{
    duration_ = seconds;
    seekBar_->setRange(0, static_cast<int>(std::lround(std::max(0.0, seconds) * seekStepsPerSecond)));
    showTime();
}

void PlaybackControls::setPaused(bool paused)
{
    playPause_->setIcon(style()->standardIcon(paused ? QStyle::SP_MediaPlay : QStyle::SP_MediaPause));
    playPause_->setToolTip(paused ? tr("Play") : tr("Pause"));
}

void PlaybackControls::setVolume(int percent)
{
    const QSignalBlocker quiet(volume_);
    volume_->setValue(percent);
}

void PlaybackControls::showTime()
{
    time_->setText(formatPlaybackTime(position_) + QStringLiteral(" / ") + formatPlaybackTime(duration_));
}

} // namespace ZelkShell
