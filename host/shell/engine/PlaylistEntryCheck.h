#pragma once

#include <cstdint>

struct mpv_handle;
struct mpv_event;

namespace ZelkShell {

class EngineRequests;
class PlaylistEntries;

// The player's say before the engine opens each entry (its load hook): an
// entry of a local playlist file may name local files only, since the user
// opened no URL and nothing may reach the network on their behalf; a refused
// entry is opened as a name no protocol has, so it fails at once. The engine
// waits for the answer; the entry's name is read without the GUI thread
// waiting for it.
class PlaylistEntryCheck {
public:
    PlaylistEntryCheck(mpv_handle* handle, EngineRequests& requests, PlaylistEntries& entries);

    // Registers the hook; false when the engine does not offer it.
    bool install();
    // Takes its hook event (any other event: false).
    bool handle(const mpv_event& event);

private:
    void check(int64_t entryId, uint64_t hookId);
    void resume(uint64_t hookId);

    mpv_handle* handle_;
    EngineRequests& requests_;
    PlaylistEntries& entries_;
};

} // namespace ZelkShell
