#include "framework/PluginInfo.h"

#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <map>
#include <mutex>
#include <string>

namespace Okto {

namespace {

// Plug-ins ask the same few questions of every descriptor, again for every
// window they open: each expression is compiled once, and one evaluation
// context serves all descriptors (it only records which document is asked).
class XPathEvaluator {
public:
    XPathEvaluator() = default;
    XPathEvaluator(const XPathEvaluator&) = delete;
    XPathEvaluator& operator=(const XPathEvaluator&) = delete;
    ~XPathEvaluator()
    {
        for (auto& entry : compiled_) {
            if (entry.second)
                xmlXPathFreeCompExpr(entry.second);
        }
        if (context_)
            xmlXPathFreeContext(context_);
    }

    // The result object (the caller frees it), or null when the expression
    // does not compile or cannot be evaluated.
    xmlXPathObjectPtr evaluate(xmlDocPtr document, const char* xpath)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = compiled_.find(xpath);
        if (found == compiled_.end())
            found = compiled_.emplace(xpath, xmlXPathCompile(reinterpret_cast<const xmlChar*>(xpath))).first;
        if (!found->second)
            return nullptr;
        if (!context_)
            context_ = xmlXPathNewContext(document);
        if (!context_)
            return nullptr;
        context_->doc = document;
        context_->node = nullptr;
        xmlXPathObjectPtr result = xmlXPathCompiledEval(found->second, context_);
        context_->doc = nullptr;
        return result;
    }

private:
    std::mutex mutex_;
    std::map<std::string, xmlXPathCompExprPtr> compiled_;
    xmlXPathContextPtr context_ = nullptr;
};

XPathEvaluator& descriptorQueries()
{
    static XPathEvaluator evaluator;
    return evaluator;
}

} // namespace

PluginInfo::~PluginInfo()
{
    if (descriptor)
        xmlFreeDoc(descriptor);
}

String PluginInfo::query(const char* xpath) const
{
    if (!descriptor || !xpath)
        return String("");
    xmlXPathObjectPtr result = descriptorQueries().evaluate(descriptor, xpath);

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
