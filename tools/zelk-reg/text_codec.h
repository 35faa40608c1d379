// Text conversions of zelk-reg: UTF-8 <-> UTF-16 (WCHAR), and the hex and
// number forms of value data.
#pragma once

#include "win32_registry.h"

#include <string>
#include <vector>

namespace zelkreg {

using WStr = std::basic_string<WCHAR>;
using Bytes = std::vector<unsigned char>;

WStr toUtf16(const std::string &utf8);      // ill-formed bytes become U+FFFD
std::string toUtf8(const WStr &utf16);      // unpaired surrogates become U+FFFD
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
