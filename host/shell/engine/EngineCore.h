#pragma once

#include <memory>

struct mpv_handle;

namespace ZelkShell {

// The engine handle with the one owner that cannot go before its users: the
// PlaybackEngine and every render context hold it by shared pointer, so the
// engine is terminated only after the last render context was freed, in
// whatever order their owners go. Never touched from the engine's threads.
class EngineCore {
public:
    // Null when the engine could not be created.
    static std::shared_ptr<EngineCore> create();
    // Clears the wakeup callback (its target may be gone already), then
    // terminates the engine and waits for its threads.
    ~EngineCore();
    EngineCore(const EngineCore&) = delete;
    EngineCore& operator=(const EngineCore&) = delete;

    mpv_handle* handle() const { return handle_; }

private:
    explicit EngineCore(mpv_handle* handle)
        : handle_(handle)
    {
    }

    mpv_handle* handle_;
};

using EngineCorePtr = std::shared_ptr<EngineCore>;

} // namespace ZelkShell
