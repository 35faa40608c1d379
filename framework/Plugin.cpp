#include "framework/Plugin.h"

#include "framework/PluginContext.h"

namespace Okto {

Plugin::Plugin(PluginContext* context)
    : context_(context)
{
}

Plugin::~Plugin() = default;

int Plugin::retain()
{
    return ++refCount_;
}

int Plugin::release()
{
    const int count = --refCount_;
    if (count == 0) {
        // `this` is gone after the delete; keep what the second call needs.
        PluginContext* context = context_;
        Plugin* const gone = this;
        if (context)
            context->willDestroyPlugin(gone);
        delete this;
        if (context)
            context->didDestroyPlugin(gone);
    }
    return count;
}

int Plugin::retainCount() const
{
    return refCount_;
}

PluginInfo* Plugin::info() const
{
    return info_;
}

PluginContext* Plugin::context() const
{
    return context_;
}

} // namespace Okto
