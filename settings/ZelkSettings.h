#pragma once

#include "settings/IZelkSettings.h"

#include <map>

namespace ilsk {

// The registry-backed section object. Keys open lazily on first use and stay
// open; child sections are cached per parent by exact (case-sensitive) name.
class ZelkSettings : public IZelkSettings {
public:
    // Creates the section for `path` (its first component becomes a new
    // object below `parent`, or below the registry root without one) and
    // opens it; see openSettings().
    static bool create(const Utf16String& path, AccessMode mode, ZelkSettings* parent, IZelkSettings** out);

    ~ZelkSettings() override;

    int retain() override;
    int release() override;
    int retainCount() override;

    bool getName(Utf16String& name) override;
    bool getName(std::string& name) override;
    bool getSectionCount(std::uint32_t& count) override;
    bool getSectionNames(std::set<Utf16String>& names) override;
    bool getSectionNames(std::set<std::string>& names) override;
    bool openSection(const Utf16String& path, IZelkSettings** out) override;
    bool openSection(const std::string& path, IZelkSettings** out) override;
    bool getValueCount(std::uint32_t& count) override;
    bool getValueNames(std::set<Utf16String>& names) override;
    bool getValueNames(std::set<std::string>& names) override;

    bool setValue(const Utf16String& name, std::int64_t value) override;
    bool setValue(const std::string& name, std::int64_t value) override;
    bool setValue(const Utf16String& name, std::int32_t value) override;
    bool setValue(const std::string& name, std::int32_t value) override;
    bool setValue(const Utf16String& name, std::uint32_t value) override;
    bool setValue(const std::string& name, std::uint32_t value) override;
    bool setValue(const Utf16String& name, std::uint64_t value) override;
    bool setValue(const std::string& name, std::uint64_t value) override;
    bool setValue(const Utf16String& name, FileTime value) override;
    bool setValue(const std::string& name, FileTime value) override;
    bool setValue(const Utf16String& name, float value) override;
    bool setValue(const std::string& name, float value) override;
    bool setValue(const Utf16String& name, double value) override;
    bool setValue(const std::string& name, double value) override;
    bool setValue(const Utf16String& name, bool value) override;
    bool setValue(const std::string& name, bool value) override;
    bool setValue(const Utf16String& name, const std::string& value) override;
    bool setValue(const std::string& name, const std::string& value) override;
    bool setValue(const Utf16String& name, const Utf16String& value) override;
    bool setValue(const std::string& name, const Utf16String& value) override;
    bool setValue(const Utf16String& name, const unsigned char* data, std::uint32_t size) override;
    bool setValue(const std::string& name, const unsigned char* data, std::uint32_t size) override;

    bool getValue(const Utf16String& name, std::int64_t& value) override;
    bool getValue(const std::string& name, std::int64_t& value) override;
    bool getValue(const Utf16String& name, std::int32_t& value) override;
    bool getValue(const std::string& name, std::int32_t& value) override;
    bool getValue(const Utf16String& name, std::uint32_t& value) override;
    bool getValue(const std::string& name, std::uint32_t& value) override;
    bool getValue(const Utf16String& name, std::uint64_t& value) override;
    bool getValue(const std::string& name, std::uint64_t& value) override;
    bool getValue(const Utf16String& name, FileTime& value) override;
    bool getValue(const std::string& name, FileTime& value) override;
    bool getValue(const Utf16String& name, float& value) override;
    bool getValue(const std::string& name, float& value) override;
    bool getValue(const Utf16String& name, double& value) override;
    bool getValue(const std::string& name, double& value) override;
    bool getValue(const Utf16String& name, bool& value) override;
    bool getValue(const std::string& name, bool& value) override;
    bool getValue(const Utf16String& name, std::string& value) override;
    bool getValue(const std::string& name, std::string& value) override;
    bool getValue(const Utf16String& name, Utf16String& value) override;
    bool getValue(const std::string& name, Utf16String& value) override;
    bool getValue(const Utf16String& name, ovra::MemoryBuffer<char>& value) override;
    bool getValue(const std::string& name, ovra::MemoryBuffer<char>& value) override;

    bool deleteTree() override;
    bool deleteValue(const Utf16String& name) override;
    bool deleteValue(const std::string& name) override;

    using IZelkSettings::setValue;

private:
    ZelkSettings(const Utf16String& name, AccessMode mode, ZelkSettings* parent);

    // Opens the keys the mode asks for; true when the section is usable.
    bool openKeys();
    HKEY primaryKey() const;
    HKEY fallbackKey() const;
    bool usesMachineFallback() const;

    // Common prologue of the value operations: a name and open keys.
    bool ready(const Utf16String& name);
    bool writeValue(const Utf16String& name, DWORD type, const void* data, DWORD size);
    bool writeInteger64(const Utf16String& name, std::uint64_t bits);
    // Reads through `read` from the primary key, then from the fallback key.
    template <typename ReadFromKey>
    bool readWithFallback(const Utf16String& name, ReadFromKey read);
    bool readInteger64(const Utf16String& name, std::uint64_t& bits);

    bool collectSectionNames(std::set<Utf16String>& names);
    bool collectValueNames(std::set<Utf16String>& names);

    int refCount_ = 0;
    Utf16String fullPath_;
    Utf16String name_;
    AccessMode mode_;
    HKEY openedHive_ = nullptr;
    HKEY userKey_ = nullptr;
    HKEY machineKey_ = nullptr;
    std::map<Utf16String, ovra::RefCountedPtr_STLSafe<IZelkSettings>> children_;
};

} // namespace ilsk
