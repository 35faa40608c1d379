// Listing sub-key and value names; in the modes with a machine fallback the
// machine key's names join the user key's.

#include "settings/ZelkSettings.h"

#include "settings/Utf8Conversion.h"

namespace ilsk {

namespace {

struct KeyInfo {
    DWORD subKeys = 0;
    DWORD longestSubKey = 0;
    DWORD longestValueName = 0;
};

bool queryInfo(HKEY key, KeyInfo& info)
{
    return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &info.subKeys, &info.longestSubKey, nullptr, nullptr,
                            &info.longestValueName, nullptr, nullptr, nullptr)
        == ERROR_SUCCESS;
}

bool addSubKeyNames(HKEY key, std::set<Utf16String>& names)
{
    KeyInfo info;
    if (!key || !queryInfo(key, info))
        return false;
    ovra::MemoryBuffer<unsigned short> buffer;
    buffer.resize(info.longestSubKey + 1, true);
    for (DWORD index = 0; index < info.subKeys; ++index) {
        if (!buffer.data())
            continue;
        DWORD length = buffer.count();
        auto* name = reinterpret_cast<WCHAR*>(buffer.data());
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        names.insert(Utf16String(name, length));
    }
    return true;
}

// Lists every named value. The name buffer is sized from the key's longest
// value name, so long names are listed like any other.
void addValueNames(HKEY key, std::set<Utf16String>& names)
{
    KeyInfo info;
    if (!key || !queryInfo(key, info))
        return;
    ovra::MemoryBuffer<unsigned short> buffer;
    buffer.resize(info.longestValueName + 1, true);
    if (!buffer.data())
        return;
    auto* name = reinterpret_cast<WCHAR*>(buffer.data());
    for (DWORD index = 0;; ++index) {
        DWORD length = buffer.count();
        if (RegEnumValueW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (length > 0) // the key's default value has no name
            names.insert(Utf16String(name, length));
    }
}

template <typename Collect>
bool countNames(Collect collect, std::uint32_t& count)
{
    std::set<Utf16String> names;
    if (!collect(names))
        return false;
    count = static_cast<std::uint32_t>(names.size());
    return true;
}

// The UTF-8 listings add to the caller's set instead of replacing it.
template <typename Collect>
bool addUtf8Names(Collect collect, std::set<std::string>& names)
{
    std::set<Utf16String> wide;
    const bool listed = collect(wide);
    for (const Utf16String& name : wide)
        names.insert(utf16ToUtf8(name));
    return listed;
}

} // namespace

bool ZelkSettings::collectSectionNames(std::set<Utf16String>& names)
{
    names.clear();
    if (!openKeys())
        return false;
    if (!addSubKeyNames(primaryKey(), names))
        return false;
    if (fallbackKey())
        return addSubKeyNames(fallbackKey(), names);
    return true;
}

bool ZelkSettings::collectValueNames(std::set<Utf16String>& names)
{
    names.clear();
    if (!openKeys())
        return false;
    addValueNames(primaryKey(), names);
    addValueNames(fallbackKey(), names);
    return true;
}

bool ZelkSettings::getSectionCount(std::uint32_t& count)
{
    return countNames([this](std::set<Utf16String>& names) { return collectSectionNames(names); }, count);
}

bool ZelkSettings::getSectionNames(std::set<Utf16String>& names)
{
    return collectSectionNames(names);
}

bool ZelkSettings::getSectionNames(std::set<std::string>& names)
{
    return addUtf8Names([this](std::set<Utf16String>& wide) { return collectSectionNames(wide); }, names);
}

bool ZelkSettings::getValueCount(std::uint32_t& count)
{
    return countNames([this](std::set<Utf16String>& names) { return collectValueNames(names); }, count);
}

bool ZelkSettings::getValueNames(std::set<Utf16String>& names)
{
    return collectValueNames(names);
}

bool ZelkSettings::getValueNames(std::set<std::string>& names)
{
    return addUtf8Names([this](std::set<Utf16String>& wide) { return collectValueNames(wide); }, names);
}

} // namespace ilsk
