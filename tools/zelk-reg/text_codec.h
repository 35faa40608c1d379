// Text conversions of zelk-reg: UTF-8 <-> UTF-16 (WCHAR), and the hex and
// number forms of value data.
#pragma once

#include "win32_registry.h"

#include <string>
#include <vector>

namespace zelkreg {

using WStr = std::basic_string<WCHAR>;
using Bytes = std::vector<unsigned char>;

// UTF-8 to UTF-16. A lone surrogate written as its own three bytes (see
// toWtf8) gives that unit; other ill-formed bytes become U+FFFD.
WStr toUtf16(const std::string &utf8);
std::string toUtf8(const WStr &utf16);      // unpaired surrogates become U+FFFD (for display)
// Lossless UTF-8 ("WTF-8"): an unpaired surrogate becomes its own three
// bytes, which toUtf16 reads back, so any UTF-16 text survives the trip.
std::string toWtf8(const WStr &utf16);
std::string lower(std::string s);           // ASCII only
std::string upper(std::string s);           // ASCII only

// UTF-16LE bytes of `text`, optionally with a terminating NUL.
Bytes utf16Bytes(const WStr &text, bool terminate);
// The units of UTF-16LE `data` (a trailing odd byte is dropped).
WStr unitsOf(const Bytes &data);

std::string hexUpper(const Bytes &data); // "01FFA0"
bool parseHexString(const std::string &text, Bytes &out); // "01FFA0" or "01,ff,a0"
bool parseUnsigned(const std::string &text, unsigned long long max, unsigned long long &out);

} // namespace zelkreg
