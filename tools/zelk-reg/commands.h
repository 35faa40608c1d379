// The zelk-reg sub-commands.  Each takes the arguments after its name,
// prints reg.exe-style output and returns the process exit code; a bad
// argument gives a one-line error on stderr and exit code 1.
#pragma once

#include <string>
#include <vector>

namespace zelkreg {

using Args = std::vector<std::string>;

int usageError(const std::string &detail);
int failure(const std::string &message);

int cmdQuery(const Args &args);
int cmdAdd(const Args &args);
int cmdDelete(const Args &args);
int cmdExport(const Args &args);
int cmdImport(const Args &args);

// An option such as "/v" or "-v" (any case) equal to `name` ("v").
bool isOption(const std::string &arg, const char *name);
bool looksLikeOption(const std::string &arg);
// Asks "prompt (Yes/No)?" on stdout and reads the answer from stdin.
bool confirm(const std::string &prompt);

} // namespace zelkreg
