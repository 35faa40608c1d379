// Helpers for the native registry tests that need several processes: run
// this test binary again with arguments and collect its output.
#pragma once

#include "registry_test_support.h"

#include <climits>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace zelk_test {

struct ChildResult {
  int status = -1; // exit status, or 128 + signal
  std::string output;
};

inline std::string selfPath() {
  char buf[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return {};
  buf[n] = 0;
  return buf;
}

// Runs `<env> <this binary> <args>` through the shell and waits for it.
inline ChildResult runSelf(const std::string &args, const std::string &env = {}) {
  ChildResult r;
  std::string cmd = env + " '" + selfPath() + "' " + args + " 2>&1";
  FILE *pipe = ::popen(cmd.c_str(), "r");
  if (!pipe) return r;
  char buf[512];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) r.output.append(buf, n);
  int status = ::pclose(pipe);
  if (WIFEXITED(status)) r.status = WEXITSTATUS(status);
  else if (WIFSIGNALED(status)) r.status = 128 + WTERMSIG(status);
  return r;
}

inline std::string readFile(const std::string &path) {
  std::string data;
  if (FILE *f = std::fopen(path.c_str(), "rb")) {
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
    std::fclose(f);
  }
  return data;
}

inline void writeFile(const std::string &path, const std::string &data) {
  if (FILE *f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data.data(), 1, data.size(), f);
    std::fclose(f);
  }
}

} // namespace zelk_test
