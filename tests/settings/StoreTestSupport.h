#pragma once

// Shared by the settings-store tests: a private registry for the process, raw
// registry access that bypasses the store, and a fresh key root per test.
// Compiles natively (registry stand-in) and with mingw-w64 (Wine's registry).

#include "platform/win32_registry.h"
#include "settings/IZelkSettings.h"
#include "settings/Utf8Conversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace storetest {

using ilsk::Utf16String;

// True when the registry calls reach Wine's advapi32.
bool underWine();

// True when this process may not write the machine hive (the stand-in's
// read-only switch, or a Windows account without administrator rights).
bool machineHiveReadOnly();

// A unique section name below SOFTWARE\Zelk for the running test, so tests
// never see each other's keys.
std::string uniqueRoot();

Utf16String wide(const std::string& text);
Utf16String keyPath(const std::string& relative); // "SOFTWARE\Zelk\" + relative, '/' -> '\'

// Raw registry access through the Windows calls, for arranging and checking
// what the store reads and writes.
struct RawValue {
    LONG status = ERROR_FILE_NOT_FOUND;
    DWORD type = REG_NONE;
    std::vector<unsigned char> bytes;
};
RawValue rawGet(HKEY hive, const std::string& relativeKey, const std::string& name);
LONG rawSet(HKEY hive, const std::string& relativeKey, const std::string& name, DWORD type, const void* data, DWORD size);
bool rawKeyExists(HKEY hive, const std::string& relativeKey);
LONG rawDeleteTree(HKEY hive, const std::string& relativeKey);

std::vector<unsigned char> bytesOf(std::initializer_list<int> values);

// Holds one section reference for the length of a test.
using Section = ovra::RefCountedPtr<ilsk::IZelkSettings>;
Section openRoot(const std::string& path, ilsk::AccessMode mode);

} // namespace storetest

// Skips the rest of a test under Wine, naming how Wine differs from Windows.
#define SKIP_UNDER_WINE(reason)                                   \
    do {                                                          \
        if (storetest::underWine())                               \
            GTEST_SKIP() << "Wine differs from Windows: " reason; \
    } while (0)
