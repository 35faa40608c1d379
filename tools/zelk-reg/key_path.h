// Key names on zelk-reg's command line and in .reg files: "HKCU\Software\x"
// or "HKEY_CURRENT_USER\Software\x" (root names in any case).
#pragma once

#include "text_codec.h"

namespace zelkreg {

struct KeyPath {
  HKEY root = nullptr;
  std::string rootName; // long form, e.g. "HKEY_CURRENT_USER"
  std::string subkey;   // UTF-8, without leading or trailing backslashes
  std::string full() const { return subkey.empty() ? rootName : rootName + "\\" + subkey; }
};

// False for an unknown root or a malformed name.
bool parseKeyPath(const std::string &text, KeyPath &out);

} // namespace zelkreg
