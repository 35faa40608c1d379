// zelk-reg round trip: export a key tree with every value type (and names
// and strings holding lone UTF-16 surrogates), delete it, import the file,
// and the tree (names, types, data) and the query output are the same again.
// An import is all or nothing: a file that fails at any line, when checked
// or when applied, or on a full disk, changes nothing. Trees far deeper than
// a key can be created are queried and exported without recursion. Also the
// reg.exe-style outputs and argument errors.
#include "hive_backdoor.h"
#include "registry_process_support.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <sys/resource.h>

using namespace zelk_test;

namespace {

const char *const kKey = "HKCU\\Software\\ZelkRoundTrip";

// The stack limit of the next zelk-reg children (0: inherited).
rlim_t childStackLimit = 0;

// Runs zelk-reg with `args` split at spaces (a "quoted part" stays one
// argument), feeding `input` to its stdin; collects stdout and stderr.
ChildResult reg(const std::string &args, const std::string &input = {}) {
  std::vector<std::string> argv{ZELK_REG_PATH};
  std::string current;
  bool inQuote = false, any = false;
  for (char c : args) {
    if (c == '"') {
      inQuote = !inQuote;
      any = true;
    } else if (c == ' ' && !inQuote) {
      if (any) argv.push_back(current);
      current.clear();
      any = false;
    } else {
      current.push_back(c);
      any = true;
    }
  }
  if (any) argv.push_back(current);
  int out[2], in[2];
  ChildResult r;
  if (::pipe(out) || ::pipe(in)) return r;
  pid_t pid = ::fork();
  if (pid == 0) {
    if (childStackLimit) {
      struct rlimit limit = {childStackLimit, childStackLimit};
      ::setrlimit(RLIMIT_STACK, &limit);
    }
    ::dup2(in[0], 0);
    ::dup2(out[1], 1);
    ::dup2(out[1], 2);
    ::close(in[1]);
    ::close(out[0]);
    std::vector<char *> cargv;
    for (std::string &a : argv) cargv.push_back(&a[0]);
    cargv.push_back(nullptr);
    ::execv(cargv[0], cargv.data());
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  if (!input.empty()) (void)!::write(in[1], input.data(), input.size());
  ::close(in[1]);
  char buf[512];
  ssize_t n;
  while ((n = ::read(out[0], buf, sizeof buf)) > 0) r.output.append(buf, size_t(n));
  ::close(out[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

// Whole tree below `key`: "path|name" -> "type:hexdata".
void dump(HKEY key, const WStr &path, std::map<WStr, std::string> &out) {
  for (DWORD i = 0;; ++i) {
    WCHAR name[300];
    BYTE data[2048];
    DWORD nameLen = 300, dataLen = sizeof data, type = 0;
    LONG rc = RegEnumValueW(key, i, name, &nameLen, nullptr, &type, data, &dataLen);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(rc, ERROR_SUCCESS);
    std::string hex = std::to_string(type) + ":";
    for (DWORD b = 0; b < dataLen; ++b) hex += std::to_string(data[b]) + ",";
    out[path + W("|") + WStr(name, nameLen)] = hex;
  }
  for (DWORD i = 0;; ++i) {
    WCHAR name[300];
    DWORD len = 300;
    LONG rc = RegEnumKeyExW(key, i, name, &len, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(rc, ERROR_SUCCESS);
    HKEY child = nullptr;
    ASSERT_EQ(RegOpenKeyExW(key, name, 0, KEY_READ, &child), ERROR_SUCCESS);
    out[path + W("\\") + WStr(name, len)] = "key";
    dump(child, path + W("\\") + WStr(name, len), out);
    RegCloseKey(child);
  }
}

std::map<WStr, std::string> snapshot() {
  std::map<WStr, std::string> out;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, W("Software\\ZelkRoundTrip").c_str(), 0, KEY_READ, &key) == 0) {
    dump(key, WStr(), out);
    RegCloseKey(key);
  }
  return out;
}

void set(HKEY key, const char *name, DWORD type, const void *data, DWORD size) {
  ASSERT_EQ(RegSetValueExW(key, W(name).c_str(), 0, type, static_cast<const BYTE *>(data), size), ERROR_SUCCESS);
}

void fillTree() {
  HKEY root = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, W("Software\\ZelkRoundTrip").c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &root, nullptr),
            ERROR_SUCCESS);
  const WCHAR text[] = {'C', ':', '\\', 'p', 'a', 't', 'h', ' ', '"', 'q', '"', ' ', 0x00FC, 0x2713, 0xD83D, 0xDE00, 0};
  set(root, "", REG_SZ, W("default value").c_str(), 28);
  set(root, "text", REG_SZ, text, sizeof text);
  set(root, "quote\"and\\slash", REG_SZ, W("x").c_str(), 4);
  set(root, "expand", REG_EXPAND_SZ, W("%HOME%\\bin").c_str(), 22);
  const WCHAR multi[] = {'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0};
  set(root, "multi", REG_MULTI_SZ, multi, sizeof multi);
  DWORD d = 0xDEADBEEF;
  set(root, "dword", REG_DWORD, &d, 4);
  unsigned long long q = 0x0102030405060708ull;
  set(root, "qword", REG_QWORD, &q, 8);
  BYTE bin[200];
  for (int i = 0; i < 200; ++i) bin[i] = BYTE(i * 7);
  set(root, "binary", REG_BINARY, bin, sizeof bin);
  set(root, "empty", REG_BINARY, nullptr, 0);
  set(root, "none", REG_NONE, bin, 3);
  const WCHAR raw[] = {'a', 'b', 'c', 'd'};
  set(root, "unterminated", REG_SZ, raw, 6);
  const WCHAR lines[] = {'a', '\n', 'b', 0};
  set(root, "newline", REG_SZ, lines, sizeof lines);
  set(root, "odd type", 0x1234, bin, 5);
  // Lone surrogates: a .reg file is UTF-16, so they are kept as they are.
  const WCHAR loneName[] = {'l', 'o', 'n', 'e', 0xD800, 0};
  const WCHAR loneText[] = {'x', 0xDC00, 'y', 0xD83D, 0};
  ASSERT_EQ(RegSetValueExW(root, loneName, 0, REG_SZ, reinterpret_cast<const BYTE *>(loneText), sizeof loneText),
            ERROR_SUCCESS);
  HKEY sub = nullptr;
  const WCHAR loneKey[] = {'K', 0xDFFF, 0};
  ASSERT_EQ(RegCreateKeyExW(root, loneKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr), ERROR_SUCCESS);
  set(sub, "in lone", REG_SZ, loneText, sizeof loneText);
  RegCloseKey(sub);
  const WCHAR unicodeKey[] = {'S', 'u', 'b', '\\', 0x00D6, 'k', 'o', 0};
  ASSERT_EQ(RegCreateKeyExW(root, unicodeKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr), ERROR_SUCCESS);
  set(sub, "deep", REG_DWORD, &d, 4);
  RegCloseKey(sub);
  ASSERT_EQ(RegCreateKeyExW(root, W("Empty Key").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(sub);
  RegCloseKey(root);
}

class ZelkRegTest : public ::testing::Test {
protected:
  void SetUp() override { SHDeleteKeyW(HKEY_CURRENT_USER, W("Software\\ZelkRoundTrip").c_str()); }
  void TearDown() override { SHDeleteKeyW(HKEY_CURRENT_USER, W("Software\\ZelkRoundTrip").c_str()); }
};

TEST_F(ZelkRegTest, ExportDeleteImportGivesTheSameTree) {
  fillTree();
  std::map<WStr, std::string> before = snapshot();
  ASSERT_GT(before.size(), 15u);
  ChildResult queryBefore = reg(std::string("query ") + kKey + " /s");
  ASSERT_EQ(queryBefore.status, 0) << queryBefore.output;

  char dirPattern[] = "/tmp/zelk-reg-test-XXXXXX";
  ASSERT_NE(::mkdtemp(dirPattern), nullptr);
  std::string file = std::string(dirPattern) + "/tree.reg";
  ChildResult exp = reg(std::string("export ") + kKey + " " + file + " /y");
  ASSERT_EQ(exp.status, 0) << exp.output;
  std::string bytes = readFile(file);
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xFE);
  EXPECT_EQ(bytes[2], 'W');
  EXPECT_EQ(bytes[3], 0);

  ChildResult del = reg(std::string("delete ") + kKey + " /f");
  ASSERT_EQ(del.status, 0) << del.output;
  EXPECT_TRUE(snapshot().empty());
  EXPECT_EQ(reg(std::string("query ") + kKey).status, 1);

  ChildResult imp = reg("import " + file);
  ASSERT_EQ(imp.status, 0) << imp.output;
  EXPECT_EQ(snapshot(), before);
  ChildResult queryAfter = reg(std::string("query ") + kKey + " /s");
  EXPECT_EQ(queryAfter.output, queryBefore.output);

  // A UTF-16 file with a stray byte at its end is refused, naming its last
  // line, and changes nothing.
  ASSERT_EQ(reg(std::string("delete ") + kKey + " /f").status, 0);
  writeFile(file, bytes + "\x41");
  size_t lines = 1;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) lines += bytes[i] == '\n' && bytes[i + 1] == 0;
  ChildResult odd = reg("import " + file);
  EXPECT_EQ(odd.status, 1);
  EXPECT_EQ(odd.output, "ERROR: Error importing " + file + ": line " + std::to_string(lines) +
                            ": a stray byte after the last UTF-16 character.\n");
  EXPECT_TRUE(snapshot().empty());
  removeTree(dirPattern);
}

TEST_F(ZelkRegTest, ImportIsAllOrNothing) {
  ASSERT_EQ(reg(std::string("add ") + kKey + "\\Doomed /v x /d kept /f").status, 0);
  std::map<WStr, std::string> before = snapshot();
  char dirPattern[] = "/tmp/zelk-reg-test-XXXXXX";
  ASSERT_NE(::mkdtemp(dirPattern), nullptr);
  std::string file = std::string(dirPattern) + "/partial.reg";
  const std::string start = "Windows Registry Editor Version 5.00\r\n\r\n"
                            "[-HKEY_CURRENT_USER\\Software\\ZelkRoundTrip\\Doomed]\r\n\r\n"
                            "[HKEY_CURRENT_USER\\Software\\ZelkRoundTrip\\New]\r\n"
                            "\"a\"=\"b\"\r\n";
  // A line that cannot be read, and a key name the registry refuses only
  // when asked to create it: either way nothing of the file is applied.
  struct Case {
    std::string lastLine;
    std::string message;
  };
  for (const Case &c : {Case{"\"c\"=nonsense:1", "line 7: unknown data format."},
                        Case{"[HKEY_CURRENT_USER\\Software\\ZelkRoundTrip\\" + std::string(256, 'k') + "]",
                             "line 7: The parameter is incorrect."}}) {
    writeFile(file, start + c.lastLine + "\r\n");
    ChildResult imp = reg("import " + file);
    EXPECT_EQ(imp.status, 1);
    EXPECT_EQ(imp.output, "ERROR: Error importing " + file + ": " + c.message + "\n");
    EXPECT_EQ(snapshot(), before) << c.lastLine;
  }

  // A disk that fills during the import: as root with a mount namespace of
  // our own, the hive lives on a small tmpfs that a filler file leaves
  // almost full.
  std::string big = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\ZelkRoundTrip\\Big]\r\n";
  for (int i = 0; i < 2000; ++i) big += "\"v" + std::to_string(i) + "\"=\"" + std::string(600, 'x') + "\"\r\n";
  writeFile(file, big);
  const std::string mount = std::string(dirPattern) + "/mnt";
  ::mkdir(mount.c_str(), 0700);
  const std::string script =
      "unshare -m sh -c '"
      "mount -t tmpfs -o size=1m tmpfs \"$1\" 2>/dev/null || exit 77; "
      "export ZELK_REGISTRY_DIR=\"$1/reg\"; "
      "\"$2\" add HKCU\\\\Software\\\\ZelkRoundTrip /v keep /d yes /f >/dev/null || exit 78; "
      "dd if=/dev/zero of=\"$1/fill\" bs=4096 2>/dev/null; truncate -s -256K \"$1/fill\"; "
      "\"$2\" import \"$3\" 2>&1; echo \"exit $?\"; rm -f \"$1/fill\"; "
      "\"$2\" query HKCU\\\\Software\\\\ZelkRoundTrip /s"
      "' sh '" + mount + "' '" + ZELK_REG_PATH + "' '" + file + "' 2>&1";
  FILE *pipe = ::popen(script.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) output.append(buf, n);
  int status = ::pclose(pipe);
  removeTree(dirPattern);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 77) GTEST_SKIP() << "cannot mount a small file system here";
  EXPECT_NE(output.find("There is not enough space on the disk.\nexit 1\n"), std::string::npos) << output;
  EXPECT_EQ(output.find(".."), std::string::npos) << output;
  EXPECT_NE(output.find("    keep    REG_SZ    yes\n"), std::string::npos) << output;
  EXPECT_EQ(output.find("Big"), std::string::npos) << "values of the failed import stayed:\n" << output;
}

TEST_F(ZelkRegTest, TreesDeeperThanTheStackAreQueriedAndExported) {
  // 3000 levels written into the hive file behind the API's back, walked by
  // a zelk-reg whose stack would not hold a recursion over them.
  ASSERT_EQ(reg(std::string("add ") + kKey + "\\Deep /f").status, 0);
  ASSERT_TRUE(appendKeyChain(std::string(std::getenv("ZELK_REGISTRY_DIR")) + "/user.db", "Deep", 3000));
  char dirPattern[] = "/tmp/zelk-reg-test-XXXXXX";
  ASSERT_NE(::mkdtemp(dirPattern), nullptr);
  std::string file = std::string(dirPattern) + "/deep.reg";
  childStackLimit = 256 * 1024;
  ChildResult query = reg(std::string("query ") + kKey + " /s");
  ChildResult exp = reg(std::string("export ") + kKey + " " + file + " /y");
  childStackLimit = 0;
  ASSERT_EQ(query.status, 0) << query.output.substr(0, 500);
  size_t keys = 0;
  for (size_t at = query.output.find("\nHKEY_CURRENT_USER\\"); at != std::string::npos;
       at = query.output.find("\nHKEY_CURRENT_USER\\", at + 1)) {
    ++keys;
  }
  EXPECT_EQ(keys, 3002u); // ZelkRoundTrip, Deep and the chain
  EXPECT_NE(query.output.find("    v    REG_DWORD    0x1\n"), std::string::npos);
  ASSERT_EQ(exp.status, 0) << exp.output;

  // The export holds keys deeper than 512 levels, which an import may not
  // create: it fails at the first of them and leaves the registry as it was.
  ASSERT_EQ(reg(std::string("delete ") + kKey + "\\Deep /f").status, 0);
  std::map<WStr, std::string> before = snapshot();
  ChildResult imp = reg("import " + file);
  EXPECT_EQ(imp.status, 1);
  // Deep is level 3; the chain's key at level 513 is its 510th, on line 1025.
  EXPECT_EQ(imp.output, "ERROR: Error importing " + file +
                            ": line 1025: Insufficient system resources exist to complete the requested service.\n");
  EXPECT_EQ(snapshot(), before);
  removeTree(dirPattern);
}

TEST_F(ZelkRegTest, ImportsUtf8Files) {
  char dirPattern[] = "/tmp/zelk-reg-test-XXXXXX";
  ASSERT_NE(::mkdtemp(dirPattern), nullptr);
  std::string file = std::string(dirPattern) + "/utf8.reg";
  writeFile(file, "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n"
                  "[HKEY_CURRENT_USER\\Software\\ZelkRoundTrip\\Gr\xC3\xBC\xC3\x9F" "e]\n"
                  "\"Name\"=\"Z\xC3\xBCrich\"\n"
                  "@=dword:0000002a\n"
                  "\"Bin\"=hex:01,02,\\\n  03\n"
                  "; a comment\n"
                  "\"Gone\"=-\n");
  ChildResult imp = reg("import " + file);
  ASSERT_EQ(imp.status, 0) << imp.output;
  ChildResult q = reg("query \"HKCU\\Software\\ZelkRoundTrip\\Gr\xC3\xBC\xC3\x9F" "e\"");
  EXPECT_EQ(q.status, 0);
  EXPECT_EQ(q.output, "\nHKEY_CURRENT_USER\\Software\\ZelkRoundTrip\\Gr\xC3\xBC\xC3\x9F" "e\n"
                      "    Name    REG_SZ    Z\xC3\xBCrich\n"
                      "    (Default)    REG_DWORD    0x2a\n"
                      "    Bin    REG_BINARY    010203\n"
                      "\n");
  removeTree(dirPattern);
}

TEST_F(ZelkRegTest, ImportDeletesKeysAndValuesAndReadsRegedit4) {
  ASSERT_EQ(reg(std::string("add ") + kKey + "\\Doomed\\Child /v x /d y /f").status, 0);
  ASSERT_EQ(reg(std::string("add ") + kKey + " /v Old /d y /f").status, 0);
  char dirPattern[] = "/tmp/zelk-reg-test-XXXXXX";
  ASSERT_NE(::mkdtemp(dirPattern), nullptr);
  std::string file = std::string(dirPattern) + "/old.reg";
  writeFile(file, "REGEDIT4\r\n\r\n"
                  "[-HKEY_CURRENT_USER\\Software\\ZelkRoundTrip\\Doomed]\r\n\r\n"
                  "[HKEY_CURRENT_USER\\Software\\ZelkRoundTrip]\r\n"
                  "\"Old\"=-\r\n"
                  "\"New\"=dword:00000001\r\n");
  ChildResult imp = reg("import " + file);
  ASSERT_EQ(imp.status, 0) << imp.output;
  ChildResult q = reg(std::string("query ") + kKey);
  EXPECT_EQ(q.output, "\nHKEY_CURRENT_USER\\Software\\ZelkRoundTrip\n    New    REG_DWORD    0x1\n\n");
  writeFile(file, "not a registry file\n");
  ChildResult bad = reg("import " + file);
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(std::count(bad.output.begin(), bad.output.end(), '\n'), 1) << bad.output;
  removeTree(dirPattern);
}

TEST_F(ZelkRegTest, AddQueryDeleteOutputs) {
  ChildResult add = reg(std::string("add ") + kKey + " /v Count /t REG_DWORD /d 0x10 /f");
  EXPECT_EQ(add.status, 0);
  EXPECT_EQ(add.output, "The operation completed successfully.\n");
  EXPECT_EQ(reg(std::string("add HKEY_CURRENT_USER\\Software\\ZelkRoundTrip\\Sub /ve /d hello /f")).status, 0);
  EXPECT_EQ(reg(std::string("add ") + kKey + " /v List /t REG_MULTI_SZ /d a\\0b /f").status, 0);
  ChildResult q = reg(std::string("query ") + kKey);
  EXPECT_EQ(q.status, 0);
  EXPECT_EQ(q.output, "\nHKEY_CURRENT_USER\\Software\\ZelkRoundTrip\n"
                      "    Count    REG_DWORD    0x10\n"
                      "    List    REG_MULTI_SZ    a\\0b\n"
                      "\n"
                      "HKEY_CURRENT_USER\\Software\\ZelkRoundTrip\\Sub\n");
  ChildResult v = reg(std::string("query ") + kKey + "\\Sub /ve");
  EXPECT_EQ(v.output, "\nHKEY_CURRENT_USER\\Software\\ZelkRoundTrip\\Sub\n    (Default)    REG_SZ    hello\n\n");
  // Without /f an existing value needs a yes.
  ChildResult no = reg(std::string("add ") + kKey + " /v Count /t REG_DWORD /d 1", "no\n");
  EXPECT_EQ(no.status, 0);
  ChildResult one = reg(std::string("query ") + kKey + " /v count");
  EXPECT_NE(one.output.find("    Count    REG_DWORD    0x10\n"), std::string::npos) << one.output;
  EXPECT_EQ(reg(std::string("delete ") + kKey + " /v Count /f").status, 0);
  ChildResult gone = reg(std::string("query ") + kKey + " /v Count");
  EXPECT_EQ(gone.status, 1);
  EXPECT_EQ(gone.output, "ERROR: The system was unable to find the specified registry key or value.\n");
  EXPECT_EQ(reg(std::string("delete ") + kKey + " /va /f").status, 0);
  EXPECT_EQ(reg(std::string("query ") + kKey + " /v List").status, 1);
}

// HKEY_CLASSES_ROOT is the user's Software\Classes over the machine's: a .reg
// file of file associations imports through it, a new key landing in the
// machine hive and a key the user has in the user's; reads see the user's
// key first; deleting the user's key shows the machine's again.
TEST_F(ZelkRegTest, FileAssociationsImportQueryAndDeleteThroughClassesRoot) {
  for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) SHDeleteKeyW(hive, W("Software\\Classes").c_str());
  ASSERT_EQ(reg("add HKCU\\Software\\Classes\\.zkmine /v Owner /d user /f").status, 0);
  ASSERT_EQ(reg("add HKLM\\Software\\Classes\\.zkmine /v Owner /d machine /f").status, 0);
  char dirPattern[] = "/tmp/zelk-reg-test-XXXXXX";
  ASSERT_NE(::mkdtemp(dirPattern), nullptr);
  const std::string file = std::string(dirPattern) + "/assoc.reg";
  writeFile(file, "Windows Registry Editor Version 5.00\r\n\r\n"
                  "[HKEY_CLASSES_ROOT\\.zkv]\r\n@=\"Zelk.Video\"\r\n\"Content Type\"=\"video/x-zk\"\r\n\r\n"
                  "[HKEY_CLASSES_ROOT\\Zelk.Video\\shell\\open\\command]\r\n@=\"zelk \\\"%1\\\"\"\r\n\r\n"
                  "[HKEY_CLASSES_ROOT\\.zkmine]\r\n\"Written\"=\"through the view\"\r\n");
  // Where the machine hive is read-only the new keys are refused, and the
  // whole import with them.
  ::setenv("ZELK_REGISTRY_MACHINE_READONLY", "1", 1);
  ChildResult refused = reg("import " + file);
  ::unsetenv("ZELK_REGISTRY_MACHINE_READONLY");
  EXPECT_EQ(refused.status, 1) << refused.output;
  EXPECT_EQ(reg("query HKCR\\.zkmine /v Written").status, 1);

