#pragma once

#include "host/shell/behaviour/BehaviourSettings.h"
#include "host/shell/behaviour/ResumePositions.h"

#include <QObject>
#include <QPointer>

class QAction;
class QMainWindow;
struct SettingKey;

namespace ZelkShell {

class Blackout;
class ControlBarAutoHide;
class FocusPause;
class PlaybackEngine;
class ResumeOffer;
class ScreenSaverInhibitor;
class ToolTipGate;

// The playback switches of the preferences applied to a playing player:
// resume positions (with the resume offer over the video), the last video,
// pause on focus loss, blackout while paused, the screen saver, fitting the
// window to the video, tooltips and auto-hiding of the control bar. The
// window creates it once its engine and widgets exist, and hands it the
// settings at start and after each save.
class PlaybackBehaviour : public QObject {
    Q_OBJECT

public:
    struct Parts {
        QMainWindow* window = nullptr;
        QWidget* videoArea = nullptr;
        QWidget* controlBar = nullptr;
    };

    PlaybackBehaviour(PlaybackEngine& engine, const Parts& parts, QObject* parent = nullptr);
    ~PlaybackBehaviour() override;

    void apply(const BehaviourSettings& settings);
    const BehaviourSettings& settings() const { return settings_; }

    // With "Automatically play last video left open on player quit" on, the
    // video open when the player last quit (else empty). Its next load starts
    // where it was left, without an offer.
    QString lastVideoToReopen();
    // The next load of `file` starts where the player was told (a restart
    // coming back): no resume, no offer.
    void startsPositioned(const QString& file);

    // Stores the open video's position and whether one was open; releases
    // the screen saver. Runs once; the window calls it when it closes.
    void playerQuitting();

    // The player's own switches for tooltips and auto-hiding, for its View
    // menu: they store the setting and tell the preferences window.
    QAction* toolTipsAction() const { return toolTipsAction_; }
    QAction* autoHideAction() const { return autoHideAction_; }

    ResumeOffer* resumeOffer() const { return offer_; }
    ControlBarAutoHide* controlBarAutoHide() const { return autoHide_; }

signals:
    // A video started playing in the player (for the library).
    void videoStarted(const QString& file);
    // A switch of the player's own could not be stored.
    void problem(const QString& text);

private slots:
    void fileLoaded(const QString& file);
    void positionChanged(double seconds);
    void pausedChanged(bool paused);
    void videoSizeChanged(const QSize& size);

private:
    void rememberCurrent();
    void offerOrResume(const QString& file);
    void updatePlayingState();
    void fitWindowToVideo(const QSize& video);
    void storeSwitch(const SettingKey& key, bool value);

    PlaybackEngine& engine_;
    Parts parts_;
    BehaviourSettings settings_;
    ResumePositions positions_;
    ResumeOffer* offer_ = nullptr;
    Blackout* blackout_ = nullptr;
    FocusPause* focusPause_ = nullptr;
    ScreenSaverInhibitor* screenSaver_ = nullptr;
    ControlBarAutoHide* autoHide_ = nullptr;
    ToolTipGate* toolTips_ = nullptr;
    QAction* toolTipsAction_ = nullptr;
    QAction* autoHideAction_ = nullptr;

    // The open video as last seen: where it stood and how long it is.
    QString file_;
    double position_ = 0.0;
    double duration_ = 0.0;
    QString startWithoutOffer_;
    QString startAsTold_;
    bool quitHandled_ = false;
};

} // namespace ZelkShell
