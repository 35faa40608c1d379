#pragma once

namespace Okto {

// Result codes of the framework's operations.
enum PluginResult {
    PluginSuccess = 0,
    PluginMissingOutput = 1,   // the output argument was null
    PluginNotFound = 3,        // nothing found, or the interface is not supported
};

} // namespace Okto
