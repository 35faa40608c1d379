// Name and path rules of the registry stand-in: case folding of UTF-16 units,
// key path splitting and the length limits of key and value names.
#pragma once

#include "win32_registry.h"

#include <string>
#include <vector>

namespace zelk::registry {

using WString = std::u16string;

constexpr size_t kMaxKeyNameUnits = 255;     // one key name component
constexpr size_t kMaxValueNameUnits = 16383; // one value name
constexpr int kMaxTreeDepth = 512;           // levels of keys below a hive's root

// Upper-cases one UTF-16 unit the way the registry compares names.
char16_t upcaseUnit(char16_t unit);

// The comparison form of a name: every unit upper-cased, serialised
// big-endian so that a bytewise comparison orders names unit by unit.
std::string foldName(const WString &name);

// The storage form of a name: its units little-endian, as on Windows.
std::string encodeName(const WString &name);
WString decodeName(const void *bytes, size_t size);

// Length of a NUL-terminated WCHAR string (0 for NULL).
size_t unitLength(LPCWSTR text);
WString fromWide(LPCWSTR text); // NULL gives ""

// Splits a sub-key path into its components.  A leading backslash gives
// ERROR_BAD_PATHNAME, trailing backslashes are ignored, runs of backslashes
// count as one, a component longer than 255 units gives
// ERROR_INVALID_PARAMETER.  NULL or "" gives no components.
LONG splitKeyPath(LPCWSTR path, std::vector<WString> &components);

// Checks a value name (NULL and "" are the default value).
LONG checkValueName(LPCWSTR name, WString &out);

} // namespace zelk::registry
