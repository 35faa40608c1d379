#pragma once

#include "host/shell/engine/CoalescedCall.h"
#include "host/shell/engine/EngineCore.h"
#include "host/shell/engine/LateSubtitles.h"
#include "host/shell/engine/PlaybackState.h"
#include "host/shell/engine/PlaylistEntries.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

struct mpv_handle;
struct mpv_event;

namespace ZelkShell {

class EngineRequests;
class OpenGlFrameRenderer;
class PlaylistEntryCheck;
class VideoCodecForecast;
class VideoFilterChain;
struct OpenGlPlatform;
class SoftwareFrameRenderer;

// The playback engine (libmpv) behind one Qt object. It alone drives the
// engine handle: everything else drives playback through these methods and
// follows it through the signals, all delivered on the object's thread.
// Nothing here waits for the engine's core once it runs: requests go out
// asynchronously (EngineRequests), answers and state come as events. The
// handle itself is an EngineCore shared with the render contexts, which
// terminates the engine once the last of them lets go.
//
// Life cycle: construct, setOption() for options that only apply before the
// engine starts (output, audio, window id), initialize(), then open() files.
class PlaybackEngine : public QObject {
    Q_OBJECT

public:
    explicit PlaybackEngine(QObject* parent = nullptr);
    // Stops the engine's callbacks into this object and frees the software
    // renderer; the engine ends once no render context holds it any more.
    ~PlaybackEngine() override;
    PlaybackEngine(const PlaybackEngine&) = delete;
    PlaybackEngine& operator=(const PlaybackEngine&) = delete;

    // False when the engine could not be created at all (then nothing plays).
    bool isInitialized() const { return initialized_; }

    // Before initialize(): an engine option ("vo", "ao", "wid", ...). After
    // it, the same as setProperty(). False with `error` when rejected.
    bool setOption(const char* name, const QString& value, QString* error = nullptr);
    // Starts the engine with the options set so far.
    bool initialize(QString* error);

    // Runtime properties, as strings in the engine's own syntax. Sent without
    // waiting, in order with the other sets and commands; false with `error`
    // only when it could not be sent (a refusal by the engine is logged).
    bool setProperty(const char* name, const QString& value, QString* error = nullptr);
    // Reads wait until the engine answers, which may be after its loading
    // work: never on the GUI thread of a window (tests and the frame grab).
    // Outside an event handler a read first waits for the sets and commands
    // sent before it (handling the events that come meanwhile), so that it
    // sees them.
    QString propertyString(const char* name) const;
    double propertyDouble(const char* name, double fallback = 0.0) const;
    // Sets the video filter chain ("vf") to `filters`, in order, leaving out
    // each one the engine cannot create (one log line each) so that it
    // cannot take the others, or the video, with it. Returns the filters
    // that passed the check made here; the engine's own check answers later
    // (VideoFilterChain).
    QStringList setVideoFilters(const QStringList& filters);
    // A command with its arguments ("seek", ...), sent without waiting, in
    // order with the property sets.
    bool command(const QStringList& arguments, QString* error = nullptr);
    // The same for a command that may keep the engine busy for long
    // ("sub-reload"): later requests do not wait for it.
    bool commandInBackground(const QStringList& arguments);
    // The video decoder starts again with the decoder options set since it
    // started (they are read only then); nothing without a running decoder
    // (one about to start reads them anyway: see VideoCodecForecast).
    void restartVideoDecoder();

    // The software renderer of this engine, created on first use (needs an
    // initialized engine and the "libmpv" video output); null on failure.
    SoftwareFrameRenderer* softwareRenderer(QString* error = nullptr);
    // An OpenGL renderer for the context that is current; the caller owns it
    // and frees it with that context current (it keeps the engine alive until
    // then). The engine has either this or the software renderer, never both.
    std::unique_ptr<OpenGlFrameRenderer> createOpenGlRenderer(const OpenGlPlatform& platform, QString* error);

