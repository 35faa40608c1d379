// UTF-8/UTF-16 conversion and hex helpers of zelk-reg.
#include "text_codec.h"

#include <cerrno>
#include <cstdlib>

namespace zelkreg {

WStr toUtf16(const std::string &s) {
  WStr out;
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    unsigned cp;
    size_t extra;
    if (c < 0x80) {
      cp = c, extra = 0;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F, extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F, extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07, extra = 3;
    } else {
      out.push_back(WCHAR(0xFFFD));
      ++i;
      continue;
    }
    bool ok = i + extra < s.size(); // all continuation bytes present
    for (size_t k = 1; ok && k <= extra; ++k) {
      unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (cc & 0x3F);
    }
    static const unsigned minimum[] = {0, 0x80, 0x800, 0x10000};
    // A surrogate's own three bytes (as toWtf8 writes a lone one) give that
    // unit back; anything else ill-formed is U+FFFD.
    if (!ok || cp < minimum[extra] || cp > 0x10FFFF || (extra != 2 && cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(WCHAR(0xFFFD));
      ++i;
      continue;
    }
    i += extra + 1;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(WCHAR(0xD800 + (cp >> 10)));
      out.push_back(WCHAR(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(WCHAR(cp));
    }
  }
  return out;
}

namespace {

std::string encodeUnits(const WStr &w, bool keepLoneSurrogates) {
  std::string out;
  for (size_t i = 0; i < w.size(); ++i) {
    unsigned cp = static_cast<unsigned>(w[i]) & 0xFFFF;
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < w.size() &&
        (static_cast<unsigned>(w[i + 1]) & 0xFC00) == 0xDC00) {
      unsigned lo = static_cast<unsigned>(w[i + 1]) & 0xFFFF;
      cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF && !keepLoneSurrogates) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(char(cp));
    } else if (cp < 0x800) {
      out.push_back(char(0xC0 | (cp >> 6)));
      out.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(char(0xE0 | (cp >> 12)));
      out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(char(0xF0 | (cp >> 18)));
      out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(char(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

} // namespace

std::string toUtf8(const WStr &w) { return encodeUnits(w, false); }

std::string toWtf8(const WStr &w) { return encodeUnits(w, true); }

std::string lower(std::string s) {
  for (char &c : s) {
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  }
  return s;
}

std::string upper(std::string s) {
  for (char &c : s) {
    if (c >= 'a' && c <= 'z') c = char(c - 32);
  }
  return s;
}

Bytes utf16Bytes(const WStr &text, bool terminate) {
  Bytes out;
  for (WCHAR u : text) {
    out.push_back(static_cast<unsigned char>(unsigned(u) & 0xFF));
    out.push_back(static_cast<unsigned char>((unsigned(u) >> 8) & 0xFF));
  }
  if (terminate) out.insert(out.end(), {0, 0});
  return out;
}

WStr unitsOf(const Bytes &data) {
  WStr out;
  for (size_t i = 0; i + 1 < data.size(); i += 2) out.push_back(WCHAR(data[i] | (data[i + 1] << 8)));
  return out;
}

std::string hexUpper(const Bytes &data) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : data) {
    out.push_back(digits[b >> 4]);
    out.push_back(digits[b & 15]);
  }
  return out;
}

bool parseHexString(const std::string &text, Bytes &out) {
  out.clear();
  int pending = -1;
  for (char c : text) {
    int v;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    else if (c == ',' || c == ' ' || c == '\t') {
      if (pending >= 0) {
        out.push_back(static_cast<unsigned char>(pending));
        pending = -1;
      }
      continue;
    } else {
      return false;
    }
    if (pending < 0) {
      pending = v;
    } else {
      out.push_back(static_cast<unsigned char>(pending * 16 + v));
      pending = -1;
    }
  }
  if (pending >= 0) return false;
  return true;
}

bool parseUnsigned(const std::string &text, unsigned long long max, unsigned long long &out) {
  if (text.empty()) return false;
  int base = 10;
  std::string digits = text;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits = digits.substr(2);
  }
  if (digits.empty() || digits[0] == '-' || digits[0] == '+') return false;
  errno = 0;
  char *end = nullptr;
  unsigned long long v = std::strtoull(digits.c_str(), &end, base);
  if (errno || !end || *end || v > max) return false;
  out = v;
  return true;
}

} // namespace zelkreg
