#pragma once

#include <QString>

#include <functional>

struct mpv_handle;
struct mpv_event;
struct mpv_node;

namespace ZelkShell {

class EngineRequests;

// Tells the codec of the video track a file will decode before the engine
// creates its decoder (its "on_preloaded" hook: the file is open, its tracks
// known, nothing decoded yet), and lets the engine go on only once every
// setting sent meanwhile is answered. What follows the codec (the decoder's
// options and post-processing) is then in place for the first frame, and
// the decoder never has to start again for it.
class VideoCodecForecast {
public:
    // `forecast` is called with the codec ("mpeg4", "h264", ...), or empty
    // when the file has no video track.
    VideoCodecForecast(mpv_handle* handle, EngineRequests& requests, std::function<void(const QString&)> forecast);

    // Registers the hook; false when the engine does not offer it.
    bool install();
    // Takes its hook event (any other event: false).
    bool handle(const mpv_event& event);
    // Between the hook and the decoder's start.
    bool decoderStarting() const { return decoderStarting_; }

private:
    mpv_handle* handle_;
    EngineRequests& requests_;
    std::function<void(const QString&)> forecast_;
    bool decoderStarting_ = false;
};

// The codec of the video track the engine selects by default in
// `tracks` (its "track-list"): the one flagged default, else the first;
// cover art is no video. Empty when there is none.
QString defaultVideoCodec(const mpv_node* tracks);

} // namespace ZelkShell
