#include "host/shell/engine/EngineCore.h"

#include <mpv/client.h>

namespace ZelkShell {

std::shared_ptr<EngineCore> EngineCore::create()
{
    mpv_handle* handle = mpv_create();
    if (!handle)
        return nullptr;
    return std::shared_ptr<EngineCore>(new EngineCore(handle));
}

EngineCore::~EngineCore()
{
    mpv_set_wakeup_callback(handle_, nullptr, nullptr);
    mpv_terminate_destroy(handle_);
}

} // namespace ZelkShell
