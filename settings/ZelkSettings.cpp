#include "settings/ZelkSettings.h"

#include "settings/ScopedHandles.h"
#include "settings/Utf8Conversion.h"

namespace ilsk {

namespace {

const REGSAM fullAccess = KEY_ALL_ACCESS | KEY_WOW64_64KEY; // 0xF013F
const REGSAM readAccess = KEY_READ | KEY_WOW64_64KEY;       // 0x20119

const Utf16String registryRoot = ZELK_WSTR("SOFTWARE\\Zelk\\");

bool isSeparator(WCHAR c)
{
    return c == u'/' || c == u'\\';
}

// Splits a non-empty path at its first separator into its first component
// and the rest; `hasRest` tells a trailing separator (an empty rest that
// still counts) from no separator at all. An empty path or an empty first
// component gives false.
bool splitFirst(const Utf16String& path, Utf16String& head, Utf16String& rest, bool& hasRest)
{
    std::size_t separator = 0;
    while (separator < path.size() && !isSeparator(path[separator]))
        ++separator;
    hasRest = separator < path.size();
    head = path.substr(0, separator);
    rest = hasRest ? path.substr(separator + 1) : Utf16String();
    return !head.empty();
}

bool openKey(HKEY hive, const Utf16String& path, REGSAM access, HKEY& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(hive, path.c_str(), 0, access, &opened) != ERROR_SUCCESS || !opened)
        return false;
    key = opened;
    return true;
}

bool createKey(HKEY hive, const Utf16String& path, HKEY& key)
{
    HKEY created = nullptr;
    if (RegCreateKeyExW(hive, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, fullAccess, nullptr, &created, nullptr)
            != ERROR_SUCCESS
        || !created)
        return false;
    key = created;
    return true;
}

// Gives the caller of an out-parameter its own reference (a null `out` is allowed).
void handOut(IZelkSettings* section, IZelkSettings** out)
{
    if (out) {
        section->retain();
        *out = section;
    }
}

using RegDeleteKeyExFunction = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);

// Deletes HKEY_LOCAL_MACHINE\path bottom-up in the 64-bit view.
bool deleteMachineTree(const Utf16String& path, RegDeleteKeyExFunction deleteKeyEx)
{
    ScopedLMKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, fullAccess, key.out()) != ERROR_SUCCESS || !key.get())
        return false;
    DWORD subKeys = 0;
    DWORD longest = 0;
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subKeys, &longest, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr)
        != ERROR_SUCCESS)
        return false;
    ovra::MemoryBuffer<unsigned short> buffer;
    for (DWORD index = subKeys; index-- > 0;) {
        buffer.resize(longest + 1, true);
        if (!buffer.data())
            continue;
        DWORD length = buffer.count();
        WCHAR* name = reinterpret_cast<WCHAR*>(buffer.data());
        if (RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        if (!deleteMachineTree(path + ZELK_WSTR("\\") + Utf16String(name, length), deleteKeyEx))
            return false;
    }
    return deleteKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), KEY_WOW64_64KEY, 0) == ERROR_SUCCESS;
}

} // namespace

bool openSettings(const std::string& path, AccessMode mode, IZelkSettings** out)
{
    Utf16String widePath;
    if (path.empty() || !tryUtf8ToUtf16(path, &widePath))
        return false;
    return ZelkSettings::create(widePath, mode, nullptr, out);
}

ZelkSettings::ZelkSettings(const Utf16String& name, AccessMode mode, ZelkSettings* parent)
    : fullPath_(parent ? parent->fullPath_ + ZELK_WSTR("\\") + name : registryRoot + name)
    , name_(name)
    , mode_(mode)
{
    if (parent) {
        // The parent's cache ends up holding exactly one reference.
        retain();
        parent->children_[name_] = this;
        release();
    }
}

ZelkSettings::~ZelkSettings()
{
    if (userKey_)
        RegCloseKey(userKey_);
    if (machineKey_)
        RegCloseKey(machineKey_);
    children_.clear();
}

bool ZelkSettings::create(const Utf16String& path, AccessMode mode, ZelkSettings* parent, IZelkSettings** out)
{
    Utf16String head, rest;
    bool hasRest;
    if (!splitFirst(path, head, rest, hasRest))
        return false;

    ovra::RefCountedPtr_STLSafe<IZelkSettings> section(new ZelkSettings(head, mode, parent));
    auto* created = static_cast<ZelkSettings*>(section.get());
    if (hasRest)
        return create(rest, mode, created, out);
    if (!created->openKeys())
        return false;
    handOut(created, out);
    return true;
}

int ZelkSettings::retain()
{
    return ++refCount_;
}

int ZelkSettings::release()
{
    if (--refCount_ > 0)
        return refCount_;
    delete this;
    return 0;
}

int ZelkSettings::retainCount()
{
    return refCount_;
}

