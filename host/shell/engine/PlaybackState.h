#pragma once

#include <QSize>
#include <QString>

#include <cstdint>

struct mpv_handle;
struct mpv_event_property;

namespace ZelkShell {

// Observed, and read once more when a file has loaded (the engine may not
// report them again for it).
inline constexpr char durationProperty[] = "duration";
// Observed, and read once more when playback restarts after a seek.
inline constexpr char positionProperty[] = "time-pos";
inline constexpr char frameRateProperty[] = "container-fps";
inline constexpr char subtitleCodecProperty[] = "current-tracks/sub/codec";

// The engine's state as its property-change events report it: observed, not
// read, since a read waits for the engine's core, which may be busy opening
// a file.
class PlaybackState {
public:
    // What one property change changed.
    enum class Change {
        None,
        Position,
        Duration,
        Paused,
        Volume,
        VideoSize,
        // The tracks, or the playing ones' frame rate or subtitle codec.
        Tracks,
        VideoCodec,
        Title,
        Speed,
        EndOfFile,
    };

    // Asks the engine to report the properties below.
    static void observe(mpv_handle* handle);
    Change apply(const mpv_event_property& property);

    // The facts read once a file is loaded, as the engine answered.
    void setLoadedFacts(double duration, double frameRate, const QString& subtitleCodec);

    double position = 0.0;
    double duration = 0.0;
    bool paused = false;
    int volume = 100;
    QSize videoSize;
    double frameRate = 0.0;
    QString subtitleCodec;
    QString videoCodec;
    // The title tag of what plays, else its file name; the playback speed
    // (1 is normal).
    QString title;
    double speed = 1.0;
    // The selected video track's id, 0 while none.
    int64_t videoTrackId = 0;

private:
    Change setTrackFacts(double frameRate, const QString& subtitleCodec);
};

// The value of a property event, or the fallback when it has none.
double doubleOf(const mpv_event_property& property, double fallback);
QString stringOf(const mpv_event_property& property);

} // namespace ZelkShell
