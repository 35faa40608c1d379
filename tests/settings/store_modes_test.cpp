// Access modes, lazy opening and the child cache.

#include "StoreTestSupport.h"

using namespace storetest;
using ilsk::AccessMode;

namespace {

TEST(StoreModes, OpenOnlyModesNeedAnExistingKey)
{
    const std::string root = uniqueRoot();
    for (AccessMode mode : {ilsk::UserReadWrite, ilsk::UserReadOnly, ilsk::UserOrMachineReadWrite,
                            ilsk::UserOrMachineReadOnly, ilsk::MachineReadWrite, ilsk::MachineReadOnly}) {
        ilsk::IZelkSettings* out = nullptr;
        EXPECT_FALSE(ilsk::openSettings(root, mode, &out)) << "mode " << mode;
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_FALSE(rawKeyExists(HKEY_CURRENT_USER, root));
    EXPECT_FALSE(rawKeyExists(HKEY_LOCAL_MACHINE, root));

    // Creating modes make the key; then the open-only user modes work.
    EXPECT_TRUE(openRoot(root, ilsk::UserCreate));
    EXPECT_TRUE(rawKeyExists(HKEY_CURRENT_USER, root));
    EXPECT_TRUE(openRoot(root, ilsk::UserReadWrite));
    EXPECT_TRUE(openRoot(root, ilsk::UserReadOnly));
    EXPECT_FALSE(openRoot(root, ilsk::MachineReadOnly));
}

TEST(StoreModes, UnknownModesAndBadPathsFail)
{
    const std::string root = uniqueRoot();
    EXPECT_FALSE(openRoot(root, static_cast<AccessMode>(0)));
    EXPECT_FALSE(openRoot(root, static_cast<AccessMode>(10)));
    EXPECT_FALSE(openRoot("", ilsk::UserCreate));
    EXPECT_FALSE(openRoot("bad\xC0\x80name", ilsk::UserCreate));
    EXPECT_FALSE(openRoot("/" + root, ilsk::UserCreate));
    EXPECT_FALSE(openRoot(root + "//inner", ilsk::UserCreate));
    EXPECT_FALSE(openRoot(root + "/", ilsk::UserCreate));
    // A null out is allowed.
    EXPECT_TRUE(ilsk::openSettings(root, ilsk::UserCreate, nullptr));
}

TEST(StoreModes, ReadOnlyModeReadsButDoesNotWrite)
{
    const std::string root = uniqueRoot();
    ASSERT_TRUE(openRoot(root, ilsk::UserCreate)->setValue(std::string("Volume"), std::int32_t(40)));
    Section readOnly = openRoot(root, ilsk::UserReadOnly);
    ASSERT_TRUE(readOnly);
    std::int32_t volume = 0;
    EXPECT_TRUE(readOnly->getValue(std::string("Volume"), volume));
    EXPECT_EQ(volume, 40);
    EXPECT_FALSE(readOnly->setValue(std::string("Volume"), std::int32_t(41)));
    EXPECT_FALSE(readOnly->deleteValue(std::string("Volume")));
    EXPECT_EQ(rawGet(HKEY_CURRENT_USER, root, "Volume").bytes, bytesOf({40, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(StoreModes, FactoryPathYieldsTheLeafAlone)
{
    const std::string root = uniqueRoot();
    Section leaf = openRoot(root + "/Settings\\abc", ilsk::UserCreate);
    ASSERT_TRUE(leaf);
    EXPECT_EQ(leaf->retainCount(), 1);
    std::string name;
    EXPECT_TRUE(leaf->getName(name));
    EXPECT_EQ(name, "abc");
    EXPECT_TRUE(rawKeyExists(HKEY_CURRENT_USER, root + "/Settings/abc"));
    ASSERT_TRUE(leaf->setValue(std::string("v"), true));
    EXPECT_EQ(rawGet(HKEY_CURRENT_USER, root + "/Settings/abc", "v").type, DWORD(REG_DWORD));
}

TEST(StoreModes, MachineModesUseTheMachineHive)
{
    if (machineHiveReadOnly())
        GTEST_SKIP() << "the machine hive is read-only for this process";
    const std::string root = uniqueRoot();
    Section machine = openRoot(root, ilsk::MachineCreate);
    ASSERT_TRUE(machine);
    ASSERT_TRUE(machine->setValue(std::string("Where"), std::string("machine")));
    EXPECT_EQ(rawGet(HKEY_LOCAL_MACHINE, root, "Where").status, ERROR_SUCCESS);
    EXPECT_FALSE(rawKeyExists(HKEY_CURRENT_USER, root));

    std::string where;
    EXPECT_TRUE(openRoot(root, ilsk::MachineReadOnly)->getValue(std::string("Where"), where));
    EXPECT_EQ(where, "machine");
    EXPECT_TRUE(openRoot(root, ilsk::MachineReadWrite)->setValue(std::string("Count"), std::int32_t(3)));

    // Modes 2 and 5 succeed on the machine key alone: reads find its values,
    // writes have no user key to go to.
    Section either = openRoot(root, ilsk::UserOrMachineReadOnly);
    ASSERT_TRUE(either);
    where.clear();
    EXPECT_TRUE(either->getValue(std::string("Where"), where));
    EXPECT_EQ(where, "machine");
    Section eitherWritable = openRoot(root, ilsk::UserOrMachineReadWrite);
    ASSERT_TRUE(eitherWritable);
    EXPECT_FALSE(eitherWritable->setValue(std::string("New"), true));
}

TEST(StoreModes, CreateWithMachineFallbackFindsMachineOnlyValues)
{
    if (machineHiveReadOnly())
        GTEST_SKIP() << "the machine hive is read-only for this process";
    const std::string root = uniqueRoot();
    const std::uint32_t ninety = 90;
    ASSERT_EQ(rawSet(HKEY_LOCAL_MACHINE, root, "Volume", REG_DWORD, &ninety, 4), ERROR_SUCCESS);

    Section section = openRoot(root, ilsk::UserCreateMachineFallback);
    ASSERT_TRUE(section);
    EXPECT_TRUE(rawKeyExists(HKEY_CURRENT_USER, root)); // the empty user key was created
    std::int32_t volume = 0;
    EXPECT_TRUE(section->getValue(std::string("Volume"), volume));
    EXPECT_EQ(volume, 90);

    // Writes go to the user key, which then wins over the machine value.
    ASSERT_TRUE(section->setValue(std::string("Volume"), std::int32_t(10)));
    EXPECT_TRUE(section->getValue(std::string("Volume"), volume));
    EXPECT_EQ(volume, 10);
    EXPECT_EQ(rawGet(HKEY_LOCAL_MACHINE, root, "Volume").bytes, bytesOf({90, 0, 0, 0}));
}

TEST(StoreModes, OpenSectionsAreNotReopened)
{
    if (machineHiveReadOnly())
        GTEST_SKIP() << "the machine hive is read-only for this process";
    // Once the user key is open, a machine key that appears later is not
    // looked for again: the section keeps the handles it opened.
    const std::string root = uniqueRoot();
    Section section = openRoot(root, ilsk::UserCreateMachineFallback);
    ASSERT_TRUE(section);
    std::int32_t volume = 7;
    EXPECT_FALSE(section->getValue(std::string("Volume"), volume));
    const std::uint32_t ninety = 90;
    ASSERT_EQ(rawSet(HKEY_LOCAL_MACHINE, root, "Volume", REG_DWORD, &ninety, 4), ERROR_SUCCESS);
    EXPECT_FALSE(section->getValue(std::string("Volume"), volume));
    EXPECT_EQ(volume, 7);
    // A new section object finds it.
    EXPECT_TRUE(openRoot(root, ilsk::UserCreateMachineFallback)->getValue(std::string("Volume"), volume));
    EXPECT_EQ(volume, 90);
}

// Run with the machine hive read-only (see CMakeLists.txt).
TEST(StoreModesMachineReadOnly, CreateWithMachineFallbackWorksOnTheUserKeyAlone)
{
    SKIP_UNDER_WINE("a Wine process may always write HKEY_LOCAL_MACHINE");
    if (!machineHiveReadOnly())
        GTEST_SKIP() << "needs the machine hive read-only (ZELK_REGISTRY_MACHINE_READONLY=1)";
    const std::string root = uniqueRoot();
    Section section = openRoot(root, ilsk::UserCreateMachineFallback);
    ASSERT_TRUE(section);
    EXPECT_TRUE(section->setValue(std::string("Volume"), std::int32_t(5)));
    std::int32_t volume = 0;
    EXPECT_TRUE(section->getValue(std::string("Volume"), volume));
    EXPECT_EQ(volume, 5);
    EXPECT_FALSE(openRoot(root, ilsk::MachineCreate));
    EXPECT_FALSE(section->getValue(std::string("Missing"), volume));
    EXPECT_EQ(volume, 5);
}

TEST(StoreCache, NestedPathIsCachedPerParentAndNotReopened)
{
    const std::string root = uniqueRoot();
    Section top = openRoot(root, ilsk::UserCreate);
    ASSERT_TRUE(top);
    Section c1;
    ASSERT_TRUE(top->openSection(std::string("a/b/c"), c1.out()));
    EXPECT_EQ(c1->retainCount(), 2); // b's cache and ours

    Section a, b, c2;
    ASSERT_TRUE(top->openSection(std::string("a"), a.out()));
    ASSERT_TRUE(a->openSection(std::string("b"), b.out()));
    ASSERT_TRUE(b->openSection(std::string("c"), c2.out()));
    EXPECT_EQ(c1.get(), c2.get());

    // With the keys gone behind the store's back, a cached path still opens
    // (nothing is reopened); an open-only mode could not reopen it.
    ASSERT_EQ(rawDeleteTree(HKEY_CURRENT_USER, root + "/a"), ERROR_SUCCESS);
    Section again;
    Section topReadWrite = openRoot(root, ilsk::UserReadWrite);
    EXPECT_TRUE(top->openSection(std::string("a\\b/c"), again.out()));
    EXPECT_EQ(again.get(), c1.get());
    EXPECT_FALSE(topReadWrite->openSection(std::string("a/b/c"), again.out()));
}

TEST(StoreCache, NamesDifferingInCaseAreDistinctObjectsForOneKey)
{
    const std::string root = uniqueRoot();
    Section top = openRoot(root, ilsk::UserCreate);
    Section upper, lower;
    ASSERT_TRUE(top->openSection(std::string("Subtitles"), upper.out()));
    ASSERT_TRUE(top->openSection(std::string("subtitles"), lower.out()));
    EXPECT_NE(upper.get(), lower.get());
    ASSERT_TRUE(upper->setValue(std::string("Delay"), std::int32_t(250)));
    std::int32_t delay = 0;
    EXPECT_TRUE(lower->getValue(std::string("Delay"), delay));
    EXPECT_EQ(delay, 250);
}

TEST(StoreCache, FailedChildStaysCachedAndRetriesItsKey)
{
    const std::string root = uniqueRoot();
    ASSERT_TRUE(openRoot(root, ilsk::UserCreate));
    Section top = openRoot(root, ilsk::UserReadWrite);
    Section child;
    EXPECT_FALSE(top->openSection(std::string("Later"), child.out()));
    // The cached child is handed out without opening; its operations retry.
    ASSERT_TRUE(top->openSection(std::string("Later"), child.out()));
    EXPECT_FALSE(child->setValue(std::string("x"), true));
    ASSERT_TRUE(openRoot(root + "/Later", ilsk::UserCreate));
    EXPECT_TRUE(child->setValue(std::string("x"), true));
}

} // namespace
