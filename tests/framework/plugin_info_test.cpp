#include "framework/PluginInfo.h"

#include <libxml/parser.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// A record over a descriptor given as text.
void parseInto(Okto::PluginInfo& info, const std::string& xml)
{
    info.descriptor = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "descriptor.xml", nullptr, XML_PARSE_NONET);
    ASSERT_NE(info.descriptor, nullptr);
}

std::string shortNameOf(const std::string& xml)
{
    Okto::PluginInfo info;
    parseInto(info, xml);
    return info.shortName().toStdString();
}

TEST(PluginInfoQuery, ShortNameWithNoneOneAndTwoShortElements)
{
    EXPECT_EQ(shortNameOf("<properties><name><long>Long</long></name></properties>"), "");
    EXPECT_EQ(shortNameOf("<properties><name><short>Direct3D</short></name></properties>"), "Direct3D");
    EXPECT_EQ(shortNameOf("<properties><name><short>First</short><short>Second</short></name></properties>"), "First");
    // Only properties/name/short counts, not a short element elsewhere.
    EXPECT_EQ(shortNameOf("<properties><short>Stray</short></properties>"), "");
}

TEST(PluginInfoQuery, TextIsEntitySubstitutedUtf8)
{
    EXPECT_EQ(shortNameOf("<properties><name><short>A &amp; B \xC3\xA9</short></name></properties>"), "A & B \xC3\xA9");
}

TEST(PluginInfoQuery, ElementWithOnlyChildElementsOrNoTextGivesEmpty)
{
    Okto::PluginInfo info;
    parseInto(info, "<properties><name><short/></name><plugin><StreamEngine><port media=\"video\"><x/></port></StreamEngine></plugin></properties>");
    EXPECT_EQ(info.query("/properties/plugin").toStdString(), "");
    EXPECT_EQ(info.query("/properties/name/short").toStdString(), "");
}

TEST(PluginInfoQuery, VideoPortPathAndNonNodeSetResults)
{
    Okto::PluginInfo info;
    parseInto(info,
              "<properties><plugin><StreamEngine><outputs>"
              "<port media=\"audio\">a</port><port media=\"video\">in</port><port media=\"video\">second</port>"
              "</outputs></StreamEngine></plugin></properties>");
    EXPECT_EQ(info.query("/properties/plugin/StreamEngine//port[@media=\"video\"]").toStdString(), "in");
    // A number, a malformed expression and an empty selection all report nothing.
    EXPECT_EQ(info.query("count(//port)").toStdString(), "");
    EXPECT_EQ(info.query("/properties/[").toStdString(), "");
    EXPECT_EQ(info.query("/nothing").toStdString(), "");
}

TEST(PluginInfoQuery, MissingDescriptorGivesEmpty)
{
    Okto::PluginInfo info;
    EXPECT_EQ(info.shortName().toStdString(), "");
}

} // namespace
