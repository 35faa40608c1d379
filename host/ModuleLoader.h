#pragma once

#include <string>

namespace ZelkHost {

// A loaded plug-in module (dlopen / LoadLibrary). Modules stay loaded for the
// lifetime of the object; the plug-in objects they created must be gone
// before it is destroyed.
class LoadedModule {
public:
    LoadedModule() = default;
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    // Loads the module at `path`; on failure returns false and fills `error`.
    bool load(const std::string& path, std::string* error);
    // The address of an exported symbol, or null (with `error` filled).
    void* symbol(const char* name, std::string* error) const;

    const std::string& path() const { return path_; }

private:
    void* handle_ = nullptr;
    std::string path_;
};

// File-name suffix of loadable modules on this platform (".so", ".dll").
std::string moduleSuffix();

} // namespace ZelkHost
