#include "host/shell/engine/PlaylistEntryCheck.h"

#include "host/shell/engine/EngineRequests.h"
#include "host/shell/engine/PlaylistEntries.h"
#include "host/shell/engine/PlaybackState.h"

#include <QCoreApplication>

#include <mpv/client.h>

namespace ZelkShell {

namespace {

// Run before the engine opens each entry.
constexpr const char loadHook[] = "on_load";
constexpr const char openedNameProperty[] = "stream-open-filename";
// What a refused entry is opened as instead: no protocol has this name, so
// the open fails at once without touching the network.
constexpr const char refusedTarget[] = "zelk-refused://";

} // namespace

PlaylistEntryCheck::PlaylistEntryCheck(mpv_handle* handle, EngineRequests& requests, PlaylistEntries& entries)
    : handle_(handle)
    , requests_(requests)
    , entries_(entries)
{
}

bool PlaylistEntryCheck::install()
{
    return mpv_hook_add(handle_, 0, loadHook, 0) >= 0;
}

bool PlaylistEntryCheck::handle(const mpv_event& event)
{
    const mpv_event_hook* hook = hookEvent(event, loadHook);
    if (!hook)
        return false;
    const int64_t started = entries_.startedId();
    const PlaylistEntries::Entry* entry = entries_.find(started);
    if (entry && entries_.isCurrent(started) && entry->fromPlaylist)
        check(started, hook->id);
    else
        resume(hook->id);
    return true;
}

void PlaylistEntryCheck::check(int64_t entryId, uint64_t hookId)
{
    requests_.getProperty(openedNameProperty, MPV_FORMAT_STRING, [this, entryId, hookId](const mpv_event& reply) {
        const auto* property = static_cast<const mpv_event_property*>(reply.data);
        PlaylistEntries::Entry* entry = entries_.find(entryId);
        if (!entry) {
            resume(hookId);
            return;
        }
        entry->file = reply.error >= 0 && property ? stringOf(*property) : QString();
        if (!entry->local || !isNetworkName(entry->file)) {
            resume(hookId);
            return;
        }
        // Worded, and translated, with the engine's other messages.
        entry->refusal
            = QCoreApplication::translate("ZelkShell::PlaybackEngine", "a local playlist may not open network addresses");
        // The engine goes on only once the name is replaced.
        requests_.setProperty(openedNameProperty, QString::fromLatin1(refusedTarget),
                              [this, hookId](int) { resume(hookId); });
    });
}

void PlaylistEntryCheck::resume(uint64_t hookId)
{
    mpv_hook_continue(handle_, hookId);
}

} // namespace ZelkShell
