#pragma once

#include "platform/win32_registry.h"

#include <string>
#include <type_traits>

namespace ilsk {

// The registry's UTF-16 text: std::wstring where wchar_t is 16 bits (Windows),
// std::u16string elsewhere. Either way its c_str() is an LPCWSTR.
using Utf16String = std::basic_string<WCHAR>;

static_assert(sizeof(WCHAR) == 2, "registry text is UTF-16");

} // namespace ilsk
