// Context queries over the descriptor list and the live plug-in list.

#include "framework/Plugin.h"
#include "framework/PluginContext.h"
#include "framework/PluginInfo.h"
#include "framework/PluginResult.h"
#include "StubContext.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class SimplePlugin : public Okto::Plugin {
public:
    explicit SimplePlugin(Okto::PluginContext* context) : Okto::Plugin(context) {}
    int queryInterface(const Okto::String&, void**) override { return Okto::PluginNotFound; }
};

std::unique_ptr<Okto::PluginInfo> infoWith(const char* id, std::initializer_list<const char*> interfaces)
{
    auto info = std::make_unique<Okto::PluginInfo>();
    info->id = Okto::String(id);
    for (const char* name : interfaces)
        info->interfaces.append(Okto::String(name));
    return info;
}

const char consumerId[] = "com.zelk.nimbo.pluginInterface.SettingsConsumer";

TEST(ContextQueries, NullOutputsAnswerMissingOutput)
{
    StubContext context;
    auto info = infoWith("a", {consumerId});
    context.infos.append(info.get());
    const Okto::PluginContext::PluginInterfaceFilter filter{Okto::String(consumerId)};
    EXPECT_EQ(context.getPluginInfos(nullptr, filter), Okto::PluginMissingOutput);
    EXPECT_EQ(context.getPlugins(nullptr, filter), Okto::PluginMissingOutput);
    EXPECT_EQ(context.infos.count, 1);
}

TEST(ContextQueries, DescriptorsByInterfaceInContextOrder)
{
    StubContext context;
    auto first = infoWith("first", {"x", consumerId});
    auto other = infoWith("other", {"com.zelk.nimbo.pluginInterface.settingsconsumer"});
    auto second = infoWith("second", {consumerId});
    context.infos.append(first.get());
    context.infos.append(nullptr); // a hole in the list is skipped
    context.infos.append(other.get());
    context.infos.append(second.get());

    Okto::List<Okto::PluginInfo*> found;
    found.append(other.get()); // replaced, not appended to
    EXPECT_EQ(context.getPluginInfos(&found, Okto::PluginContext::PluginInterfaceFilter(Okto::String(consumerId))),
              Okto::PluginSuccess);
    ASSERT_EQ(found.count, 2);
    EXPECT_EQ(found.at(0), first.get());
    EXPECT_EQ(found.at(1), second.get());

    EXPECT_EQ(context.getPluginInfos(&found, Okto::PluginContext::PluginInterfaceFilter(Okto::String("none"))),
              Okto::PluginNotFound);
    EXPECT_EQ(found.count, 0);
}

TEST(ContextQueries, LivePluginsAreRetainedForTheCaller)
{
    StubContext context;
    auto consumerInfo = infoWith("consumer", {consumerId});
    auto otherInfo = infoWith("other", {"y"});
    auto* consumer = new SimplePlugin(&context);
    auto* other = new SimplePlugin(&context);
    auto* unrecorded = new SimplePlugin(&context);
    consumer->setInfo(consumerInfo.get());
    other->setInfo(otherInfo.get());
    context.plugins.append(consumer);
    context.plugins.append(other);
    context.plugins.append(unrecorded);

    std::vector<Okto::Plugin*> found{other};
    const Okto::PluginContext::PluginInterfaceFilter filter{Okto::String(consumerId)};
    {
        // The same thread may already hold the context's lock.
        boost::recursive_mutex::scoped_lock held(context.lock);
        EXPECT_EQ(context.getPlugins(&found, filter), Okto::PluginSuccess);
    }
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], consumer);
    EXPECT_EQ(consumer->retainCount(), 2);
    EXPECT_EQ(other->retainCount(), 1);
    found[0]->release();
    EXPECT_EQ(consumer->retainCount(), 1);

    EXPECT_EQ(context.getPlugins(&found, Okto::PluginContext::PluginInterfaceFilter(Okto::String("z"))),
              Okto::PluginNotFound);
    EXPECT_TRUE(found.empty());

    context.plugins.clear();
    consumer->release();
    other->release();
    unrecorded->release();
}

} // namespace
