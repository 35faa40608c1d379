// zelk-reg query, add and delete.
#include "commands.h"

#include "reg_access.h"
#include "tree_walk.h"

#include <cstdio>
#include <iostream>

namespace zelkreg {
namespace {

std::string displayName(const WStr &name) { return name.empty() ? "(Default)" : toUtf8(name); }

std::string displayData(const Value &v) {
  char buf[32];
  switch (v.type) {
  case REG_SZ:
  case REG_EXPAND_SZ: {
    WStr units = unitsOf(v.data);
    return toUtf8(units.substr(0, units.find(WCHAR(0))));
  }
  case REG_MULTI_SZ: {
    WStr units = unitsOf(v.data);
    while (!units.empty() && units.back() == 0) units.pop_back();
    std::string out;
    size_t start = 0;
    while (start <= units.size()) {
      size_t end = units.find(WCHAR(0), start);
      if (end == WStr::npos) end = units.size();
      if (start) out += "\\0";
      out += toUtf8(units.substr(start, end - start));
      start = end + 1;
    }
    return out;
  }
  case REG_DWORD:
    if (v.data.size() == 4) {
      unsigned long d = v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) | (unsigned long)(v.data[3]) << 24;
      std::snprintf(buf, sizeof buf, "0x%lx", d);
      return buf;
    }
    break;
  case REG_DWORD_BIG_ENDIAN:
    if (v.data.size() == 4) {
      unsigned long d = (unsigned long)(v.data[0]) << 24 | (v.data[1] << 16) | (v.data[2] << 8) | v.data[3];
      std::snprintf(buf, sizeof buf, "0x%lx", d);
      return buf;
    }
    break;
  case REG_QWORD:
    if (v.data.size() == 8) {
      unsigned long long q = 0;
      for (int i = 7; i >= 0; --i) q = (q << 8) | v.data[size_t(i)];
      std::snprintf(buf, sizeof buf, "0x%llx", q);
      return buf;
    }
    break;
  default:
    break;
  }
  return hexUpper(v.data);
}

void printValue(const Value &v) {
  std::cout << "    " << displayName(v.name) << "    " << typeName(v.type) << "    " << displayData(v) << "\n";
}

bool parseKeyArg(const Args &args, KeyPath &path, int &error) {
  if (args.empty() || looksLikeOption(args[0])) {
    error = usageError("a key name is required");
    return false;
  }
  if (!parseKeyPath(args[0], path)) {
    error = failure("Invalid key name.");
    return false;
  }
  return true;
}

// Prints one key's block. `filter` (when set) restricts the values shown;
// a key without a match is skipped. Without `recurse` the sub-keys are
// listed after the block.
LONG printKey(HKEY key, const std::string &fullName, const std::vector<WStr> &subkeys, bool recurse,
              const WStr *filter, bool defaultOnly, int &matches) {
  std::vector<Value> values;
  if (LONG rc = readValues(key, values)) return rc;
  std::vector<Value> shown;
  if (defaultOnly) {
    Value def;
    if (readValue(key, WStr(), def) == ERROR_SUCCESS) shown.push_back(def);
  } else {
    for (Value &v : values) {
      if (!filter || toUtf8(v.name) == toUtf8(*filter) ||
          lower(toUtf8(v.name)) == lower(toUtf8(*filter))) {
        shown.push_back(v);
      }
    }
  }
  // Names are kept losslessly for export; on the screen a lone surrogate
  // shows as U+FFFD.
  const std::string displayed = toUtf8(toUtf16(fullName));
  bool filtered = filter || defaultOnly;
  if (!filtered || !shown.empty() || (defaultOnly && !recurse)) {
    std::cout << "\n" << displayed << "\n";
    for (const Value &v : shown) printValue(v);
    if (defaultOnly && shown.empty()) std::cout << "    (Default)    REG_SZ    (value not set)\n";
    matches += int(shown.size());
  }
  if (!recurse) {
    std::cout << "\n";
    if (!filtered) {
      for (const WStr &s : subkeys) std::cout << displayed << "\\" << toUtf8(s) << "\n";
    }
  }
  return ERROR_SUCCESS;
}

// Prints the key's block; with `recurse` also those of all keys below it.
LONG queryKey(HKEY key, const std::string &fullName, bool recurse, const WStr *filter, bool defaultOnly,
              int &matches) {
  auto print = [&](HKEY k, const std::string &name, const std::vector<WStr> &subkeys) {
    return printKey(k, name, subkeys, recurse, filter, defaultOnly, matches);
  };
  if (recurse) return walkTree(key, fullName, true, print);
  std::vector<WStr> subkeys;
  if (LONG rc = readSubkeys(key, subkeys)) return rc;
  return print(key, fullName, subkeys);
}

bool parseData(DWORD type, const std::string &text, const std::string &separator, Bytes &out) {
  unsigned long long n = 0;
  switch (type) {
  case REG_SZ:
  case REG_EXPAND_SZ:
    out = utf16Bytes(toUtf16(text), true);
    return true;
  case REG_MULTI_SZ: {
    out.clear();
    size_t start = 0;
    while (!text.empty() && start <= text.size()) {
      size_t end = text.find(separator, start);
      if (end == std::string::npos) end = text.size();
      Bytes part = utf16Bytes(toUtf16(text.substr(start, end - start)), true);
      out.insert(out.end(), part.begin(), part.end());
      start = end + separator.size();
    }
    out.insert(out.end(), {0, 0});
    return true;
  }
  case REG_DWORD:
  case REG_DWORD_BIG_ENDIAN:
    if (!text.empty() && !parseUnsigned(text, 0xFFFFFFFFull, n)) return false;
    out.resize(4);
    for (int i = 0; i < 4; ++i) {
      int shift = type == REG_DWORD ? 8 * i : 8 * (3 - i);
      out[size_t(i)] = static_cast<unsigned char>((n >> shift) & 0xFF);
    }
    return true;
  case REG_QWORD:
    if (!text.empty() && !parseUnsigned(text, ~0ull, n)) return false;
    out.resize(8);
    for (int i = 0; i < 8; ++i) out[size_t(i)] = static_cast<unsigned char>((n >> (8 * i)) & 0xFF);
    return true;
  default:
    return parseHexString(text, out);
  }
}

} // namespace

