// Registry access of zelk-reg: scoped key handles and whole-key reads.
#pragma once

#include "key_path.h"

#include <vector>

namespace zelkreg {

struct Value {
  WStr name;
  DWORD type = REG_NONE;
  Bytes data;
};

class Key {
public:
  Key() = default;
  ~Key() { reset(); }
  Key(const Key &) = delete;
  Key &operator=(const Key &) = delete;
  HKEY get() const { return h_; }
  HKEY *out() {
    reset();
    return &h_;
  }
  void reset();

private:
  HKEY h_ = nullptr;
};

LONG openKey(const KeyPath &path, REGSAM access, Key &key);
LONG createKey(const KeyPath &path, Key &key);
LONG readValues(HKEY key, std::vector<Value> &out);   // in enumeration order
LONG readSubkeys(HKEY key, std::vector<WStr> &out);   // in enumeration order
LONG readValue(HKEY key, const WStr &name, Value &out);
// As readValue, but reports the name as stored (case as written).
LONG findValue(HKEY key, const WStr &name, Value &out);
LONG writeValue(HKEY key, const Value &value);

const char *typeName(DWORD type);
bool typeFromName(const std::string &name, DWORD &type);
std::string errorText(LONG code); // reg.exe-style message for a failed call

} // namespace zelkreg
