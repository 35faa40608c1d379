#include "settings/SettingsBatch.h"

#include "win32_registry.h"

namespace ilsk {

#ifdef _WIN32

SettingsBatch::SettingsBatch() = default;
SettingsBatch::~SettingsBatch() = default;

long SettingsBatch::commit()
{
    return status_;
}

void SettingsBatch::rollback() {}

#else

SettingsBatch::SettingsBatch()
{
    status_ = ZelkRegBeginBatch(HKEY_CURRENT_USER);
    open_ = status_ == ERROR_SUCCESS;
}

SettingsBatch::~SettingsBatch()
{
    rollback();
}

long SettingsBatch::commit()
{
    if (!open_)
        return status_ == ERROR_SUCCESS ? ERROR_INVALID_FUNCTION : status_;
    open_ = false;
    status_ = ZelkRegCommitBatch(HKEY_CURRENT_USER);
    return status_;
}

void SettingsBatch::rollback()
{
    if (!open_)
        return;
    open_ = false;
    // A rollback that fails still leaves nothing stored: the transaction
    // ends with the connection at the latest.
    (void)ZelkRegRollbackBatch(HKEY_CURRENT_USER);
}

#endif

} // namespace ilsk
