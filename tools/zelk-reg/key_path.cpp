// Parsing of key names with their root (HKCU, HKEY_LOCAL_MACHINE, ...).
#include "key_path.h"

namespace zelkreg {

bool parseKeyPath(const std::string &text, KeyPath &out) {
  struct Root {
    const char *shortName;
    const char *longName;
    HKEY key;
  };
  static const Root roots[] = {
      {"HKCU", "HKEY_CURRENT_USER", HKEY_CURRENT_USER},
      {"HKLM", "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
      {"HKCR", "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
      {"HKU", "HKEY_USERS", HKEY_USERS},
      {"HKCC", "HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
  };
  std::string t = text;
  while (!t.empty() && t.back() == '\\') t.pop_back();
  size_t slash = t.find('\\');
  std::string head = upper(t.substr(0, slash));
  std::string rest = slash == std::string::npos ? std::string() : t.substr(slash + 1);
  if (!rest.empty() && rest[0] == '\\') return false;
  for (const Root &r : roots) {
    if (head == r.shortName || head == r.longName) {
      out.root = r.key;
      out.rootName = r.longName;
      out.subkey = rest;
      return true;
    }
  }
  return false;
}

} // namespace zelkreg
