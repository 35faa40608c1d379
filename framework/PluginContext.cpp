#include "framework/PluginContext.h"

namespace Okto {

PluginContext::~PluginContext() = default;

} // namespace Okto
