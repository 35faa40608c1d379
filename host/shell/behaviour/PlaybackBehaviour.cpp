#include "host/shell/behaviour/PlaybackBehaviour.h"

#include "host/shell/behaviour/Blackout.h"
#include "host/shell/behaviour/ControlBarAutoHide.h"
#include "host/shell/behaviour/FitToVideo.h"
#include "host/shell/behaviour/FocusPause.h"
#include "host/shell/behaviour/LastVideo.h"
#include "host/shell/behaviour/ResumeOffer.h"
#include "host/shell/behaviour/ScreenSaverInhibitor.h"
#include "host/shell/behaviour/ToolTipGate.h"
#include "host/shell/engine/PlaybackEngine.h"
#include "settings/SettingKey.h"

#include <QAction>
#include <QCoreApplication>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>

namespace ZelkShell {

PlaybackBehaviour::PlaybackBehaviour(PlaybackEngine& engine, const Parts& parts, QObject* parent)
    : QObject(parent)
    , engine_(engine)
    , parts_(parts)
{
    blackout_ = new Blackout(parts_.videoArea);
    offer_ = new ResumeOffer(parts_.videoArea);
    connect(offer_, &ResumeOffer::resumeChosen, this, [this](double seconds) { engine_.seek(seconds, true); });

    focusPause_ = new FocusPause(parts_.window,
                                 {[this] { return engine_.hasFile() && !engine_.isPaused(); },
                                  [this](bool paused) { engine_.setPaused(paused); }},
                                 this);
    // Movements over the video must reach the auto-hide even with no button held.
    parts_.videoArea->setMouseTracking(true);
    autoHide_ = new ControlBarAutoHide(parts_.window, parts_.controlBar, ControlBarAutoHide::defaultDelayMs, this);
    toolTips_ = new ToolTipGate(parts_.controlBar, this);

    toolTipsAction_ = new QAction(tr("Show &Tooltips"), this);
    toolTipsAction_->setObjectName(QStringLiteral("toolTipsAction"));
    toolTipsAction_->setCheckable(true);
    connect(toolTipsAction_, &QAction::triggered, this, [this](bool shown) {
        settings_.toolTips = shown;
        toolTips_->setToolTipsShown(shown);
        storeSwitch(SettingKeys::Playback::enableToolTips, shown);
    });
    autoHideAction_ = new QAction(tr("&Auto-hide Controls"), this);
    autoHideAction_->setObjectName(QStringLiteral("autoHideAction"));
    autoHideAction_->setCheckable(true);
    connect(autoHideAction_, &QAction::triggered, this, [this](bool hide) {
        settings_.autoHideControls = hide;
        autoHide_->setEnabled(hide);
        storeSwitch(SettingKeys::Playback::hideInactiveButtons, hide);
    });

    connect(&engine_, &PlaybackEngine::fileLoaded, this, &PlaybackBehaviour::fileLoaded);
    connect(&engine_, &PlaybackEngine::positionChanged, this, &PlaybackBehaviour::positionChanged);
    connect(&engine_, &PlaybackEngine::durationChanged, this, [this](double seconds) {
        if (seconds > 0 && engine_.hasFile() && engine_.currentFile() == file_)
            duration_ = seconds;
    });
    connect(&engine_, &PlaybackEngine::pausedChanged, this, &PlaybackBehaviour::pausedChanged);
    connect(&engine_, &PlaybackEngine::videoSizeChanged, this, &PlaybackBehaviour::videoSizeChanged);
    // A quit that bypasses the window (the restart prompt) still stores the position.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &PlaybackBehaviour::playerQuitting);
}

PlaybackBehaviour::~PlaybackBehaviour() = default;

void PlaybackBehaviour::apply(const BehaviourSettings& settings)
{
    settings_ = settings;
    focusPause_->setEnabled(settings.pauseInBackground);
    toolTips_->setToolTipsShown(settings.toolTips);
    autoHide_->setEnabled(settings.autoHideControls);
    toolTipsAction_->setChecked(settings.toolTips);
    autoHideAction_->setChecked(settings.autoHideControls);
    updatePlayingState();
}

QString PlaybackBehaviour::lastVideoToReopen()
{
    if (!settings_.reopenLastVideo)
        return QString();
    startWithoutOffer_ = LastVideo::fileToReopen();
    return startWithoutOffer_;
}

void PlaybackBehaviour::startsPositioned(const QString& file)
{
    startAsTold_ = file;
}

void PlaybackBehaviour::playerQuitting()
{
    if (quitHandled_)
        return;
    quitHandled_ = true;
    rememberCurrent();
    if (!LastVideo::recordQuit(engine_.hasFile() ? file_ : QString()))
        qWarning("zelk-player: the video open at quit could not be stored");
    if (screenSaver_)
        screenSaver_->setInhibited(false);
}

void PlaybackBehaviour::fileLoaded(const QString& file)
{
    rememberCurrent();
    offer_->hide();
    file_ = file;
    position_ = 0.0;
    // Read with the file's load, not asked of the engine while it may be busy.
    duration_ = engine_.duration();
    if (!LastVideo::recordOpened(file))
        qWarning("zelk-player: %s could not be added to the recently watched files", qUtf8Printable(file));
    emit videoStarted(file);
    offerOrResume(file);
    updatePlayingState();
}

void PlaybackBehaviour::offerOrResume(const QString& file)
{
    const bool reopenedAtStart = file == startWithoutOffer_;
    const bool startedAsTold = file == startAsTold_;
    startWithoutOffer_.clear();
    startAsTold_.clear();
    if (startedAsTold)
        return;
    if (!reopenedAtStart && !settings_.resumeFromLastPosition)
        return;
    const std::optional<double> position = positions_.positionFor(file, duration_);
    if (!position)
        return;
    if (!reopenedAtStart && settings_.showResumeOffer)
        offer_->offer(*position);
    else
        engine_.seek(*position, true);
}

void PlaybackBehaviour::positionChanged(double seconds)
{
    // The engine reports 0 when a file stops and its position goes away;
    // that report must not replace where the file was left. (A seek to the
    // very first frame is then missed, and the position before it kept.)
    if (engine_.hasFile() && seconds > 0.0)
        position_ = seconds;
}

void PlaybackBehaviour::pausedChanged(bool paused)
{
    focusPause_->pauseChanged(paused);
    updatePlayingState();
}

void PlaybackBehaviour::updatePlayingState()
{
    const bool open = engine_.hasFile();
    const bool playing = open && !engine_.isPaused();
    blackout_->setVisible(settings_.blackoutWhenPaused && open && engine_.isPaused());
    blackout_->raise();
    offer_->raise();
    const bool inhibit = settings_.disableScreenSaver && playing;
    // The session bus is first reached when a video plays, not at start.
    if (inhibit && !screenSaver_)
        screenSaver_ = new ScreenSaverInhibitor(QDBusConnection::sessionBus(), this);
    if (screenSaver_)
        screenSaver_->setInhibited(inhibit);
    autoHide_->setPlaying(playing);
}

void PlaybackBehaviour::rememberCurrent()
{
    if (file_.isEmpty())
        return;
    if (!positions_.remember(file_, position_, duration_))
        qWarning("zelk-player: the position in %s could not be stored", qUtf8Printable(file_));
}

void PlaybackBehaviour::videoSizeChanged(const QSize& size)
{
    if (settings_.resizeToVideo)
        fitWindowToVideo(size);
}

void PlaybackBehaviour::fitWindowToVideo(const QSize& video)
{
    QMainWindow* window = parts_.window;
    if (window->isFullScreen() || window->isMaximized() || !window->screen())
        return;
    // Sizes as the layout will have them, not as a pending change left them.
    if (QLayout* layout = window->layout())
        layout->activate();
    // Everything around the video: menus, control bar and the window frame.
    const QSize frameMargins = window->frameGeometry().size() - window->geometry().size();
    const QSize around = window->size() - parts_.videoArea->size() + frameMargins;
    const QRect fitted =
        fittedWindowGeometry(video, around, window->frameGeometry(), window->screen()->availableGeometry());
    window->resize(fitted.size() - frameMargins);
    window->move(fitted.topLeft());
}

void PlaybackBehaviour::storeSwitch(const SettingKey& key, bool value)
{
    if (!storePlayerSwitch(key, value))
        emit problem(tr("The setting could not be stored; it applies until the player quits."));
}

} // namespace ZelkShell
