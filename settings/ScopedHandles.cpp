#include "settings/ScopedHandles.h"

ScopedLMKey::~ScopedLMKey()
{
    if (key_)
        RegCloseKey(key_);
}

HKEY* ScopedLMKey::out()
{
    if (key_) {
        RegCloseKey(key_);
        key_ = nullptr;
    }
    return &key_;
}

ScopedDLL::~ScopedDLL()
{
    if (module_)
        FreeLibrary(module_);
}
