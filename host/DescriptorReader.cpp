#include "host/DescriptorReader.h"

#include "framework/PluginInfo.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>

namespace ZelkHost {

namespace {

bool isElement(const xmlNode* node, const char* name)
{
    return node->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

const xmlNode* firstChild(const xmlNode* parent, const char* name)
{
    for (const xmlNode* node = parent->children; node; node = node->next) {
        if (isElement(node, name))
            return node;
    }
    return nullptr;
}

std::string trimmedText(const xmlNode* node)
{
    std::string text;
    if (xmlChar* content = xmlNodeGetContent(node)) {
        text = reinterpret_cast<const char*>(content);
        xmlFree(content);
    }
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string directoryOf(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

bool isAbsolute(const std::string& path)
{
    return (!path.empty() && (path[0] == '/' || path[0] == '\\')) || (path.size() > 1 && path[1] == ':');
}

} // namespace

std::unique_ptr<Okto::PluginInfo> readDescriptor(const std::string& path, std::string* error)
{
    auto fail = [error](const std::string& reason) {
        if (error)
            *error = reason;
        return std::unique_ptr<Okto::PluginInfo>();
    };

    // No network access and no external entities: descriptors are plain data.
    xmlDoc* document = xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!document)
        return fail(path + ": not a readable XML document");

    auto info = std::make_unique<Okto::PluginInfo>();
    info->descriptor = document; // owned by the record from here on

    const xmlNode* root = xmlDocGetRootElement(document);
    if (!root || !isElement(root, "properties"))
        return fail(path + ": the root element is not <properties>");
    const xmlNode* idNode = firstChild(root, "id");
    const std::string id = idNode ? trimmedText(idNode) : std::string();
    if (id.empty())
        return fail(path + ": no plug-in <id>");

    info->id = Okto::String(id.c_str());
    info->descriptorPath = Okto::String(path.c_str());
    if (const xmlNode* library = firstChild(root, "library")) {
        std::string module = trimmedText(library);
        if (!module.empty()) {
            if (!isAbsolute(module))
                module = directoryOf(path) + "/" + module;
            info->modulePath = Okto::String(module.c_str());
        }
    }
    if (const xmlNode* interfaces = firstChild(root, "interfaces")) {
        for (const xmlNode* node = interfaces->children; node; node = node->next) {
            if (!isElement(node, "interface"))
                continue;
            const std::string name = trimmedText(node);
            if (!name.empty())
                info->interfaces.append(Okto::String(name.c_str()));
        }
    }
    return info;
}

} // namespace ZelkHost
