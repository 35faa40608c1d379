#include "host/shell/engine/VideoCodecForecast.h"

#include "host/shell/engine/EngineRequests.h"

#include <mpv/client.h>

namespace ZelkShell {

namespace {

constexpr const char preloadedHook[] = "on_preloaded";

const mpv_node* member(const mpv_node& map, const char* key)
{
    if (map.format != MPV_FORMAT_NODE_MAP)
        return nullptr;
    for (int i = 0; i < map.u.list->num; ++i) {
        if (qstrcmp(map.u.list->keys[i], key) == 0)
            return &map.u.list->values[i];
    }
    return nullptr;
}

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
        if (textOf(member(track, "type")) != QLatin1String("video") || flagOf(member(track, "albumart")))
            continue;
        const QString codec = textOf(member(track, "codec"));
        if (flagOf(member(track, "default")))
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
    if (event.event_id != MPV_EVENT_HOOK)
        return false;
    const auto* hook = static_cast<const mpv_event_hook*>(event.data);
    if (!hook || qstrcmp(hook->name, preloadedHook) != 0)
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
