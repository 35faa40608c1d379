#pragma once

#include "framework/PluginContext.h"
#include "host/ModuleLoader.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ZelkHost {

// The player's side of the plug-in framework: reads descriptors, loads
// modules, creates plug-in objects through their `_getPlugin` export and keeps
// the list of live objects current.
class HostPluginContext : public Okto::PluginContext {
public:
    enum class Event { WillDestroy, DidDestroy };
    using LifecycleObserver = std::function<void(Event, Okto::Plugin*)>;

    HostPluginContext();
    // Plug-in objects still alive must have been released before; their
    // modules are unloaded here.
    ~HostPluginContext() override;

    int addPluginDirectory(const Okto::String& directory) override;
    int addDescriptor(const Okto::String& path) override;
    int findPluginInfo(const Okto::String& id, Okto::PluginInfo** out) override;
    int createPlugin(const Okto::String& id, Okto::Plugin** out) override;
    int createPluginFromModule(const Okto::String& modulePath, Okto::Plugin** out) override;
    int shutdownPlugins() override;
    Okto::String lastError() const override;

    void willDestroyPlugin(Okto::Plugin* plugin) override;
    void didDestroyPlugin(Okto::Plugin* plugin) override;

    // Called for every destruction notice (tests and the shell watch these).
    void setLifecycleObserver(LifecycleObserver observer) { observer_ = std::move(observer); }

    int livePluginCount();

private:
    int fail(int code, const std::string& reason);
    int instantiate(const std::string& modulePath, Okto::PluginInfo* info, Okto::Plugin** out);
    LoadedModule* moduleAt(const std::string& path);
    void forgetPlugin(Okto::Plugin* plugin);

    std::vector<std::unique_ptr<Okto::PluginInfo>> ownedInfos_;
    std::map<std::string, std::unique_ptr<LoadedModule>> modules_;
    std::string lastError_;
    LifecycleObserver observer_;
};

} // namespace ZelkHost
