#pragma once

// A context whose host operations all answer "not found": the framework tests
// only need its lists, its lock and its destruction notices.

#include "framework/PluginContext.h"
#include "framework/PluginResult.h"

class StubContext : public Okto::PluginContext {
public:
    int addPluginDirectory(const Okto::String&) override { return Okto::PluginNotFound; }
    int addDescriptor(const Okto::String&) override { return Okto::PluginNotFound; }
    int findPluginInfo(const Okto::String&, Okto::PluginInfo**) override { return Okto::PluginNotFound; }
    int createPlugin(const Okto::String&, Okto::Plugin**) override { return Okto::PluginNotFound; }
    int createPluginFromModule(const Okto::String&, Okto::Plugin**) override { return Okto::PluginNotFound; }
    int shutdownPlugins() override { return Okto::PluginNotFound; }
    Okto::String lastError() const override { return Okto::String(); }
    void willDestroyPlugin(Okto::Plugin*) override {}
    void didDestroyPlugin(Okto::Plugin*) override {}
};
