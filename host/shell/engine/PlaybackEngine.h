#pragma once

#include "host/shell/engine/CoalescedCall.h"
#include "host/shell/engine/EngineCore.h"

#include <QHash>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

struct mpv_handle;
struct mpv_event;

namespace ZelkShell {

class OpenGlFrameRenderer;
struct OpenGlPlatform;
class SoftwareFrameRenderer;

// The playback engine (libmpv) behind one Qt object. It alone drives the
// engine handle: everything else drives playback through these methods and
// follows it through the signals, all delivered on the object's thread. The
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

    // Runtime properties, as strings in the engine's own syntax.
    bool setProperty(const char* name, const QString& value, QString* error = nullptr);
    // Reads wait until the engine answers, which may be after its loading
    // work: the window's handlers use the state below (kept from events)
    // instead.
    QString propertyString(const char* name) const;
    double propertyDouble(const char* name, double fallback = 0.0) const;
    // Sets the video filter chain ("vf") to `filters`, in order, leaving out
    // each one the engine cannot create (one log line each) so that it
    // cannot take the others, or the video, with it. Returns the filters set.
    QStringList setVideoFilters(const QStringList& filters);
    // A command with its arguments ("loadfile", path, ...).
    bool command(const QStringList& arguments, QString* error = nullptr);

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
    bool open(const QString& file, double startSeconds = 0.0, bool paused = false);
    void setPaused(bool paused);
    void togglePause();
    // Absolute position in seconds; `exact` seeks to the frame, not the
    // nearest key frame.
    void seek(double seconds, bool exact = true);
    void seekRelative(double seconds);
    // 0..100.
    void setVolume(int percent);

    // The state last reported by the engine.
    QString currentFile() const { return currentFile_; }
    bool hasFile() const { return fileLoaded_; }
    double position() const { return position_; }
    double duration() const { return duration_; }
    bool isPaused() const { return paused_; }
    int volume() const { return volume_; }
    QSize videoSize() const { return videoSize_; }
    // Frames per second of the video stream (0 while unknown).
    double videoFrameRate() const { return frameRate_; }
    // Codec of the selected subtitle track ("subrip", "microdvd", ...), or empty.
    QString subtitleCodec() const { return subtitleCodec_; }
    // Codec of the selected video track ("mpeg4", "h264", ...), as the engine
    // last reported it; empty while no video track is selected.
    QString videoCodec() const { return videoCodec_; }
    // The title tag of what plays, else its file name; the playback speed
    // (1 is normal).
    QString title() const { return title_; }
    double speed() const { return speed_; }

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
    // The engine finished a seek (or a start) and shows frames again.
    void playbackRestarted();
    // The file played to its end (the last frame stays shown).
    void endOfFile();
    // An engine error unrelated to opening a file.
    void errorOccurred(const QString& message);

private:
    // What the player knows of one entry of the engine's playlist.
    struct Entry {
        QString file;
        // An entry of a playlist file, not a file the player opened itself.
        bool fromPlaylist = false;
        // The playlist file naming it was local.
        bool local = true;
        // Why the player refused to open it, if it did.
        QString refusal;
        // Subtitle files to add once it has opened (see open()).
        QStringList lateSubtitles;
    };

    void drainEvents();
    static void wakeup(void* self);
    void handleEvent(const mpv_event& event);
    void handleEndFile(const mpv_event& event);
    void handleLoadHook(const mpv_event& event);
    void handlePropertyChange(const mpv_event& event);
    void handleLogMessage(const mpv_event& event);
    void handleLoadedFacts(const mpv_event& event);
    void observe(const char* name, int format);
    // The entry is the file last opened, or an entry of it.
    bool isCurrentEntry(int64_t id) const { return id >= currentEntryFloor_ && entries_.contains(id); }
    void setTrackFacts(double frameRate, const QString& subtitleCodec);
    void addLateSubtitles(const QStringList& files);

    EngineCorePtr core_;
    // core_'s handle, or null; valid as long as core_.
    mpv_handle* handle_ = nullptr;
    SoftwareFrameRenderer* renderer_ = nullptr;
    bool initialized_ = false;
    CoalescedCall drain_;
    QString currentFile_;
    // Entries the player opened (and the entries of those that were
    // playlists), by the engine's playlist entry id.
    QHash<int64_t, Entry> entries_;
    // Ids below this one belong to files already replaced.
    int64_t currentEntryFloor_ = 0;
    // The entry the engine started last, and its facts read once loaded.
    int64_t startedEntry_ = 0;
    int loadedFactsPending_ = 0;
    bool fileLoaded_ = false;
    double position_ = 0.0;
    double duration_ = 0.0;
    bool paused_ = false;
    int volume_ = 100;
    QSize videoSize_;
    double frameRate_ = 0.0;
    QString subtitleCodec_;
    QString videoCodec_;
    QString title_;
    double speed_ = 1.0;
    // The engine's external subtitle search and subtitle track choice, as
    // last set (see open()).
    QString externalSubtitleSearch_;
    QString subtitleTrackChoice_;
};

} // namespace ZelkShell
