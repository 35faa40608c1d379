// zelk-reg's .reg import, run on the input as a file against a private
// registry directory (the machine hive read-only). Properties:
// - importing never crashes, whatever the bytes (UTF-16LE with BOM, UTF-8,
//   REGEDIT4 or garbage);
// - after a successful import, every key it made exports, the export imports
//   again, and exporting once more gives the same file byte for byte (names
//   with lone surrogates included: the files are UTF-16);
// - a failed import changes nothing: the user hive, which holds one planted
//   key before each input (so that a file can delete it and then fail), is
//   afterwards exactly as it was.
// The user hive is emptied after each input, so inputs do not affect each
// other.

#include "commands.h"
#include "reg_access.h"
#include "tree_walk.h"

#include <cstdint>
#include <cstdlib>
#include <ftw.h>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string workDir;

// Swallows the tool's messages, which are not what is tested.
class DiscardingBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

std::string readWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<zelkreg::WStr> topLevelKeys()
{
    std::vector<zelkreg::WStr> names;
    zelkreg::readSubkeys(HKEY_CURRENT_USER, names);
    return names;
}

void emptyUserHive()
{
    for (const zelkreg::WStr& name : topLevelKeys())
        SHDeleteKeyW(HKEY_CURRENT_USER, name.c_str());
}

// Every name has a command-line spelling in lossless UTF-8.
bool spellable(const zelkreg::WStr& name)
{
    return zelkreg::toUtf16(zelkreg::toWtf8(name)) == name;
}

const zelkreg::WStr plantedKey = {u'P', u'l', u'a', u'n', u't', u'e', u'd'};

// A key a file may delete (then failing later on), so that a half-applied
// import shows.
void plantKey()
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, plantedKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        std::abort();
    const DWORD one = 1;
    RegSetValueExW(key, u"v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4);
    RegCloseKey(key);
}

// The whole user hive: every key's full name, values, types and data.
std::string dumpUserHive()
{
    std::string dump;
    LONG rc = zelkreg::walkTree(HKEY_CURRENT_USER, "HKCU", false,
                                [&](HKEY key, const std::string& name, const std::vector<zelkreg::WStr>&) {
                                    std::vector<zelkreg::Value> values;
                                    LONG status = zelkreg::readValues(key, values);
                                    dump += "[" + name + "]\n";
                                    for (const zelkreg::Value& v : values) {
                                        dump += zelkreg::toWtf8(v.name) + "=" + std::to_string(v.type) + ":"
                                            + std::string(v.data.begin(), v.data.end()) + "\n";
                                    }
                                    return status;
                                });
    if (rc != ERROR_SUCCESS)
        std::abort();
    return dump;
}

void checkExportRoundTrip(const zelkreg::WStr& name)
{
    const std::string key = "HKCU\\" + zelkreg::toWtf8(name);
    const std::string first = workDir + "/first.reg";
    const std::string second = workDir + "/second.reg";
    if (zelkreg::cmdExport({key, first, "/y"}) != 0)
        std::abort();
    SHDeleteKeyW(HKEY_CURRENT_USER, name.c_str());
    if (zelkreg::cmdImport({first}) != 0)
        std::abort();
    if (zelkreg::cmdExport({key, second, "/y"}) != 0)
        std::abort();
    if (readWhole(first) != readWhole(second))
        std::abort();
}

int removeEntry(const char* path, const struct stat*, int, struct FTW*)
{
    return ::remove(path);
}

// Registered before the first registry call, so it runs after the registry
// has closed its hives at exit.
void removeWorkDir()
{
    ::nftw(workDir.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char pattern[] = "/tmp/zelk-reg-import-fuzz-XXXXXX";
    if (!mkdtemp(pattern))
        std::abort();
    workDir = pattern;
    setenv("ZELK_REGISTRY_DIR", workDir.c_str(), 1);
    setenv("ZELK_REGISTRY_MACHINE_READONLY", "1", 1);
    std::atexit(removeWorkDir);
    static DiscardingBuffer discard;
    std::cout.rdbuf(&discard);
    std::cerr.rdbuf(&discard);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 16 * 1024)
        return 0;
    const std::string input = workDir + "/input.reg";
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    plantKey();
    const std::string before = dumpUserHive();
    if (zelkreg::cmdImport({input}) == 0) {
        for (const zelkreg::WStr& name : topLevelKeys()) {
            if (spellable(name))
                checkExportRoundTrip(name);
        }
    } else if (dumpUserHive() != before) {
        std::abort(); // a failed import left some of its changes
    }
    emptyUserHive();
    return 0;
}
