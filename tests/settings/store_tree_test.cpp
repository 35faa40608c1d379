// Listing names across both hives, and deleting whole sections.

#include "StoreTestSupport.h"

using namespace storetest;

namespace {

std::set<std::string> utf8Set(std::initializer_list<const char*> names)
{
    return std::set<std::string>(names.begin(), names.end());
}

TEST(StoreEnumeration, SectionAndValueNamesOfTheUserKey)
{
    const std::string root = uniqueRoot();
    Section section = openRoot(root, ilsk::UserCreate);
    Section child;
    ASSERT_TRUE(section->openSection(std::string("Playback"), child.out()));
    ASSERT_TRUE(section->openSection(std::string("Advanced"), child.out()));
    ASSERT_TRUE(section->setValue(std::string("b"), true));
    ASSERT_TRUE(section->setValue(std::string("a"), true));
    // The key's default value (empty name) is not listed, and does not stop the listing.
    const std::uint32_t one = 1;
    ASSERT_EQ(rawSet(HKEY_CURRENT_USER, root, "", REG_DWORD, &one, 4), ERROR_SUCCESS);
    ASSERT_TRUE(section->setValue(std::string("c"), true));

    std::set<std::string> names{"kept"};
    EXPECT_TRUE(section->getSectionNames(names));
    EXPECT_EQ(names, utf8Set({"Advanced", "Playback", "kept"}));
    std::set<ilsk::Utf16String> wideNames{wide("dropped")};
    EXPECT_TRUE(section->getSectionNames(wideNames));
    EXPECT_EQ(wideNames, (std::set<ilsk::Utf16String>{wide("Advanced"), wide("Playback")}));

    names.clear();
    EXPECT_TRUE(section->getValueNames(names));
    EXPECT_EQ(names, utf8Set({"a", "b", "c"}));
    std::uint32_t count = 0;
    EXPECT_TRUE(section->getSectionCount(count));
    EXPECT_EQ(count, 2u);
    EXPECT_TRUE(section->getValueCount(count));
    EXPECT_EQ(count, 3u);
}

TEST(StoreEnumeration, LongValueNamesDoNotCutTheListingShort)
{
    const std::string root = uniqueRoot();
    Section section = openRoot(root, ilsk::UserCreate);
    const std::string longName(1100, 'n');
    ASSERT_TRUE(section->setValue(std::string("first"), true));
    ASSERT_TRUE(section->setValue(longName, true));
    ASSERT_TRUE(section->setValue(std::string("last"), true));
    std::set<std::string> names;
    EXPECT_TRUE(section->getValueNames(names));
    EXPECT_EQ(names.size(), 3u);
    EXPECT_TRUE(names.count(longName));
    EXPECT_TRUE(names.count("last"));
}

TEST(StoreEnumeration, BothHivesInTheFallbackModes)
{
    if (machineHiveReadOnly())
        GTEST_SKIP() << "the machine hive is read-only for this process";
    const std::string root = uniqueRoot();
    const std::uint32_t one = 1;
    ASSERT_EQ(rawSet(HKEY_LOCAL_MACHINE, root + "/MachineOnly", "x", REG_DWORD, &one, 4), ERROR_SUCCESS);
    ASSERT_EQ(rawSet(HKEY_LOCAL_MACHINE, root + "/Shared", "x", REG_DWORD, &one, 4), ERROR_SUCCESS);
    ASSERT_EQ(rawSet(HKEY_LOCAL_MACHINE, root, "machineValue", REG_DWORD, &one, 4), ERROR_SUCCESS);
    ASSERT_EQ(rawSet(HKEY_LOCAL_MACHINE, root, "shared", REG_DWORD, &one, 4), ERROR_SUCCESS);
    ASSERT_EQ(rawSet(HKEY_CURRENT_USER, root + "/Shared", "x", REG_DWORD, &one, 4), ERROR_SUCCESS);
    ASSERT_EQ(rawSet(HKEY_CURRENT_USER, root, "shared", REG_DWORD, &one, 4), ERROR_SUCCESS);
    ASSERT_EQ(rawSet(HKEY_CURRENT_USER, root, "userValue", REG_DWORD, &one, 4), ERROR_SUCCESS);

    for (ilsk::AccessMode mode : {ilsk::UserCreateMachineFallback, ilsk::UserOrMachineReadOnly}) {
        Section section = openRoot(root, mode);
        ASSERT_TRUE(section);
        std::set<std::string> names;
        EXPECT_TRUE(section->getSectionNames(names));
        EXPECT_EQ(names, utf8Set({"MachineOnly", "Shared"})) << "mode " << mode;
        names.clear();
        EXPECT_TRUE(section->getValueNames(names));
        EXPECT_EQ(names, utf8Set({"machineValue", "shared", "userValue"})) << "mode " << mode;
    }
    // Without a fallback only the user key counts.
    std::set<std::string> names;
    EXPECT_TRUE(openRoot(root, ilsk::UserReadOnly)->getValueNames(names));
    EXPECT_EQ(names, utf8Set({"shared", "userValue"}));
}

TEST(StoreDeleteTree, NeverOpenedSectionDeletesNothing)
{
    const std::string root = uniqueRoot();
    ASSERT_TRUE(openRoot(root + "/Child", ilsk::UserCreate));
    // A child whose key failed to open stays cached, never having had a hive.
    Section top = openRoot(root, ilsk::UserReadWrite);
    Section orphan;
    EXPECT_FALSE(top->openSection(std::string("NotThere"), orphan.out()));
    ASSERT_TRUE(top->openSection(std::string("NotThere"), orphan.out()));
    EXPECT_FALSE(orphan->deleteTree());
    EXPECT_TRUE(rawKeyExists(HKEY_CURRENT_USER, root + "/Child"));
    EXPECT_TRUE(rawKeyExists(HKEY_CURRENT_USER, root));
}

TEST(StoreDeleteTree, UserTreeIsDeletedAndTheSectionStaysUsable)
{
    const std::string root = uniqueRoot();
    Section section = openRoot(root, ilsk::UserCreate);
    Section child;
    ASSERT_TRUE(section->openSection(std::string("A/B"), child.out()));
    ASSERT_TRUE(child->setValue(std::string("deep"), true));
    EXPECT_EQ(child->retainCount(), 2);

    EXPECT_TRUE(section->deleteTree());
    EXPECT_FALSE(rawKeyExists(HKEY_CURRENT_USER, root));
    EXPECT_EQ(child->retainCount(), 1); // the cache let go of it

    // The next operation creates the key again.
    EXPECT_TRUE(section->setValue(std::string("back"), true));
    EXPECT_TRUE(rawKeyExists(HKEY_CURRENT_USER, root));
    EXPECT_FALSE(rawKeyExists(HKEY_CURRENT_USER, root + "/A"));
}

TEST(StoreDeleteTree, MachineTreeIsDeletedBottomUp)
{
    if (machineHiveReadOnly())
        GTEST_SKIP() << "the machine hive is read-only for this process";
    const std::string root = uniqueRoot();
    Section section = openRoot(root, ilsk::MachineCreate);
    ASSERT_TRUE(section);
    for (const char* path : {"One/Two/Three", "One/Sibling", "Other"}) {
        Section child;
        ASSERT_TRUE(section->openSection(std::string(path), child.out()));
        ASSERT_TRUE(child->setValue(std::string("v"), true));
    }
    ASSERT_TRUE(openRoot(root, ilsk::UserCreate)); // a user key of the same path stays
    EXPECT_TRUE(section->deleteTree());
    EXPECT_FALSE(rawKeyExists(HKEY_LOCAL_MACHINE, root));
    EXPECT_TRUE(rawKeyExists(HKEY_CURRENT_USER, root));
}

} // namespace
