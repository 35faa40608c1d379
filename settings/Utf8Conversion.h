#pragma once

#include "settings/Utf16String.h"

#include <string>

namespace ilsk {

// UTF-8 -> UTF-16. Only well-formed UTF-8 converts (no overlong forms, no
// encoded surrogates, nothing above U+10FFFF, no sequence cut off at the end);
// anything else fails the whole conversion.
bool tryUtf8ToUtf16(const std::string& utf8, Utf16String* out);

// UTF-16 -> UTF-8, lenient: a valid surrogate pair becomes one 4-byte
// sequence, any other unpaired surrogate is encoded on its own (3 bytes),
// except a high surrogate as the very last unit, which fails.
bool tryUtf16ToUtf8(const Utf16String& utf16, std::string* out);

// The same conversions with an empty result on failure.
Utf16String utf8ToUtf16(const std::string& utf8);
std::string utf16ToUtf8(const Utf16String& utf16);

} // namespace ilsk
