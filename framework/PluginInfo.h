#pragma once

#include "framework/OktoString.h"
#include "framework/OktoStringList.h"

typedef struct _xmlDoc xmlDoc;

namespace Okto {

// One plug-in's descriptor as the framework knows it. The record owns its
// parsed XML descriptor.
class PluginInfo {
public:
    PluginInfo() = default;
    ~PluginInfo();
    PluginInfo(const PluginInfo&) = delete;
    PluginInfo& operator=(const PluginInfo&) = delete;

    // Text of the first node `xpath` selects in the descriptor, with entity
    // references substituted; empty when nothing (or no node set) matches.
    String query(const char* xpath) const;
    String shortName() const;

    // Host-side bookkeeping: where the descriptor and the module live.
    String descriptorPath;
    String modulePath;

    String id;
    StringList interfaces;
    xmlDoc* descriptor = nullptr;
};

} // namespace Okto
