#include "framework/PluginContext.h"

#include "framework/Plugin.h"
#include "framework/PluginInfo.h"

namespace Okto {

PluginContext::~PluginContext() = default;

PluginContext::PluginInterfaceFilter::PluginInterfaceFilter(const String& interfaceId)
    : interfaceId_(interfaceId)
{
}

bool PluginContext::PluginInterfaceFilter::operator()(PluginInfo* info) const
{
    return info && info->interfaces.indexOf(interfaceId_) != -1;
}

int PluginContext::getPlugins(std::vector<Plugin*>* out, const AbstractPluginInfoFilter& filter)
{
    if (!out)
        return PluginMissingOutput;
    out->clear();
    {
        boost::recursive_mutex::scoped_lock guard(lock);
        for (int i = 0; i < plugins.count; ++i) {
            Plugin* plugin = plugins.at(i);
            // A plug-in without a descriptor record cannot match any filter.
            if (!plugin || !plugin->info() || !filter(plugin->info()))
                continue;
            plugin->retain();
            out->push_back(plugin);
        }
    }
    return out->empty() ? PluginNotFound : PluginSuccess;
}

} // namespace Okto