  ChildResult imp = reg("import " + file);
  ASSERT_EQ(imp.status, 0) << imp.output;
  EXPECT_EQ(reg("query HKLM\\Software\\Classes\\.zkv").output,
            "\nHKEY_LOCAL_MACHINE\\Software\\Classes\\.zkv\n    (Default)    REG_SZ    Zelk.Video\n"
            "    Content Type    REG_SZ    video/x-zk\n\n");
  EXPECT_EQ(reg("query HKCU\\Software\\Classes\\.zkv").status, 1);
  EXPECT_EQ(reg("query HKCR\\.zkmine").output,
            "\nHKEY_CLASSES_ROOT\\.zkmine\n    Owner    REG_SZ    user\n    Written    REG_SZ    through the view\n\n");
  // The view lists each key once, the user's and the machine's together.
  ChildResult tree = reg("query HKCR /s");
  EXPECT_EQ(tree.output,
            "\nHKEY_CLASSES_ROOT\n\nHKEY_CLASSES_ROOT\\.zkmine\n    Owner    REG_SZ    user\n"
            "    Written    REG_SZ    through the view\n\nHKEY_CLASSES_ROOT\\.zkv\n    (Default)    REG_SZ    Zelk.Video\n"
            "    Content Type    REG_SZ    video/x-zk\n\nHKEY_CLASSES_ROOT\\Zelk.Video\n\n"
            "HKEY_CLASSES_ROOT\\Zelk.Video\\shell\n\nHKEY_CLASSES_ROOT\\Zelk.Video\\shell\\open\n\n"
            "HKEY_CLASSES_ROOT\\Zelk.Video\\shell\\open\\command\n    (Default)    REG_SZ    zelk \"%1\"\n");

