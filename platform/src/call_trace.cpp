#include "call_trace.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace zelk::registry {

namespace {

// Read once: the trace belongs to the whole process.
const char *tracePath() {
  static const std::string path = [] {
    const char *value = std::getenv("ZELK_REGISTRY_TRACE");
    return value ? std::string(value) : std::string();
  }();
  return path.empty() ? nullptr : path.c_str();
}

std::string printable(const WString &text) {
  std::string out;
  for (char16_t unit : text) {
    if (unit >= 0x21 && unit < 0x7F && unit != '\\') {
      out.push_back(char(unit));
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", unsigned(unit));
      out += escaped;
    }
  }
  return out;
}

} // namespace

void traceCall(const char *call, HiveId hive, KeyId key, const WString &valueName) {
  const char *path = tracePath();
  if (!path) return;
  if (std::FILE *file = std::fopen(path, "a")) {
    std::fprintf(file, "%s %s %lld %s\n", call, hive == HiveId::User ? "user" : "machine",
                 static_cast<long long>(key), printable(valueName).c_str());
    std::fclose(file);
  }
}

} // namespace zelk::registry