bool ZelkSettings::openKeys()
{
    if (name_.empty() || fullPath_.empty())
        return false;
    switch (mode_) {
    case UserReadWrite:
    case UserReadOnly:
        if (!userKey_ && !openKey(HKEY_CURRENT_USER, fullPath_, mode_ == UserReadWrite ? fullAccess : readAccess, userKey_))
            return false;
        openedHive_ = HKEY_CURRENT_USER;
        return true;
    case UserOrMachineReadWrite:
    case UserOrMachineReadOnly: {
        const REGSAM access = mode_ == UserOrMachineReadWrite ? fullAccess : readAccess;
        if (!userKey_)
            openKey(HKEY_CURRENT_USER, fullPath_, access, userKey_);
        if (!machineKey_)
            openKey(HKEY_LOCAL_MACHINE, fullPath_, access, machineKey_);
        if (!userKey_ && !machineKey_)
            return false;
        openedHive_ = HKEY_CURRENT_USER;
        return true;
    }
    case MachineReadWrite:
    case MachineReadOnly:
        if (!machineKey_
            && !openKey(HKEY_LOCAL_MACHINE, fullPath_, mode_ == MachineReadWrite ? fullAccess : readAccess, machineKey_))
            return false;
        openedHive_ = HKEY_LOCAL_MACHINE;
        return true;
    case UserCreate:
    case UserCreateMachineFallback:
        // Once the user key is open the section is usable; the machine key
        // is looked for only together with the user key's creation.
        if (!userKey_) {
            if (!createKey(HKEY_CURRENT_USER, fullPath_, userKey_))
                return false;
            // A read fallback only: without it the section works on the user key alone.
            if (mode_ == UserCreateMachineFallback && !machineKey_)
                openKey(HKEY_LOCAL_MACHINE, fullPath_, fullAccess, machineKey_);
        }
        openedHive_ = HKEY_CURRENT_USER;
        return true;
    case MachineCreate:
        if (!machineKey_ && !createKey(HKEY_LOCAL_MACHINE, fullPath_, machineKey_))
            return false;
        openedHive_ = HKEY_LOCAL_MACHINE;
        return true;
    }
    return false;
}

bool ZelkSettings::usesMachineFallback() const
{
    return mode_ == UserOrMachineReadWrite || mode_ == UserOrMachineReadOnly || mode_ == UserCreateMachineFallback;
}

HKEY ZelkSettings::primaryKey() const
{
    const bool machinePrimary = mode_ == MachineReadWrite || mode_ == MachineReadOnly || mode_ == MachineCreate;
    return machinePrimary ? machineKey_ : userKey_;
}

HKEY ZelkSettings::fallbackKey() const
{
    return usesMachineFallback() ? machineKey_ : nullptr;
}

bool ZelkSettings::getName(Utf16String& name)
{
    name = name_;
    return true;
}

bool ZelkSettings::getName(std::string& name)
{
    name = utf16ToUtf8(name_);
    return true;
}

bool ZelkSettings::openSection(const Utf16String& path, IZelkSettings** out)
{
    if (path.empty() || !openKeys())
        return false;
    Utf16String head, rest;
    bool hasRest;
    if (!splitFirst(path, head, rest, hasRest))
        return false;

    auto cached = children_.find(head);
    if (cached != children_.end()) {
        IZelkSettings* child = cached->second.get();
        if (hasRest)
            return child->openSection(rest, out);
        handOut(child, out);
        return true;
    }
    // The new child registers itself in the cache before its key is opened,
    // so a child whose key failed to open is still found next time.
    if (!hasRest)
        return create(head, mode_, this, out);
    if (!create(head, mode_, this, nullptr))
        return false;
    return children_[head]->openSection(rest, out);
}

bool ZelkSettings::openSection(const std::string& path, IZelkSettings** out)
{
    return openSection(utf8ToUtf16(path), out);
}

bool ZelkSettings::deleteTree()
{
    if (userKey_) {
        RegCloseKey(userKey_);
        userKey_ = nullptr;
    }
    if (machineKey_) {
        RegCloseKey(machineKey_);
        machineKey_ = nullptr;
    }
    children_.clear();

    if (fullPath_.find(registryRoot) == Utf16String::npos)
        return false;
    if (openedHive_ == HKEY_CURRENT_USER)
        return SHDeleteKeyW(HKEY_CURRENT_USER, fullPath_.c_str()) == ERROR_SUCCESS;
    if (openedHive_ != HKEY_LOCAL_MACHINE)
        return false;

    ScopedDLL advapi(LoadLibraryW(ZELK_WSTR("Advapi32.dll")));
    if (advapi.get()) {
        if (FARPROC found = GetProcAddress(advapi.get(), "RegDeleteKeyExW"))
            // Through void(*)(), the generic function pointer type, to the real signature.
            return deleteMachineTree(fullPath_, reinterpret_cast<RegDeleteKeyExFunction>(reinterpret_cast<void (*)()>(found)));
    }
    return SHDeleteKeyW(HKEY_LOCAL_MACHINE, fullPath_.c_str()) == ERROR_SUCCESS;
}

} // namespace ilsk
