#include "host/shell/engine/PlaybackState.h"

#include <mpv/client.h>

#include <algorithm>
#include <cmath>

namespace ZelkShell {

namespace {

constexpr const char pauseProperty[] = "pause";
constexpr const char volumeProperty[] = "volume";
constexpr const char widthProperty[] = "dwidth";
constexpr const char heightProperty[] = "dheight";
constexpr const char trackListProperty[] = "track-list";
constexpr const char eofProperty[] = "eof-reached";
constexpr const char videoCodecProperty[] = "current-tracks/video/codec";
constexpr const char videoTrackProperty[] = "current-tracks/video/id";
constexpr const char titleProperty[] = "media-title";
constexpr const char speedProperty[] = "speed";

bool flagOf(const mpv_event_property& property)
{
    return property.format == MPV_FORMAT_FLAG && property.data && *static_cast<int*>(property.data) != 0;
}

int64_t integerOf(const mpv_event_property& property)
{
    return property.format == MPV_FORMAT_INT64 && property.data ? *static_cast<int64_t*>(property.data) : 0;
}

} // namespace

double doubleOf(const mpv_event_property& property, double fallback)
{
    if (property.format != MPV_FORMAT_DOUBLE || !property.data)
        return fallback;
    const double value = *static_cast<double*>(property.data);
    return std::isfinite(value) ? value : fallback;
}

QString stringOf(const mpv_event_property& property)
{
    if (property.format != MPV_FORMAT_STRING || !property.data)
        return QString();
    return QString::fromUtf8(*static_cast<char**>(property.data));
}

void PlaybackState::observe(mpv_handle* handle)
{
    const std::pair<const char*, mpv_format> observed[] = {
        {positionProperty, MPV_FORMAT_DOUBLE},   {durationProperty, MPV_FORMAT_DOUBLE},
        {pauseProperty, MPV_FORMAT_FLAG},        {volumeProperty, MPV_FORMAT_DOUBLE},
        {widthProperty, MPV_FORMAT_INT64},       {heightProperty, MPV_FORMAT_INT64},
        {trackListProperty, MPV_FORMAT_NONE},    {eofProperty, MPV_FORMAT_FLAG},
        // The track before its codec: who follows the codec finds the
        // track it belongs to.
        {videoTrackProperty, MPV_FORMAT_INT64},  {videoCodecProperty, MPV_FORMAT_STRING},
        {frameRateProperty, MPV_FORMAT_DOUBLE},  {subtitleCodecProperty, MPV_FORMAT_STRING},
        {titleProperty, MPV_FORMAT_STRING},      {speedProperty, MPV_FORMAT_DOUBLE},
    };
    for (const auto& [name, format] : observed)
        mpv_observe_property(handle, 0, name, format);
}

PlaybackState::Change PlaybackState::apply(const mpv_event_property& property)
{
    if (!property.name)
        return Change::None;
    const QByteArray name(property.name);
    const bool hasValue = property.format != MPV_FORMAT_NONE && property.data;
    if (name == positionProperty) {
        position = doubleOf(property, 0.0);
        return Change::Position;
    }
    if (name == durationProperty) {
        duration = doubleOf(property, 0.0);
        return Change::Duration;
    }
    if (name == pauseProperty && hasValue) {
        paused = flagOf(property);
        return Change::Paused;
    }
    if (name == volumeProperty && hasValue) {
        volume = static_cast<int>(std::lround(doubleOf(property, volume)));
        return Change::Volume;
    }
    if (name == widthProperty || name == heightProperty) {
        const int value = static_cast<int>(integerOf(property));
        QSize size = videoSize;
        if (name == widthProperty)
            size.setWidth(value);
        else
            size.setHeight(value);
        if (size == videoSize)
            return Change::None;
        videoSize = size;
        return videoSize.isEmpty() ? Change::None : Change::VideoSize;
    }
    if (name == trackListProperty)
        return Change::Tracks;
    if (name == titleProperty) {
        title = stringOf(property);
        return Change::Title;
    }
    if (name == speedProperty && hasValue) {
        speed = doubleOf(property, 1.0);
        return Change::Speed;
    }
    if (name == frameRateProperty)
        return setTrackFacts(std::max(0.0, doubleOf(property, 0.0)), subtitleCodec);
    if (name == subtitleCodecProperty)
        return setTrackFacts(frameRate, stringOf(property));
    if (name == eofProperty)
        return flagOf(property) ? Change::EndOfFile : Change::None;
    if (name == videoTrackProperty) {
        videoTrackId = integerOf(property);
        return Change::None;
    }
    if (name == videoCodecProperty) {
        const QString codec = stringOf(property);
        if (codec == videoCodec)
            return Change::None;
        videoCodec = codec;
        return Change::VideoCodec;
    }
    return Change::None;
}

void PlaybackState::setLoadedFacts(double loadedDuration, double loadedFrameRate, const QString& loadedSubtitleCodec)
{
    duration = std::max(0.0, loadedDuration);
    frameRate = std::max(0.0, loadedFrameRate);
    subtitleCodec = loadedSubtitleCodec;
}

PlaybackState::Change PlaybackState::setTrackFacts(double newFrameRate, const QString& newSubtitleCodec)
{
    if (newFrameRate == frameRate && newSubtitleCodec == subtitleCodec)
        return Change::None;
    frameRate = newFrameRate;
    subtitleCodec = newSubtitleCodec;
    return Change::Tracks;
}

} // namespace ZelkShell
