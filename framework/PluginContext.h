#pragma once

#include "framework/OktoList.h"
#include "framework/OktoString.h"
#include "framework/PluginResult.h"

#include <boost/thread/recursive_mutex.hpp>

#include <vector>

namespace Okto {

class Plugin;
class PluginInfo;

// The framework context shared by the host and its plug-ins. The host
// implements the operations; plug-ins read the descriptor list and the list
// of live plug-in objects.
class PluginContext {
public:
    // A predicate over descriptor records.
    class AbstractPluginInfoFilter {
    public:
        virtual ~AbstractPluginInfoFilter() = default;
        virtual bool operator()(PluginInfo* info) const = 0;
    };

    // Accepts plug-ins that declare the given interface (or component) id.
    class PluginInterfaceFilter : public AbstractPluginInfoFilter {
    public:
        explicit PluginInterfaceFilter(const String& interfaceId);
        bool operator()(PluginInfo* info) const override;

    private:
        String interfaceId_;
    };

    PluginContext() = default;
    PluginContext(const PluginContext&) = delete;
    PluginContext& operator=(const PluginContext&) = delete;
    virtual ~PluginContext();

    // Host operations.
    // Reads every descriptor (*.xml) in a folder into `infos`.
    virtual int addPluginDirectory(const String& directory) = 0;
    // Reads one descriptor file into `infos`.
    virtual int addDescriptor(const String& path) = 0;
    // The record with the given plug-in id.
    virtual int findPluginInfo(const String& id, PluginInfo** out) = 0;
    // Loads the plug-in's module if needed and creates its object; the
    // caller receives one reference.
    virtual int createPlugin(const String& id, Plugin** out) = 0;
    // Loads a module by path (no descriptor) and creates its object.
    virtual int createPluginFromModule(const String& modulePath, Plugin** out) = 0;
    // Asks every live plug-in that offers the Shutdown interface to shut down.
    virtual int shutdownPlugins() = 0;
    // A readable reason for the last failed operation.
    virtual String lastError() const = 0;

    // Told by Plugin::release() around the deletion of an object.
    virtual void willDestroyPlugin(Plugin* plugin) = 0;
    virtual void didDestroyPlugin(Plugin* plugin) = 0;

    // The descriptors `filter` accepts, in the context's order. Returns 1 for
    // a null `out`, else 0 when something was found and 3 when nothing was.
    // Takes no lock: the descriptor list does not change after start-up.
    template <typename Filter>
    int getPluginInfos(List<PluginInfo*>* out, Filter filter);

    // The live plug-ins whose descriptors `filter` accepts, each retained
    // once for the caller, who releases them. Walks the list under `lock`.
    int getPlugins(std::vector<Plugin*>* out, const AbstractPluginInfoFilter& filter);

    List<PluginInfo*> infos;      // every descriptor the framework knows
    List<Plugin*> plugins;        // plug-in objects currently alive
    boost::recursive_mutex lock;  // guards `plugins`
};

template <typename Filter>
int PluginContext::getPluginInfos(List<PluginInfo*>* out, Filter filter)
{
    if (!out)
        return PluginMissingOutput;
    out->clear();
    for (int i = 0; i < infos.count; ++i) {
        PluginInfo* info = infos.at(i);
        // Entries without a record are skipped rather than handed to the filter.
        if (info && filter(info))
            out->append(info);
    }
    return out->count > 0 ? PluginSuccess : PluginNotFound;
}

} // namespace Okto