int cmdQuery(const Args &args) {
  KeyPath path;
  int error = 0;
  if (!parseKeyArg(args, path, error)) return error;
  bool recurse = false, defaultOnly = false, haveName = false;
  WStr name;
  for (size_t i = 1; i < args.size(); ++i) {
    if (isOption(args[i], "s")) {
      recurse = true;
    } else if (isOption(args[i], "ve")) {
      defaultOnly = true;
    } else if (isOption(args[i], "v") && i + 1 < args.size()) {
      haveName = true;
      name = toUtf16(args[++i]);
    } else {
      return usageError("unexpected argument '" + args[i] + "'");
    }
  }
  if (haveName && defaultOnly) return usageError("/v and /ve exclude each other");
  Key key;
  LONG rc = openKey(path, KEY_READ, key);
  if (rc) return failure(errorText(rc));
  if (haveName && !recurse) {
    Value v;
    rc = findValue(key.get(), name, v);
    if (rc) return failure(errorText(rc));
    std::cout << "\n" << path.full() << "\n";
    printValue(v);
    std::cout << "\n";
    return 0;
  }
  int matches = 0;
  rc = queryKey(key.get(), path.full(), recurse, haveName ? &name : nullptr, defaultOnly, matches);
  if (rc) return failure(errorText(rc));
  if (haveName || (defaultOnly && recurse)) {
    std::cout << "End of search: " << matches << " match(es) found.\n";
  }
  return 0;
}

