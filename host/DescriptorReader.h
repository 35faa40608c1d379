#pragma once

#include <memory>
#include <string>

namespace Okto {
class PluginInfo;
}

namespace ZelkHost {

// Parses one plug-in descriptor (XML) into a PluginInfo record:
//
//   <properties>
//     <id>com.example.plugin</id>
//     <name><short>Example</short></name>
//     <library>Example.so</library>          (optional; relative to the file)
//     <interfaces><interface>…</interface>…</interfaces>
//     …                                       (free-form, read by XPath)
//   </properties>
//
// Returns null with `error` filled when the file cannot be read, is not
// well-formed, or has no <id>.
std::unique_ptr<Okto::PluginInfo> readDescriptor(const std::string& path, std::string* error);

} // namespace ZelkHost
