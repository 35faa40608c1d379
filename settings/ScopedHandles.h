#pragma once

#include "platform/win32_registry.h"

// A registry key handle closed when the holder goes away.
class ScopedLMKey {
public:
    ScopedLMKey() = default;
    explicit ScopedLMKey(HKEY key) : key_(key) {}
    ScopedLMKey(const ScopedLMKey&) = delete;
    ScopedLMKey& operator=(const ScopedLMKey&) = delete;
    virtual ~ScopedLMKey();

    HKEY get() const { return key_; }
    // For the out-parameter of RegOpenKeyExW and friends.
    HKEY* out();

private:
    HKEY key_ = nullptr;
};

// A loaded library freed when the holder goes away.
class ScopedDLL {
public:
    ScopedDLL() = default;
    explicit ScopedDLL(HMODULE module) : module_(module) {}
    ScopedDLL(const ScopedDLL&) = delete;
    ScopedDLL& operator=(const ScopedDLL&) = delete;
    virtual ~ScopedDLL();

    HMODULE get() const { return module_; }

private:
    HMODULE module_ = nullptr;
};
