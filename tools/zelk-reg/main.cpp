// zelk-reg: a reg.exe-style tool for the registry (the stand-in on Linux,
// the real registry on Windows).
//
//   zelk-reg query  KEY [/v NAME | /ve] [/s]
//   zelk-reg add    KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]
//   zelk-reg delete KEY [/v NAME | /ve | /va] [/f]
//   zelk-reg export KEY FILE [/y]
//   zelk-reg import FILE
//
// KEY is ROOT\Sub\Key with ROOT one of HKCU, HKLM, HKCR (or HKEY_CURRENT_USER,
// HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT).  Exit code 0 on success, 1 on failure.
#include "commands.h"

#include "text_codec.h"

#include <iostream>

namespace zelkreg {

int usageError(const std::string &detail) {
  std::cerr << "ERROR: Invalid syntax: " << detail << ". Type \"zelk-reg /?\" for usage.\n";
  return 1;
}

int failure(const std::string &message) {
  std::cerr << "ERROR: " << message << "\n";
  return 1;
}

bool looksLikeOption(const std::string &arg) {
  // "/v", "-ve", "/?": a short word, so that "/tmp/x.reg" stays a file name.
  if (arg.size() < 2 || arg.size() > 4 || (arg[0] != '/' && arg[0] != '-')) return false;
  for (size_t i = 1; i < arg.size(); ++i) {
    char c = arg[i];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '?')) return false;
  }
  return true;
}

bool isOption(const std::string &arg, const char *name) {
  return looksLikeOption(arg) && lower(arg.substr(1)) == name;
}

bool confirm(const std::string &prompt) {
  std::cout << prompt << " (Yes/No)? " << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  answer = lower(answer);
  return answer == "y" || answer == "yes";
}

} // namespace zelkreg

namespace {

const char *const kUsage =
    "Usage: zelk-reg query  KEY [/v NAME | /ve] [/s]\n"
    "  or:  zelk-reg add    KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]\n"
    "  or:  zelk-reg delete KEY [/v NAME | /ve | /va] [/f]\n"
    "  or:  zelk-reg export KEY FILE [/y]\n"
    "  or:  zelk-reg import FILE\n"
    "\n"
    "Reads and changes the registry, in the manner of reg.exe.\n"
    "\n"
    "KEY is ROOT\\SubKey with ROOT HKCU, HKLM or HKCR (or HKEY_CURRENT_USER,\n"
    "HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT). TYPE is REG_SZ (default),\n"
    "REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD, REG_BINARY or REG_NONE.\n"
    "Files are .reg files (\"Windows Registry Editor Version 5.00\"), written\n"
    "as UTF-16LE.\n"
    "An import is all or nothing: the whole file is checked before anything\n"
    "changes, and it is applied as one transaction, so if any line fails (or\n"
    "the disk fills) the registry stays as it was. (On Windows, whose registry\n"
    "has no such transaction, only the check before any change is made.)\n"
    "On Linux the stand-in registry is used; ZELK_REGISTRY_DIR selects its\n"
    "directory (see docs/registry.md).\n";

} // namespace

int main(int argc, char **argv) {
  using namespace zelkreg;
  if (argc < 2) return usageError("an operation is required");
  std::string op = lower(argv[1]);
  Args args(argv + 2, argv + argc);
  if (op == "--version") {
    std::cout << "zelk-reg " ZELK_VERSION "\n";
    return 0;
  }
  if (op == "/?" || op == "-?" || op == "-h" || op == "--help" || op == "help") {
    std::cout << kUsage;
    return 0;
  }
  for (const std::string &a : args) {
    if (a == "/?" || a == "-?") {
      std::cout << kUsage;
      return 0;
    }
  }
  if (op == "query") return cmdQuery(args);
  if (op == "add") return cmdAdd(args);
  if (op == "delete") return cmdDelete(args);
  if (op == "export") return cmdExport(args);
  if (op == "import") return cmdImport(args);
  return usageError("unknown operation '" + std::string(argv[1]) + "'");
}
