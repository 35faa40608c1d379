// Scoped handles, whole-key reads and messages of zelk-reg.
#include "reg_access.h"

namespace zelkreg {

void Key::reset() {
  if (h_ && h_ != HKEY_CURRENT_USER && h_ != HKEY_LOCAL_MACHINE && h_ != HKEY_CLASSES_ROOT &&
      h_ != HKEY_USERS && h_ != HKEY_CURRENT_CONFIG) {
    RegCloseKey(h_);
  }
  h_ = nullptr;
}

LONG openKey(const KeyPath &path, REGSAM access, Key &key) {
  WStr sub = toUtf16(path.subkey);
  return RegOpenKeyExW(path.root, sub.c_str(), 0, access | KEY_WOW64_64KEY, key.out());
}

LONG createKey(const KeyPath &path, Key &key) {
  WStr sub = toUtf16(path.subkey);
  return RegCreateKeyExW(path.root, sub.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr,
                         key.out(), nullptr);
}

LONG readValues(HKEY key, std::vector<Value> &out) {
  out.clear();
  DWORD maxName = 0, maxData = 0;
  LONG rc = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName,
                             &maxData, nullptr, nullptr);
  if (rc) return rc;
  for (DWORD i = 0;; ++i) {
    std::vector<WCHAR> name(maxName + 1);
    Bytes data(maxData + 2);
    DWORD nameLen = DWORD(name.size()), dataLen = DWORD(data.size()), type = 0;
    rc = RegEnumValueW(key, i, name.data(), &nameLen, nullptr, &type, data.data(), &dataLen);
    if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (rc == ERROR_MORE_DATA) { // changed meanwhile: start again with new sizes
      return readValues(key, out);
    }
    if (rc) return rc;
    Value v;
    v.name.assign(name.data(), nameLen);
    v.type = type;
    v.data.assign(data.begin(), data.begin() + dataLen);
    out.push_back(std::move(v));
  }
}

LONG readSubkeys(HKEY key, std::vector<WStr> &out) {
  out.clear();
  DWORD maxName = 0;
  LONG rc = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &maxName, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr);
  if (rc) return rc;
  for (DWORD i = 0;; ++i) {
    std::vector<WCHAR> name(maxName + 1);
    DWORD len = DWORD(name.size());
    rc = RegEnumKeyExW(key, i, name.data(), &len, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (rc == ERROR_MORE_DATA) return readSubkeys(key, out);
    if (rc) return rc;
    out.emplace_back(name.data(), len);
  }
}

LONG findValue(HKEY key, const WStr &name, Value &out) {
  std::vector<Value> values;
  if (readValues(key, values) == ERROR_SUCCESS) {
    for (Value &v : values) {
      if (lower(toUtf8(v.name)) == lower(toUtf8(name))) {
        out = v;
        return ERROR_SUCCESS;
      }
    }
  }
  return readValue(key, name, out);
}

LONG readValue(HKEY key, const WStr &name, Value &out) {
  DWORD type = 0, size = 0;
  LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
  if (rc) return rc;
  Bytes data(size + 2);
  DWORD got = DWORD(data.size());
  rc = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &got);
  if (rc == ERROR_MORE_DATA) return readValue(key, name, out);
  if (rc) return rc;
  out.name = name;
  out.type = type;
  out.data.assign(data.begin(), data.begin() + got);
  return ERROR_SUCCESS;
}

LONG writeValue(HKEY key, const Value &value) {
  // Windows looks at the unit after a string's count and counts it in when it
  // is a NUL; a non-NUL unit after the data keeps the count exact.
  Bytes padded = value.data;
  padded.insert(padded.end(), {0xFF, 0xFF});
  static const unsigned char empty[2] = {0, 0};
  const BYTE *data = value.data.empty() ? empty : padded.data();
  return RegSetValueExW(key, value.name.c_str(), 0, value.type, data, DWORD(value.data.size()));
}

namespace {
struct TypeName {
  DWORD type;
  const char *name;
};
const TypeName kTypes[] = {
    {REG_NONE, "REG_NONE"},
    {REG_SZ, "REG_SZ"},
    {REG_EXPAND_SZ, "REG_EXPAND_SZ"},
    {REG_BINARY, "REG_BINARY"},
    {REG_DWORD, "REG_DWORD"},
    {REG_DWORD_BIG_ENDIAN, "REG_DWORD_BIG_ENDIAN"},
    {REG_LINK, "REG_LINK"},
    {REG_MULTI_SZ, "REG_MULTI_SZ"},
    {REG_RESOURCE_LIST, "REG_RESOURCE_LIST"},
    {REG_FULL_RESOURCE_DESCRIPTOR, "REG_FULL_RESOURCE_DESCRIPTOR"},
    {REG_RESOURCE_REQUIREMENTS_LIST, "REG_RESOURCE_REQUIREMENTS_LIST"},
    {REG_QWORD, "REG_QWORD"},
};
} // namespace

const char *typeName(DWORD type) {
  for (const TypeName &t : kTypes) {
    if (t.type == type) return t.name;
  }
  return "REG_UNKNOWN";
}

bool typeFromName(const std::string &name, DWORD &type) {
  std::string u = upper(name);
  for (const TypeName &t : kTypes) {
    if (u == t.name) {
      type = t.type;
      return true;
    }
  }
  return false;
}

std::string errorText(LONG code) {
  switch (code) {
  case ERROR_FILE_NOT_FOUND:
    return "The system was unable to find the specified registry key or value.";
  case ERROR_ACCESS_DENIED:
    return "Access is denied.";
  case ERROR_INVALID_HANDLE:
    return "Invalid key name.";
  case ERROR_BADDB:
  case ERROR_REGISTRY_CORRUPT:
    return "The registry hive is damaged (error " + std::to_string(code) + ").";
  // The system's own messages for the codes a registry call gives.
  case ERROR_NOT_ENOUGH_MEMORY:
  case ERROR_OUTOFMEMORY:
    return "Not enough memory resources are available to process this command.";
  case ERROR_INVALID_PARAMETER:
    return "The parameter is incorrect.";
  case ERROR_DISK_FULL:
  case ERROR_HANDLE_DISK_FULL:
    return "There is not enough space on the disk.";
  case ERROR_BAD_PATHNAME:
    return "The specified path is invalid.";
  case ERROR_BUSY:
    return "The requested resource is in use.";
  case ERROR_CANTWRITE:
    return "The configuration registry key could not be written.";
  case ERROR_REGISTRY_IO_FAILED:
    return "An I/O operation initiated by the registry failed unrecoverably.";
  case ERROR_KEY_DELETED:
    return "Illegal operation attempted on a registry key that has been marked for deletion.";
  case ERROR_NO_SYSTEM_RESOURCES:
    return "Insufficient system resources exist to complete the requested service.";
  default:
    return "The operation failed (error " + std::to_string(code) + ").";
  }
}

} // namespace zelkreg
