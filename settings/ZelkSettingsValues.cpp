// Typed values: every type has one place that says how it is stored.

#include "settings/ZelkSettings.h"

#include "settings/Utf8Conversion.h"

#include <cstring>

namespace ilsk {

namespace {

// A narrow name that is not well-formed UTF-8 becomes empty, which fails the
// operation like any empty name.
Utf16String wide(const std::string& name)
{
    return utf8ToUtf16(name);
}

// Reads a value of exactly `type` and `size` bytes into `out`.
bool readExact(HKEY key, const Utf16String& name, DWORD expectedType, void* out, DWORD expectedSize)
{
    if (!key)
        return false;
    DWORD type = REG_NONE;
    DWORD size = expectedSize;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, static_cast<LPBYTE>(out), &size) != ERROR_SUCCESS)
        return false;
    return type == expectedType && size == expectedSize;
}

bool readString(HKEY key, const Utf16String& name, Utf16String& out)
{
    if (!key)
        return false;
    // Most settings are short: one call into a buffer on the stack, with room
    // kept for a terminator the stored text may lack. Longer ones are sized
    // first and read into a buffer of their own.
    WCHAR shortText[256] = {};
    DWORD type = REG_NONE;
    DWORD size = sizeof shortText - sizeof(WCHAR);
    const LONG first = RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<LPBYTE>(shortText), &size);
    if (first == ERROR_SUCCESS) {
        if (type != REG_SZ || size == 0)
            return false;
        out = Utf16String(shortText);
        return true;
    }
    if (first != ERROR_MORE_DATA || type != REG_SZ)
        return false;
    // Room for the text, an odd byte and a terminator the value may lack.
    ovra::MemoryBuffer<unsigned short> buffer;
    buffer.resize((size + 2) / 2 + 1, true);
    if (!buffer.data())
        return false;
    DWORD secondType = REG_NONE;
    DWORD secondSize = buffer.count() * sizeof(unsigned short);
    if (RegQueryValueExW(key, name.c_str(), nullptr, &secondType, reinterpret_cast<LPBYTE>(buffer.data()), &secondSize)
            != ERROR_SUCCESS
        || secondType != REG_SZ || secondSize != size)
        return false;
    out = Utf16String(reinterpret_cast<const WCHAR*>(buffer.data()));
    return true;
}

bool readBinary(HKEY key, const Utf16String& name, ovra::MemoryBuffer<char>& out)
{
    if (!key)
        return false;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_BINARY
        || size == 0)
        return false;
    out.resize(size);
    if (!out.data())
        return false;
    DWORD secondType = REG_NONE;
    DWORD secondSize = size;
    return RegQueryValueExW(key, name.c_str(), nullptr, &secondType, reinterpret_cast<LPBYTE>(out.data()), &secondSize)
            == ERROR_SUCCESS
        && secondType == REG_BINARY && secondSize == size;
}

} // namespace

bool ZelkSettings::ready(const Utf16String& name)
{
    return !name.empty() && openKeys();
}

bool ZelkSettings::writeValue(const Utf16String& name, DWORD type, const void* data, DWORD size)
{
    if (!ready(name) || !primaryKey())
        return false;
    return RegSetValueExW(primaryKey(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool ZelkSettings::writeInteger64(const Utf16String& name, std::uint64_t bits)
{
    return writeValue(name, REG_QWORD, &bits, sizeof bits);
}

template <typename ReadFromKey>
bool ZelkSettings::readWithFallback(const Utf16String& name, ReadFromKey read)
{
    if (!ready(name))
        return false;
    return read(primaryKey()) || read(fallbackKey());
}

bool ZelkSettings::readInteger64(const Utf16String& name, std::uint64_t& bits)
{
    return readWithFallback(name, [&](HKEY key) {
        if (!key)
            return false;
        // A 4-byte REG_DWORD fills the low half; the high half stays zero.
        std::uint64_t value = 0;
        DWORD type = REG_NONE;
        DWORD size = sizeof value;
        if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) != ERROR_SUCCESS)
            return false;
        if ((type != REG_QWORD && type != REG_DWORD) || (size != 8 && size != 4))
            return false;
        bits = value;
        return true;
    });
}

// --- setters -----------------------------------------------------------------

bool ZelkSettings::setValue(const Utf16String& name, std::int64_t value)
{
    return writeInteger64(name, static_cast<std::uint64_t>(value));
}

bool ZelkSettings::setValue(const Utf16String& name, std::int32_t value)
{
    return setValue(name, static_cast<std::int64_t>(value));
}

bool ZelkSettings::setValue(const Utf16String& name, std::uint32_t value)
{
    return setValue(name, static_cast<std::int64_t>(static_cast<std::uint64_t>(value)));
}

bool ZelkSettings::setValue(const Utf16String& name, std::uint64_t value)
{
    return writeInteger64(name, value);
}

bool ZelkSettings::setValue(const Utf16String& name, FileTime value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return writeInteger64(name, bits);
}

bool ZelkSettings::setValue(const Utf16String& name, float value)
{
    return writeValue(name, REG_DWORD, &value, sizeof value);
}

bool ZelkSettings::setValue(const Utf16String& name, double value)
{
    return writeValue(name, REG_QWORD, &value, sizeof value);
}

bool ZelkSettings::setValue(const Utf16String& name, bool value)
{
    const std::uint32_t flag = value ? 1 : 0;
    return writeValue(name, REG_DWORD, &flag, sizeof flag);
}

bool ZelkSettings::setValue(const Utf16String& name, const std::string& value)
{
    // Text that is not UTF-8 is refused rather than stored as an empty value.
    Utf16String wideValue;
    if (!tryUtf8ToUtf16(value, &wideValue))
        return false;
    return setValue(name, wideValue);
}

bool ZelkSettings::setValue(const Utf16String& name, const Utf16String& value)
{
    const DWORD size = static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR));
    return writeValue(name, REG_SZ, value.c_str(), size);
}

