#include "host/shell/engine/VideoCodecForecast.h"

#include "host/shell/engine/EngineRequests.h"

#include <mpv/client.h>

namespace ZelkShell {

namespace {

constexpr const char preloadedHook[] = "on_preloaded";

QString textOf(const mpv_node* node)
{
    return node && node->format == MPV_FORMAT_STRING ? QString::fromUtf8(node->u.string) : QString();
}

bool flagOf(const mpv_node* node)
{
    return node && node->format == MPV_FORMAT_FLAG && node->u.flag;
}

} // namespace

QString defaultVideoCodec(const mpv_node* tracks)
{
    if (!tracks || tracks->format != MPV_FORMAT_NODE_ARRAY)
        return QString();
    QString first;
    for (int i = 0; i < tracks->u.list->num; ++i) {
        const mpv_node& track = tracks->u.list->values[i];
        if (textOf(nodeMember(track, "type")) != QLatin1String("video") || flagOf(nodeMember(track, "albumart")))
            continue;
        const QString codec = textOf(nodeMember(track, "codec"));
        if (flagOf(nodeMember(track, "default")))
            return codec;
        if (first.isEmpty())
            first = codec;
    }
    return first;
}

VideoCodecForecast::VideoCodecForecast(mpv_handle* handle, EngineRequests& requests,
                                       std::function<void(const QString&)> forecast)
    : handle_(handle)
    , requests_(requests)
    , forecast_(std::move(forecast))
{
}

bool VideoCodecForecast::install()
{
    return mpv_hook_add(handle_, 0, preloadedHook, 0) >= 0;
}

bool VideoCodecForecast::handle(const mpv_event& event)
{
    const mpv_event_hook* hook = hookEvent(event, preloadedHook);
    if (!hook)
        return false;
    const uint64_t hookId = hook->id;
    decoderStarting_ = true;
    requests_.getProperty("track-list", MPV_FORMAT_NODE, [this, hookId](const mpv_event& reply) {
        const auto* property = static_cast<const mpv_event_property*>(reply.data);
        const bool read = reply.error >= 0 && property && property->format == MPV_FORMAT_NODE;
        forecast_(read ? defaultVideoCodec(static_cast<const mpv_node*>(property->data)) : QString());
        // Whatever the forecast sent goes first.
        requests_.afterPrevious([this, hookId] {
            decoderStarting_ = false;
            mpv_hook_continue(handle_, hookId);
        });
    });
    return true;
}

} // namespace ZelkShell
