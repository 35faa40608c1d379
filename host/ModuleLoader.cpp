#include "host/ModuleLoader.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <cstdlib>

namespace ZelkHost {

std::string moduleSuffix()
{
#if defined(_WIN32)
    return ".dll";
#elif defined(__APPLE__)
    return ".dylib";
#else
    return ".so";
#endif
}

LoadedModule::~LoadedModule()
{
    if (!handle_)
        return;
#if defined(_WIN32)
    FreeLibrary(static_cast<HMODULE>(handle_));
#else
    dlclose(handle_);
#endif
}

bool LoadedModule::load(const std::string& path, std::string* error)
{
#if defined(_WIN32)
    handle_ = LoadLibraryA(path.c_str());
    if (!handle_) {
        if (error)
            *error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
#else
    // Local binding keeps the modules' private symbols apart from each other.
    // ZELK_KEEP_MODULES_LOADED keeps unloaded modules mapped, so that leak
    // and profiling reports can still name their functions.
    int flags = RTLD_NOW | RTLD_LOCAL;
    if (const char* keep = std::getenv("ZELK_KEEP_MODULES_LOADED"); keep && *keep && *keep != '0')
        flags |= RTLD_NODELETE;
    handle_ = dlopen(path.c_str(), flags);
    if (!handle_) {
        if (error) {
            const char* reason = dlerror();
            *error = reason ? reason : ("cannot load " + path);
        }
        return false;
    }
#endif
    path_ = path;
    return true;
}

void* LoadedModule::symbol(const char* name, std::string* error) const
{
    void* address = nullptr;
    if (handle_) {
#if defined(_WIN32)
        address = reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
#else
        address = dlsym(handle_, name);
#endif
    }
    if (!address && error)
        *error = path_ + " does not export " + name;
    return address;
}

} // namespace ZelkHost
