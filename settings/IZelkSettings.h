#pragma once

#include "settings/MemoryBuffer.h"
#include "settings/RefCounted.h"
#include "settings/Utf16String.h"

#include <cstdint>
#include <set>
#include <string>

namespace ilsk {

// An 8-byte time stamp in the registry's file-time layout, stored unchanged.
struct FileTime {
    std::uint32_t low;
    std::uint32_t high;
};
static_assert(sizeof(FileTime) == 8, "stored as 8 bytes");

// How a section opens its registry keys; inherited by every child section.
enum AccessMode : std::int32_t {
    UserReadWrite = 1,
    UserOrMachineReadWrite = 2,
    MachineReadWrite = 3,
    UserReadOnly = 4,
    UserOrMachineReadOnly = 5,
    MachineReadOnly = 6,
    UserCreate = 7,
    UserCreateMachineFallback = 8,
    MachineCreate = 9,
};

// One registry key below SOFTWARE\Zelk, with typed values. Every operation
// that takes a name comes in a UTF-16 form and a UTF-8 form; a UTF-8 name
// that is not well-formed fails the operation. Failures are reported as
// false, never thrown. The declaration order is the interface's slot order.
class IZelkSettings : public ovra::IRefCounted {
public:
    virtual bool getName(Utf16String& name) = 0;
    virtual bool getName(std::string& name) = 0;

    virtual bool getSectionCount(std::uint32_t& count) = 0;
    // The UTF-16 form replaces the set's content; the UTF-8 form adds to it.
    virtual bool getSectionNames(std::set<Utf16String>& names) = 0;
    virtual bool getSectionNames(std::set<std::string>& names) = 0;
    // Opens (and caches) a descendant section; `path` separates its
    // components with '/' or '\'. On success *out holds one reference.
    virtual bool openSection(const Utf16String& path, IZelkSettings** out) = 0;
    virtual bool openSection(const std::string& path, IZelkSettings** out) = 0;

    virtual bool getValueCount(std::uint32_t& count) = 0;
    virtual bool getValueNames(std::set<Utf16String>& names) = 0;
    virtual bool getValueNames(std::set<std::string>& names) = 0;

    virtual bool setValue(const Utf16String& name, std::int64_t value) = 0;
    virtual bool setValue(const std::string& name, std::int64_t value) = 0;
    virtual bool setValue(const Utf16String& name, std::int32_t value) = 0;
    virtual bool setValue(const std::string& name, std::int32_t value) = 0;
    virtual bool setValue(const Utf16String& name, std::uint32_t value) = 0;
    virtual bool setValue(const std::string& name, std::uint32_t value) = 0;
    virtual bool setValue(const Utf16String& name, std::uint64_t value) = 0;
    virtual bool setValue(const std::string& name, std::uint64_t value) = 0;
    virtual bool setValue(const Utf16String& name, FileTime value) = 0;
    virtual bool setValue(const std::string& name, FileTime value) = 0;
    virtual bool setValue(const Utf16String& name, float value) = 0;
    virtual bool setValue(const std::string& name, float value) = 0;
    virtual bool setValue(const Utf16String& name, double value) = 0;
    virtual bool setValue(const std::string& name, double value) = 0;
    virtual bool setValue(const Utf16String& name, bool value) = 0;
    virtual bool setValue(const std::string& name, bool value) = 0;
    virtual bool setValue(const Utf16String& name, const std::string& value) = 0;
    virtual bool setValue(const std::string& name, const std::string& value) = 0;
    virtual bool setValue(const Utf16String& name, const Utf16String& value) = 0;
    virtual bool setValue(const std::string& name, const Utf16String& value) = 0;
    virtual bool setValue(const Utf16String& name, const unsigned char* data, std::uint32_t size) = 0;
    virtual bool setValue(const std::string& name, const unsigned char* data, std::uint32_t size) = 0;

    virtual bool getValue(const Utf16String& name, std::int64_t& value) = 0;
    virtual bool getValue(const std::string& name, std::int64_t& value) = 0;
    virtual bool getValue(const Utf16String& name, std::int32_t& value) = 0;
    virtual bool getValue(const std::string& name, std::int32_t& value) = 0;
    virtual bool getValue(const Utf16String& name, std::uint32_t& value) = 0;
    virtual bool getValue(const std::string& name, std::uint32_t& value) = 0;
    virtual bool getValue(const Utf16String& name, std::uint64_t& value) = 0;
    virtual bool getValue(const std::string& name, std::uint64_t& value) = 0;
    virtual bool getValue(const Utf16String& name, FileTime& value) = 0;
    virtual bool getValue(const std::string& name, FileTime& value) = 0;
    virtual bool getValue(const Utf16String& name, float& value) = 0;
    virtual bool getValue(const std::string& name, float& value) = 0;
    virtual bool getValue(const Utf16String& name, double& value) = 0;
    virtual bool getValue(const std::string& name, double& value) = 0;
    virtual bool getValue(const Utf16String& name, bool& value) = 0;
    virtual bool getValue(const std::string& name, bool& value) = 0;
    virtual bool getValue(const Utf16String& name, std::string& value) = 0;
    virtual bool getValue(const std::string& name, std::string& value) = 0;
    virtual bool getValue(const Utf16String& name, Utf16String& value) = 0;
    virtual bool getValue(const std::string& name, Utf16String& value) = 0;
    virtual bool getValue(const Utf16String& name, ovra::MemoryBuffer<char>& value) = 0;
    virtual bool getValue(const std::string& name, ovra::MemoryBuffer<char>& value) = 0;

    // Deletes the section's key and everything below it.
    virtual bool deleteTree() = 0;
    virtual bool deleteValue(const Utf16String& name) = 0;
    virtual bool deleteValue(const std::string& name) = 0;

    // A C string value would otherwise silently pick the bool overload.
    bool setValue(const std::string& name, const char* value) = delete;
    bool setValue(const Utf16String& name, const char* value) = delete;
};

// Opens the section at `path` (relative to SOFTWARE\Zelk, components
// separated by '/' or '\'). On success *out (when out is non-null) holds one
// reference for the caller; on failure it is left untouched.
bool openSettings(const std::string& path, AccessMode mode, IZelkSettings** out);

} // namespace ilsk
