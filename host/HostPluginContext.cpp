#include "host/HostPluginContext.h"

#include "framework/Plugin.h"
#include "framework/PluginInfo.h"
#include "framework/PluginResult.h"
#include "host/DescriptorReader.h"
#include "plugin/HostInterfaces.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace ZelkHost {

namespace {

using GetPluginFunction = int (*)(Okto::PluginContext*, Okto::Plugin**);

} // namespace

HostPluginContext::HostPluginContext() = default;

HostPluginContext::~HostPluginContext()
{
    // The descriptor list holds pointers into ownedInfos_; empty it first.
    infos.clear();
    {
        boost::recursive_mutex::scoped_lock guard(lock);
        plugins.clear();
    }
    ownedInfos_.clear();
    modules_.clear();
}

int HostPluginContext::fail(int code, const std::string& reason)
{
    lastError_ = reason;
    return code;
}

int HostPluginContext::addPluginDirectory(const Okto::String& directory)
{
    namespace fs = std::filesystem;
    const std::string folder = directory.toStdString();
    std::error_code failure;
    std::vector<std::string> files;
    for (fs::directory_iterator it(folder, failure), end; !failure && it != end; it.increment(failure)) {
        if (it->path().extension() == ".xml")
            files.push_back(it->path().string());
    }
    if (failure)
        return fail(Okto::PluginNotFound, folder + ": " + failure.message());
    // A stable order makes discovery independent of the file system.
    std::sort(files.begin(), files.end());

    int added = 0;
    std::string errors;
    for (const std::string& file : files) {
        if (addDescriptor(Okto::String(file.c_str())) == Okto::PluginSuccess)
            ++added;
        else
            errors += (errors.empty() ? "" : "; ") + lastError_;
    }
    lastError_ = errors;
    if (added == 0)
        return fail(Okto::PluginNotFound, errors.empty() ? folder + ": no plug-in descriptors" : errors);
    return Okto::PluginSuccess;
}

int HostPluginContext::addDescriptor(const Okto::String& path)
{
    std::string error;
    std::unique_ptr<Okto::PluginInfo> info = readDescriptor(path.toStdString(), &error);
    if (!info)
        return fail(Okto::PluginNotFound, error);
    Okto::PluginInfo* known = nullptr;
    if (findPluginInfo(info->id, &known) == Okto::PluginSuccess)
        return fail(Okto::PluginNotFound, path.toStdString() + ": plug-in id " + info->id.toStdString() + " is already known");
    infos.append(info.get());
    ownedInfos_.push_back(std::move(info));
    return Okto::PluginSuccess;
}

int HostPluginContext::findPluginInfo(const Okto::String& id, Okto::PluginInfo** out)
{
    if (!out)
        return Okto::PluginMissingOutput;
    *out = nullptr;
    for (const Okto::Node<Okto::PluginInfo*>* node = infos.head; node; node = node->next) {
        if (node->value && node->value->id == id) {
            *out = node->value;
            return Okto::PluginSuccess;
        }
    }
    return fail(Okto::PluginNotFound, "no plug-in with id " + id.toStdString());
}

int HostPluginContext::createPlugin(const Okto::String& id, Okto::Plugin** out)
{
    if (!out)
        return Okto::PluginMissingOutput;
    *out = nullptr;
    Okto::PluginInfo* info = nullptr;
    const int found = findPluginInfo(id, &info);
    if (found != Okto::PluginSuccess)
        return found;
    if (!info->modulePath.length())
        return fail(Okto::PluginNotFound, "plug-in " + id.toStdString() + " has no module");
    return instantiate(info->modulePath.toStdString(), info, out);
}

int HostPluginContext::createPluginFromModule(const Okto::String& modulePath, Okto::Plugin** out)
{
    if (!out)
        return Okto::PluginMissingOutput;
    *out = nullptr;
    return instantiate(modulePath.toStdString(), nullptr, out);
}

LoadedModule* HostPluginContext::moduleAt(const std::string& path)
{
    auto found = modules_.find(path);
    if (found != modules_.end())
        return found->second.get();
    auto module = std::make_unique<LoadedModule>();
    if (!module->load(path, &lastError_))
        return nullptr;
    return modules_.emplace(path, std::move(module)).first->second.get();
}

int HostPluginContext::instantiate(const std::string& modulePath, Okto::PluginInfo* info, Okto::Plugin** out)
{
    LoadedModule* module = moduleAt(modulePath);
    if (!module)
        return Okto::PluginNotFound;
    auto getPlugin = reinterpret_cast<GetPluginFunction>(module->symbol("_getPlugin", &lastError_));
    if (!getPlugin)
        return Okto::PluginNotFound;

    Okto::Plugin* plugin = nullptr;
    const int result = getPlugin(this, &plugin);
    if (result != Okto::PluginSuccess || !plugin)
        return fail(Okto::PluginNotFound, modulePath + ": the plug-in could not be created");

    plugin->setInfo(info);
    {
        boost::recursive_mutex::scoped_lock guard(lock);
        plugins.append(plugin);
    }
    *out = plugin;
    return Okto::PluginSuccess;
}

int HostPluginContext::shutdownPlugins()
{
    // Snapshot first: a shutdown may release (and so remove) plug-ins.
    std::vector<Okto::Plugin*> live;
    {
        boost::recursive_mutex::scoped_lock guard(lock);
        for (const Okto::Node<Okto::Plugin*>* node = plugins.head; node; node = node->next) {
            node->value->retain();
            live.push_back(node->value);
        }
    }
    int notified = 0;
    const Okto::String shutdownId(ZelkNimbo::InterfaceId::Shutdown);
    for (Okto::Plugin* plugin : live) {
        void* iface = nullptr;
        if (plugin->queryInterface(shutdownId, &iface) == Okto::PluginSuccess && iface) {
            static_cast<ZelkNimbo::ShutdownInterface*>(iface)->shutdown();
            ++notified;
        }
        plugin->release();
    }
    return notified > 0 ? Okto::PluginSuccess : Okto::PluginNotFound;
}

Okto::String HostPluginContext::lastError() const
{
    return Okto::String(lastError_.c_str());
}

void HostPluginContext::willDestroyPlugin(Okto::Plugin* plugin)
{
    forgetPlugin(plugin);
    if (observer_)
        observer_(Event::WillDestroy, plugin);
}

void HostPluginContext::didDestroyPlugin(Okto::Plugin* plugin)
{
    if (observer_)
        observer_(Event::DidDestroy, plugin);
}

int HostPluginContext::livePluginCount()
{
    boost::recursive_mutex::scoped_lock guard(lock);
    return plugins.count;
}

void HostPluginContext::forgetPlugin(Okto::Plugin* plugin)
{
    // The framework list has no removal; rebuild it without the object.
    boost::recursive_mutex::scoped_lock guard(lock);
    std::vector<Okto::Plugin*> remaining;
    for (const Okto::Node<Okto::Plugin*>* node = plugins.head; node; node = node->next) {
        if (node->value != plugin)
            remaining.push_back(node->value);
    }
    plugins.clear();
    for (Okto::Plugin* live : remaining)
        plugins.append(live);
}

} // namespace ZelkHost
