#include "StoreTestSupport.h"

#include <atomic>
#include <cstring>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace storetest {

namespace {

#if !defined(_WIN32)
// Points the registry stand-in at a private folder before the first call.
struct PrivateRegistry {
    PrivateRegistry()
    {
        if (std::getenv("ZELK_REGISTRY_DIR"))
            return;
        char pattern[] = "/tmp/zelk-store-test-XXXXXX";
        if (mkdtemp(pattern))
            setenv("ZELK_REGISTRY_DIR", pattern, 1);
    }
};
const PrivateRegistry privateRegistry;
#endif

} // namespace

bool underWine()
{
#if defined(_WIN32)
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}

bool machineHiveReadOnly()
{
    HKEY key = nullptr;
    const LONG status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, ZELK_WSTR("SOFTWARE\\Zelk"), 0, nullptr, 0,
                                        KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key, nullptr);
    if (key)
        RegCloseKey(key);
    return status == ERROR_ACCESS_DENIED;
}

std::string uniqueRoot()
{
    static std::atomic<int> counter{0};
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = test ? std::string(test->test_suite_name()) + "." + test->name() : "Test";
    for (char& c : name) {
        if (c == '/' || c == '\\')
            c = '_';
    }
    return "StoreTest-" + name + "-" + std::to_string(++counter);
}

Utf16String wide(const std::string& text)
{
    return ilsk::utf8ToUtf16(text);
}

Utf16String keyPath(const std::string& relative)
{
    Utf16String path = wide("SOFTWARE\\Zelk\\" + relative);
    for (auto& c : path) {
        if (c == u'/')
            c = u'\\';
    }
    return path;
}

RawValue rawGet(HKEY hive, const std::string& relativeKey, const std::string& name)
{
    RawValue value;
    HKEY key = nullptr;
    value.status = RegOpenKeyExW(hive, keyPath(relativeKey).c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key);
    if (value.status != ERROR_SUCCESS)
        return value;
    const Utf16String wideName = wide(name);
    DWORD size = 0;
    value.status = RegQueryValueExW(key, wideName.c_str(), nullptr, &value.type, nullptr, &size);
    if (value.status == ERROR_SUCCESS) {
        value.bytes.resize(size);
        value.status = RegQueryValueExW(key, wideName.c_str(), nullptr, &value.type,
                                        size ? value.bytes.data() : nullptr, &size);
        value.bytes.resize(size);
    }
    RegCloseKey(key);
    return value;
}

LONG rawSet(HKEY hive, const std::string& relativeKey, const std::string& name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    LONG status = RegCreateKeyExW(hive, keyPath(relativeKey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                                  nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    status = RegSetValueExW(key, wide(name).c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return status;
}

bool rawKeyExists(HKEY hive, const std::string& relativeKey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(hive, keyPath(relativeKey).c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

LONG rawDeleteTree(HKEY hive, const std::string& relativeKey)
{
    return SHDeleteKeyW(hive, keyPath(relativeKey).c_str());
}

std::vector<unsigned char> bytesOf(std::initializer_list<int> values)
{
    std::vector<unsigned char> bytes;
    for (int v : values)
        bytes.push_back(static_cast<unsigned char>(v));
    return bytes;
}

Section openRoot(const std::string& path, ilsk::AccessMode mode)
{
    Section section;
    ilsk::openSettings(path, mode, section.out());
    return section;
}

} // namespace storetest
