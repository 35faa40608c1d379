// Descriptor queries over arbitrary descriptor XML, parsed as the host parses
// descriptors (no network, no error output). Properties:
// - the two fixed queries never crash, whatever the document;
// - the short name is the text of the first properties/name/short element
//   (found by walking the tree, not by XPath) when that element holds only
//   text, and empty when there is none.

#include "framework/PluginInfo.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void ignoreMessage(void*, const char*, ...) {}

bool named(const xmlNode* node, const char* name)
{
    return node->type == XML_ELEMENT_NODE && !node->ns
        && std::string(reinterpret_cast<const char*>(node->name)) == name;
}

// The first properties/name/short element in document order, or null.
const xmlNode* firstShortElement(xmlDoc* doc)
{
    const xmlNode* root = xmlDocGetRootElement(doc);
    if (!root || !named(root, "properties"))
        return nullptr;
    for (const xmlNode* name = root->children; name; name = name->next) {
        if (!named(name, "name"))
            continue;
        for (const xmlNode* shortNode = name->children; shortNode; shortNode = shortNode->next) {
            if (named(shortNode, "short"))
                return shortNode;
        }
    }
    return nullptr;
}

// The text of an element whose children are only text, or false.
bool plainText(const xmlNode* element, std::string* text)
{
    text->clear();
    for (const xmlNode* child = element->children; child; child = child->next) {
        if (child->type != XML_TEXT_NODE && child->type != XML_CDATA_SECTION_NODE)
            return false;
        if (child->content)
            *text += reinterpret_cast<const char*>(child->content);
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    xmlSetGenericErrorFunc(nullptr, ignoreMessage);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 64 * 1024)
        return 0;
    Okto::PluginInfo info;
    info.descriptor = xmlReadMemory(reinterpret_cast<const char*>(data), int(size), "descriptor.xml", nullptr,
                                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!info.descriptor) {
        if (info.shortName().length() != 0)
            std::abort(); // no document, no text
        return 0;
    }

    const Okto::String shortName = info.shortName();
    const Okto::String port = info.query("/properties/plugin/StreamEngine//port[@media=\"video\"]");
    (void)port;

    const xmlNode* shortElement = firstShortElement(info.descriptor);
    std::string expected;
    if (!shortElement) {
        if (shortName.length() != 0)
            std::abort();
    } else if (plainText(shortElement, &expected)) {
        if (shortName.toStdString() != expected)
            std::abort();
    }
    return 0;
}
