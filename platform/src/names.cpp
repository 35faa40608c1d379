// Name and path rules: upper-casing table, name encodings, path splitting.
#include "names.h"

#include <algorithm>
#include <cstdint>

namespace zelk::registry {
namespace {

struct CaseRange {
  uint16_t first;
  uint16_t last;
  int32_t delta;
  uint16_t stride;
};

const CaseRange kCaseRanges[] = {
#include "case_table.inc"
};

} // namespace

char16_t upcaseUnit(char16_t unit) {
  if (unit < 0x80) {
    return (unit >= u'a' && unit <= u'z') ? char16_t(unit - 32) : unit;
  }
  const CaseRange *end = std::end(kCaseRanges);
  const CaseRange *r = std::upper_bound(std::begin(kCaseRanges), end, unit,
                                        [](char16_t u, const CaseRange &cr) { return u < cr.first; });
  if (r == std::begin(kCaseRanges)) return unit;
  --r;
  if (unit > r->last || (unit - r->first) % r->stride != 0) return unit;
  return char16_t(int32_t(unit) + r->delta);
}

std::string foldName(const WString &name) {
  std::string out;
  out.resize(name.size() * 2);
  for (size_t i = 0; i < name.size(); ++i) {
    char16_t u = upcaseUnit(name[i]);
    out[2 * i] = char(u >> 8);
    out[2 * i + 1] = char(u & 0xff);
  }
  return out;
}

std::string encodeName(const WString &name) {
  std::string out;
  out.resize(name.size() * 2);
  for (size_t i = 0; i < name.size(); ++i) {
    out[2 * i] = char(name[i] & 0xff);
    out[2 * i + 1] = char(name[i] >> 8);
  }
  return out;
}

WString decodeName(const void *bytes, size_t size) {
  const auto *b = static_cast<const unsigned char *>(bytes);
  WString out;
  out.resize(size / 2);
  for (size_t i = 0; i < out.size(); ++i) out[i] = char16_t(b[2 * i] | (b[2 * i + 1] << 8));
  return out;
}

size_t unitLength(LPCWSTR text) {
  size_t n = 0;
  if (text) {
    while (text[n]) ++n;
  }
  return n;
}

WString fromWide(LPCWSTR text) { return text ? WString(text, unitLength(text)) : WString(); }

LONG splitKeyPath(LPCWSTR path, std::vector<WString> &components) {
  components.clear();
  WString p = fromWide(path);
  while (!p.empty() && p.back() == u'\\') p.pop_back();
  if (p.empty()) return ERROR_SUCCESS;
  if (p.front() == u'\\') return ERROR_BAD_PATHNAME;
  size_t start = 0;
  while (start < p.size()) {
    size_t end = p.find(u'\\', start);
    if (end == WString::npos) end = p.size();
    if (end > start) {
      if (end - start > kMaxKeyNameUnits) return ERROR_INVALID_PARAMETER;
      components.emplace_back(p, start, end - start);
    }
    start = end + 1;
  }
  return ERROR_SUCCESS;
}

LONG checkValueName(LPCWSTR name, WString &out) {
  out = fromWide(name);
  return out.size() > kMaxValueNameUnits ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
}

} // namespace zelk::registry
