#include "framework/PluginInfo.h"

#include <libxml/tree.h>
#include <libxml/xpath.h>

namespace Okto {

PluginInfo::~PluginInfo()
{
    if (descriptor)
        xmlFreeDoc(descriptor);
}

String PluginInfo::query(const char* xpath) const
{
    if (!descriptor || !xpath)
        return String("");
    xmlXPathContextPtr context = xmlXPathNewContext(descriptor);
    if (!context)
        return String();
    xmlXPathObjectPtr result = xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(xpath), context);
    xmlXPathFreeContext(context);

    if (result && result->type == XPATH_NODESET && result->nodesetval && result->nodesetval->nodeNr > 0) {
        xmlNodePtr node = result->nodesetval->nodeTab[0];
        xmlChar* text = xmlNodeListGetString(descriptor, node->children, 1);
        xmlXPathFreeObject(result);
        String copy(reinterpret_cast<const char*>(text), &StandardAllocator<char>::instance());
        if (text)
            xmlFree(text);
        return copy;
    }
    if (result)
        xmlXPathFreeObject(result);
    return String("");
}

String PluginInfo::shortName() const
{
    return query("/properties/name/short");
}

} // namespace Okto
