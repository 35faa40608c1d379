// The host side of the framework: descriptors in, records out, and clear
// failures for everything a plug-ins folder can get wrong.

#include "framework/Plugin.h"
#include "framework/PluginInfo.h"
#include "framework/PluginResult.h"
#include "host/HostPluginContext.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using ZelkHost::HostPluginContext;

namespace {

class HostContextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/zelk-host-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }

    void write(const std::string& name, const std::string& text)
    {
        std::ofstream(folder / name) << text;
    }
    Okto::String folderName() const { return Okto::String(folder.string().c_str()); }

    fs::path folder;
    HostPluginContext context;
};

TEST_F(HostContextTest, ReadsEveryDescriptorWithIdInterfacesAndModule)
{
    write("b.xml", "<properties><id>com.example.b</id><name><short>Bee</short></name>"
                   "<library>b.so</library><interfaces><interface> com.example.one </interface>"
                   "<interface>com.example.two</interface></interfaces></properties>");
    write("a.xml", "<properties><id>com.example.a</id></properties>");
    write("notes.txt", "not a descriptor");

    ASSERT_EQ(context.addPluginDirectory(folderName()), Okto::PluginSuccess);
    ASSERT_EQ(context.infos.count, 2);
    // Read in file-name order.
    EXPECT_EQ(context.infos.at(0)->id.toStdString(), "com.example.a");

    Okto::PluginInfo* b = nullptr;
    ASSERT_EQ(context.findPluginInfo(Okto::String("com.example.b"), &b), Okto::PluginSuccess);
    EXPECT_EQ(b->shortName().toStdString(), "Bee");
    EXPECT_EQ(b->modulePath.toStdString(), (folder / "b.so").string());
    ASSERT_EQ(b->interfaces.count, 2);
    EXPECT_EQ(b->interfaces.at(0).toStdString(), "com.example.one");
    EXPECT_EQ(b->interfaces.indexOf(Okto::String("com.example.two")), 1);

    EXPECT_EQ(context.findPluginInfo(Okto::String("com.example.c"), &b), Okto::PluginNotFound);
    EXPECT_EQ(b, nullptr);
    EXPECT_EQ(context.findPluginInfo(Okto::String("com.example.a"), nullptr), Okto::PluginMissingOutput);
}

TEST_F(HostContextTest, BadDescriptorsAreSkippedWithAReason)
{
    write("broken.xml", "<properties><id>x</id>");
    write("noid.xml", "<properties><name><short>Nameless</short></name></properties>");
    write("wrongroot.xml", "<plugin><id>com.example.w</id></plugin>");
    write("good.xml", "<properties><id>com.example.good</id></properties>");
    write("duplicate.xml", "<properties><id>com.example.good</id></properties>");

    EXPECT_EQ(context.addPluginDirectory(folderName()), Okto::PluginSuccess);
    EXPECT_EQ(context.infos.count, 1);
    const std::string reasons = context.lastError().toStdString();
    EXPECT_NE(reasons.find("broken.xml"), std::string::npos);
    EXPECT_NE(reasons.find("noid.xml"), std::string::npos);
    EXPECT_NE(reasons.find("wrongroot.xml"), std::string::npos);
    EXPECT_NE(reasons.find("already known"), std::string::npos);
}

TEST_F(HostContextTest, MissingFolderAndEmptyFolderFail)
{
    EXPECT_EQ(context.addPluginDirectory(Okto::String((folder / "absent").string().c_str())), Okto::PluginNotFound);
    EXPECT_FALSE(context.lastError().toStdString().empty());
    EXPECT_EQ(context.addPluginDirectory(folderName()), Okto::PluginNotFound);
    EXPECT_EQ(context.infos.count, 0);
}

TEST_F(HostContextTest, PluginsThatCannotBeCreatedReportWhy)
{
    write("nomodule.xml", "<properties><id>com.example.nomodule</id></properties>");
    write("missing.xml", "<properties><id>com.example.missing</id><library>absent.so</library></properties>");
    // A real shared object without the entry point.
    write("notaplugin.xml", "<properties><id>com.example.notaplugin</id><library>/lib/x86_64-linux-gnu/libm.so.6</library></properties>");
    ASSERT_EQ(context.addPluginDirectory(folderName()), Okto::PluginSuccess);

    Okto::Plugin* plugin = reinterpret_cast<Okto::Plugin*>(0x1);
    EXPECT_EQ(context.createPlugin(Okto::String("com.example.nomodule"), &plugin), Okto::PluginNotFound);
    EXPECT_EQ(plugin, nullptr);
    EXPECT_NE(context.lastError().toStdString().find("no module"), std::string::npos);

    EXPECT_EQ(context.createPlugin(Okto::String("com.example.missing"), &plugin), Okto::PluginNotFound);
    EXPECT_NE(context.lastError().toStdString().find("absent.so"), std::string::npos);

    if (fs::exists("/lib/x86_64-linux-gnu/libm.so.6")) {
        EXPECT_EQ(context.createPlugin(Okto::String("com.example.notaplugin"), &plugin), Okto::PluginNotFound);
        EXPECT_NE(context.lastError().toStdString().find("_getPlugin"), std::string::npos);
    }
    EXPECT_EQ(context.createPlugin(Okto::String("com.example.unknown"), &plugin), Okto::PluginNotFound);
    EXPECT_EQ(context.createPlugin(Okto::String("com.example.missing"), nullptr), Okto::PluginMissingOutput);
    EXPECT_EQ(context.livePluginCount(), 0);
}

} // namespace