    // Opens `file` (a path, or a URL the user gave) and starts it at
    // `startSeconds`, paused or playing, in place of what plays now.
    // Success or failure arrives later as fileLoaded() or openFailed(), for
    // this file only: what the file it replaced still reports is logged
    // under that file's own name. A playlist file plays its entries, each
    // reported under its own name; a local one may name local files only.
    // The subtitle files beside a local video are looked for first, off
    // this thread (LateSubtitles).
    bool open(const QString& file, double startSeconds = 0.0, bool paused = false);
    void setPaused(bool paused);
    void togglePause();
    // Absolute position in seconds; `exact` seeks to the frame, not the
    // nearest key frame.
    void seek(double seconds, bool exact = true);
    void seekRelative(double seconds);
    // 0..100.
    void setVolume(int percent);
    // Reads a subtitle file refused as too large (subtitleRefused()) all
    // the same; the picture may stand still while the engine reads it.
    void loadRefusedSubtitle(const QString& file);

    // The state last reported by the engine.
    QString currentFile() const { return currentFile_; }
    bool hasFile() const { return fileLoaded_; }
    double position() const { return state_.position; }
    double duration() const { return state_.duration; }
    bool isPaused() const { return state_.paused; }
    int volume() const { return state_.volume; }
    QSize videoSize() const { return state_.videoSize; }
    // Frames per second of the video stream (0 while unknown).
    double videoFrameRate() const { return state_.frameRate; }
    // Codec of the selected subtitle track ("subrip", "microdvd", ...), or empty.
    QString subtitleCodec() const { return state_.subtitleCodec; }
    // Codec of the selected video track ("mpeg4", "h264", ...), as the engine
    // last reported it, or as it will be once a file's decoder starts;
    // empty while no video track is selected.
    QString videoCodec() const { return state_.videoCodec; }
    // The title tag of what plays, else its file name; the playback speed
    // (1 is normal).
    QString title() const { return state_.title; }
    double speed() const { return state_.speed; }

signals:
    void fileLoaded(const QString& file);
    // `reason` is the engine's one-line explanation.
    void openFailed(const QString& file, const QString& reason);
    void positionChanged(double seconds);
    void durationChanged(double seconds);
    void pausedChanged(bool paused);
    void volumeChanged(int percent);
    void videoSizeChanged(const QSize& size);
    // The tracks changed, or the playing ones' frame rate or subtitle codec.
    void trackListChanged();
    void videoCodecChanged(const QString& codec);
    void titleChanged(const QString& title);
    void speedChanged(double speed);
    // The engine finished a seek (or a start) and shows frames again;
    // position() is where it restarted.
    void playbackRestarted();
    // The file played to its end (the last frame stays shown).
    void endOfFile();
    // An engine error unrelated to opening a file.
    void errorOccurred(const QString& message);
    // A subtitle file beside the playing video was too large to read
    // without stopping the picture; loadRefusedSubtitle() reads it anyway.
    void subtitleRefused(const QString& file, const QString& reason);

private:
    void handleWaitingEvents();
    // Handles events until the ordered requests are answered (see
    // propertyString()).
    void settleRequests();
    static void wakeup(void* self);
    void handleEvent(const mpv_event& event);
    void handleFileLoaded();
    void handleEndFile(const mpv_event& event);
    void handlePropertyChange(const mpv_event& event);
    void handleLogMessage(const mpv_event& event);
    // Sends the "loadfile" for `file`, read as `plan` says.
    void load(const QString& file, QString options, const LateSubtitles::Plan& plan);

    EngineCorePtr core_;
    // core_'s handle, or null; valid as long as core_.
    mpv_handle* handle_ = nullptr;
    std::unique_ptr<SoftwareFrameRenderer> renderer_;
    bool initialized_ = false;
    CoalescedCall eventsWaiting_;
    // Declared after the handle they use, before what uses them.
    std::unique_ptr<EngineRequests> requests_;
    PlaylistEntries entries_;
    std::unique_ptr<PlaylistEntryCheck> entryCheck_;
    std::unique_ptr<VideoCodecForecast> codecForecast_;
    std::unique_ptr<VideoFilterChain> filters_;
    std::unique_ptr<LateSubtitles> lateSubtitles_;
    PlaybackState state_;
    QString currentFile_;
    bool fileLoaded_ = false;
    // An event is being handled: the engine's event memory is in use.
    bool handlingEvents_ = false;
    // Counts open() calls: a look beside an older file is moot.
    int openCount_ = 0;
    // The engine's external subtitle search and subtitle track choice, as
    // last set (see open()).
    QString externalSubtitleSearch_;
    QString subtitleTrackChoice_;
};

} // namespace ZelkShell
