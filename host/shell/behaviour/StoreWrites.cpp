#include "host/shell/behaviour/StoreWrites.h"

#include "settings/PreferenceAccessors.h"

namespace ZelkShell {

bool writeRetryingOnFreshKeys(const std::function<bool()>& write)
{
    if (write())
        return true;
    ZelkNimbo::releaseComponentSettings();
    return write();
}

} // namespace ZelkShell