  // An export names the view.
  const std::string exported = std::string(dirPattern) + "/video.reg";
  ASSERT_EQ(reg("export HKCR\\Zelk.Video " + exported + " /y").status, 0);
  EXPECT_NE(readFile(exported).find(std::string("[\0H\0K\0E\0Y\0_\0C\0L\0A\0S\0S\0E\0S\0_\0R\0O\0O\0T\0", 36)),
            std::string::npos);
  EXPECT_EQ(reg("delete HKCR\\Zelk.Video /f").status, 0);
  EXPECT_EQ(reg("query HKLM\\Software\\Classes\\Zelk.Video").status, 1);
  EXPECT_EQ(reg("delete HKCR\\.zkmine /f").status, 0);
  EXPECT_EQ(reg("query HKCR\\.zkmine").output, "\nHKEY_CLASSES_ROOT\\.zkmine\n    Owner    REG_SZ    machine\n\n");
  for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) SHDeleteKeyW(hive, W("Software\\Classes").c_str());
  removeTree(dirPattern);
}

TEST_F(ZelkRegTest, BadArgumentsGiveOneLineErrorAndNonZeroExit) {
  for (const char *args : {"", "frobnicate", "query", "query HKXX\\Software", "add HKCU\\Software\\ZelkRoundTrip /t REG_DWORD /d nonsense /f",
                           "add HKCU\\Software\\ZelkRoundTrip /t REG_WRONG", "delete HKCU\\Software\\ZelkRoundTrip /v a /va",
                           "export HKCU\\Software\\ZelkRoundTrip", "import", "query HKCU\\Software /bogus"}) {
    ChildResult r = reg(args);
    EXPECT_NE(r.status, 0) << args;
    EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << args << ": " << r.output;
    EXPECT_EQ(r.output.rfind("ERROR: ", 0), 0u) << args << ": " << r.output;
  }
}

} // namespace

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new TemporaryRegistryEnvironment);
  return RUN_ALL_TESTS();
}
