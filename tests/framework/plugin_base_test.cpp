#include "framework/Plugin.h"
#include "framework/PluginContext.h"
#include "framework/PluginResult.h"
#include "StubContext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records the destruction notices and whether the object was still alive
// when each arrived.
class RecordingContext : public StubContext {
public:
    void willDestroyPlugin(Okto::Plugin* plugin) override;
    void didDestroyPlugin(Okto::Plugin* plugin) override;

    std::vector<std::string> events;
    int alive = 0;
};

class CountedPlugin : public Okto::Plugin {
public:
    CountedPlugin(RecordingContext* context)
        : Okto::Plugin(context), owner(context) { ++owner->alive; }
    ~CountedPlugin() override { --owner->alive; owner->events.push_back("deleted"); }
    int queryInterface(const Okto::String&, void** out) override
    {
        if (out)
            *out = nullptr;
        return Okto::PluginNotFound;
    }
    RecordingContext* owner;
};

void RecordingContext::willDestroyPlugin(Okto::Plugin*)
{
    events.push_back(alive ? "will(alive)" : "will(gone)");
}

void RecordingContext::didDestroyPlugin(Okto::Plugin*)
{
    events.push_back(alive ? "did(alive)" : "did(gone)");
}

TEST(PluginBase, NewObjectHasCountOneContextAndNoInfo)
{
    RecordingContext context;
    auto* plugin = new CountedPlugin(&context);
    EXPECT_EQ(plugin->retainCount(), 1);
    EXPECT_EQ(plugin->context(), &context);
    EXPECT_EQ(plugin->info(), nullptr);
    EXPECT_EQ(plugin->release(), 0);
}

TEST(PluginBase, CountingAndContextToldAroundDeletion)
{
    RecordingContext context;
    auto* plugin = new CountedPlugin(&context);
    EXPECT_EQ(plugin->retain(), 2);
    EXPECT_EQ(plugin->retain(), 3);
    EXPECT_EQ(plugin->release(), 2);
    EXPECT_EQ(plugin->release(), 1);
    EXPECT_EQ(context.alive, 1);
    EXPECT_TRUE(context.events.empty());

    EXPECT_EQ(plugin->release(), 0);
    const std::vector<std::string> expected{"will(alive)", "deleted", "did(gone)"};
    EXPECT_EQ(context.events, expected);
}

TEST(PluginBase, ObjectWithoutContextIsStillDeleted)
{
    struct Orphan : Okto::Plugin {
        explicit Orphan(int* alive) : Okto::Plugin(nullptr), alive(alive) { ++*alive; }
        ~Orphan() override { --*alive; }
        int queryInterface(const Okto::String&, void**) override { return Okto::PluginNotFound; }
        int* alive;
    };
    int alive = 0;
    auto* orphan = new Orphan(&alive);
    EXPECT_EQ(orphan->release(), 0);
    EXPECT_EQ(alive, 0);
}

} // namespace