int cmdAdd(const Args &args) {
  KeyPath path;
  int error = 0;
  if (!parseKeyArg(args, path, error)) return error;
  bool haveName = false, defaultValue = false, force = false, haveData = false;
  std::string name, data, separator = "\\0";
  DWORD type = REG_SZ;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string &a = args[i];
    bool hasNext = i + 1 < args.size();
    if (isOption(a, "v") && hasNext) {
      haveName = true;
      name = args[++i];
    } else if (isOption(a, "ve")) {
      defaultValue = true;
    } else if (isOption(a, "t") && hasNext) {
      if (!typeFromName(args[++i], type)) return usageError("unknown type '" + args[i] + "'");
    } else if (isOption(a, "d") && hasNext) {
      haveData = true;
      data = args[++i];
    } else if (isOption(a, "s") && hasNext) {
      separator = args[++i];
      if (separator.empty()) return usageError("an empty separator");
    } else if (isOption(a, "f")) {
      force = true;
    } else {
      return usageError("unexpected argument '" + a + "'");
    }
  }
  if (haveName && defaultValue) return usageError("/v and /ve exclude each other");
  Bytes bytes;
  if (!parseData(type, haveData ? data : std::string(), separator, bytes)) {
    return usageError("invalid data '" + data + "' for " + typeName(type));
  }
  Key key;
  LONG rc = createKey(path, key);
  if (rc) return failure(errorText(rc));
  if (haveName || defaultValue || haveData) {
    Value v;
    v.name = toUtf16(name);
    v.type = type;
    v.data = bytes;
    Value existing;
    if (!force && readValue(key.get(), v.name, existing) == ERROR_SUCCESS &&
        !confirm("Value " + (v.name.empty() ? std::string("(Default)") : name) + " exists, overwrite")) {
      std::cout << "The operation was cancelled by the user.\n";
      return 0;
    }
    rc = writeValue(key.get(), v);
    if (rc) return failure(errorText(rc));
  }
  std::cout << "The operation completed successfully.\n";
  return 0;
}

int cmdDelete(const Args &args) {
  KeyPath path;
  int error = 0;
  if (!parseKeyArg(args, path, error)) return error;
  bool haveName = false, defaultValue = false, allValues = false, force = false;
  std::string name;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string &a = args[i];
    if (isOption(a, "v") && i + 1 < args.size()) {
      haveName = true;
      name = args[++i];
    } else if (isOption(a, "ve")) {
      defaultValue = true;
    } else if (isOption(a, "va")) {
      allValues = true;
    } else if (isOption(a, "f")) {
      force = true;
    } else {
      return usageError("unexpected argument '" + a + "'");
    }
  }
  if (int(haveName) + int(defaultValue) + int(allValues) > 1) {
    return usageError("/v, /ve and /va exclude each other");
  }
  bool wholeKey = !haveName && !defaultValue && !allValues;
  if (wholeKey && path.subkey.empty()) return failure("A root key cannot be deleted.");
  Key key;
  LONG rc = openKey(path, KEY_ALL_ACCESS, key);
  if (rc) return failure(errorText(rc));
  std::string what = wholeKey ? "the registry key " + path.full()
                              : haveName ? "the registry value " + name
                                         : allValues ? "all values under " + path.full()
                                                     : "the registry value (Default)";
  if (!force && !confirm("Permanently delete " + what)) {
    std::cout << "The operation was cancelled by the user.\n";
    return 0;
  }
  if (wholeKey) {
    key.reset();
    WStr sub = toUtf16(path.subkey);
    rc = LONG(SHDeleteKeyW(path.root, sub.c_str()));
  } else if (allValues) {
    std::vector<Value> values;
    rc = readValues(key.get(), values);
    for (size_t i = 0; !rc && i < values.size(); ++i) rc = RegDeleteValueW(key.get(), values[i].name.c_str());
  } else {
    WStr w = toUtf16(name);
    rc = RegDeleteValueW(key.get(), haveName ? w.c_str() : nullptr);
  }
  if (rc) return failure(errorText(rc));
  std::cout << "The operation completed successfully.\n";
  return 0;
}

} // namespace zelkreg
