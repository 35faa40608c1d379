#include "framework/PluginResult.h"
#include "plugin/ZNBPreferencesPlugin.h"

#include <new>

#if defined(_WIN32)
#define ZNB_EXPORT __declspec(dllexport)
#else
#define ZNB_EXPORT __attribute__((visibility("default")))
#endif

// The module's one export. Success is judged by *out: a failed creation
// leaves it null and still returns 0.
extern "C" ZNB_EXPORT int _getPlugin(Okto::PluginContext* context, Okto::Plugin** out)
{
    if (!out)
        return Okto::PluginMissingOutput;
    *out = nullptr;
    try {
        auto* plugin = new ZelkNimbo::ZNBPreferencesPlugin(context);
        *out = static_cast<Okto::Plugin*>(plugin);
    } catch (const std::exception&) {
        *out = nullptr;
    }
    return Okto::PluginSuccess;
}