bool ZelkSettings::setValue(const Utf16String& name, const unsigned char* data, std::uint32_t size)
{
    if (size != 0 && !data)
        return false;
    return writeValue(name, REG_BINARY, data, size);
}

bool ZelkSettings::setValue(const std::string& name, std::int64_t value) { return setValue(wide(name), value); }
bool ZelkSettings::setValue(const std::string& name, std::int32_t value) { return setValue(wide(name), value); }
bool ZelkSettings::setValue(const std::string& name, std::uint32_t value) { return setValue(wide(name), value); }
bool ZelkSettings::setValue(const std::string& name, std::uint64_t value) { return setValue(wide(name), value); }
bool ZelkSettings::setValue(const std::string& name, FileTime value) { return setValue(wide(name), value); }
bool ZelkSettings::setValue(const std::string& name, float value) { return setValue(wide(name), value); }
bool ZelkSettings::setValue(const std::string& name, double value) { return setValue(wide(name), value); }
bool ZelkSettings::setValue(const std::string& name, bool value) { return setValue(wide(name), value); }
bool ZelkSettings::setValue(const std::string& name, const std::string& value) { return setValue(wide(name), value); }
bool ZelkSettings::setValue(const std::string& name, const Utf16String& value) { return setValue(wide(name), value); }
bool ZelkSettings::setValue(const std::string& name, const unsigned char* data, std::uint32_t size)
{
    return setValue(wide(name), data, size);
}

// --- getters -----------------------------------------------------------------

bool ZelkSettings::getValue(const Utf16String& name, std::int64_t& value)
{
    std::uint64_t bits;
    if (!readInteger64(name, bits))
        return false;
    value = static_cast<std::int64_t>(bits);
    return true;
}

bool ZelkSettings::getValue(const Utf16String& name, std::int32_t& value)
{
    std::uint64_t bits;
    if (!readInteger64(name, bits))
        return false;
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
    return true;
}

bool ZelkSettings::getValue(const Utf16String& name, std::uint32_t& value)
{
    std::uint64_t bits;
    if (!readInteger64(name, bits))
        return false;
    value = static_cast<std::uint32_t>(bits);
    return true;
}

bool ZelkSettings::getValue(const Utf16String& name, std::uint64_t& value)
{
    return readInteger64(name, value);
}

bool ZelkSettings::getValue(const Utf16String& name, FileTime& value)
{
    std::uint64_t bits;
    if (!readInteger64(name, bits))
        return false;
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool ZelkSettings::getValue(const Utf16String& name, float& value)
{
    return readWithFallback(name, [&](HKEY key) { return readExact(key, name, REG_DWORD, &value, sizeof value); });
}

bool ZelkSettings::getValue(const Utf16String& name, double& value)
{
    return readWithFallback(name, [&](HKEY key) { return readExact(key, name, REG_QWORD, &value, sizeof value); });
}

bool ZelkSettings::getValue(const Utf16String& name, bool& value)
{
    return readWithFallback(name, [&](HKEY key) {
        std::uint32_t flag = 0;
        if (!readExact(key, name, REG_DWORD, &flag, sizeof flag))
            return false;
        value = flag != 0;
        return true;
    });
}

bool ZelkSettings::getValue(const Utf16String& name, std::string& value)
{
    Utf16String text;
    if (!getValue(name, text))
        return false;
    value = utf16ToUtf8(text);
    return true;
}

bool ZelkSettings::getValue(const Utf16String& name, Utf16String& value)
{
    return readWithFallback(name, [&](HKEY key) { return readString(key, name, value); });
}

bool ZelkSettings::getValue(const Utf16String& name, ovra::MemoryBuffer<char>& value)
{
    return readWithFallback(name, [&](HKEY key) { return readBinary(key, name, value); });
}

bool ZelkSettings::getValue(const std::string& name, std::int64_t& value) { return getValue(wide(name), value); }
bool ZelkSettings::getValue(const std::string& name, std::int32_t& value) { return getValue(wide(name), value); }
bool ZelkSettings::getValue(const std::string& name, std::uint32_t& value) { return getValue(wide(name), value); }
bool ZelkSettings::getValue(const std::string& name, std::uint64_t& value) { return getValue(wide(name), value); }
bool ZelkSettings::getValue(const std::string& name, FileTime& value) { return getValue(wide(name), value); }
bool ZelkSettings::getValue(const std::string& name, float& value) { return getValue(wide(name), value); }
bool ZelkSettings::getValue(const std::string& name, double& value) { return getValue(wide(name), value); }
bool ZelkSettings::getValue(const std::string& name, bool& value) { return getValue(wide(name), value); }
bool ZelkSettings::getValue(const std::string& name, std::string& value) { return getValue(wide(name), value); }
bool ZelkSettings::getValue(const std::string& name, Utf16String& value) { return getValue(wide(name), value); }
bool ZelkSettings::getValue(const std::string& name, ovra::MemoryBuffer<char>& value)
{
    return getValue(wide(name), value);
}

// --- deletion ----------------------------------------------------------------

bool ZelkSettings::deleteValue(const Utf16String& name)
{
    if (!ready(name) || !primaryKey())
        return false;
    return RegDeleteValueW(primaryKey(), name.c_str()) == ERROR_SUCCESS;
}

bool ZelkSettings::deleteValue(const std::string& name)
{
    return deleteValue(wide(name));
}

} // namespace ilsk
