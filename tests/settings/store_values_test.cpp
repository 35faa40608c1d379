// What every setter stores, byte for byte, and what the getters accept.

#include "StoreTestSupport.h"

#include <cstring>

using namespace storetest;

namespace {

class StoreValues : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = uniqueRoot();
        section = openRoot(root, ilsk::UserCreate);
        ASSERT_TRUE(section);
    }
    RawValue raw(const std::string& name) { return rawGet(HKEY_CURRENT_USER, root, name); }
    // Writes exactly `bytes`. The caller's buffer continues with non-NUL
    // bytes, since the registry may look one character past a REG_SZ's end.
    void put(const std::string& name, DWORD type, const std::vector<unsigned char>& bytes)
    {
        std::vector<unsigned char> padded(bytes);
        padded.insert(padded.end(), {0xAA, 0xAA});
        ASSERT_EQ(rawSet(HKEY_CURRENT_USER, root, name, type, bytes.empty() ? nullptr : padded.data(),
                         static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }

    std::string root;
    Section section;
};

TEST_F(StoreValues, IntegersAreStoredAsEightBytes)
{
    ASSERT_TRUE(section->setValue(std::string("minusOne"), std::int32_t(-1)));
    ASSERT_TRUE(section->setValue(std::string("maxUnsigned"), std::uint32_t(4294967295u)));
    ASSERT_TRUE(section->setValue(std::string("big"), std::int64_t(0x0102030405060708LL)));
    ASSERT_TRUE(section->setValue(std::string("unsigned64"), std::uint64_t(0xF0E0D0C0B0A09080ULL)));
    ASSERT_TRUE(section->setValue(std::string("stamp"), ilsk::FileTime{0x11223344u, 0x55667788u}));

    EXPECT_EQ(raw("minusOne").type, DWORD(REG_QWORD));
    EXPECT_EQ(raw("minusOne").bytes, bytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(raw("maxUnsigned").bytes, bytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));
    EXPECT_EQ(raw("big").bytes, bytesOf({8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(raw("unsigned64").bytes, bytesOf({0x80, 0x90, 0xA0, 0xB0, 0xC0, 0xD0, 0xE0, 0xF0}));
    EXPECT_EQ(raw("stamp").bytes, bytesOf({0x44, 0x33, 0x22, 0x11, 0x88, 0x77, 0x66, 0x55}));

    // Both read back through the 32-bit getters as the same bit pattern.
    std::int32_t asSigned = 0;
    std::uint32_t asUnsigned = 0;
    EXPECT_TRUE(section->getValue(std::string("minusOne"), asUnsigned));
    EXPECT_EQ(asUnsigned, 4294967295u);
    EXPECT_TRUE(section->getValue(std::string("maxUnsigned"), asSigned));
    EXPECT_EQ(asSigned, -1);
    std::int64_t wide = 0;
    EXPECT_TRUE(section->getValue(std::string("maxUnsigned"), wide));
    EXPECT_EQ(wide, 4294967295LL);
    ilsk::FileTime stamp{};
    EXPECT_TRUE(section->getValue(std::string("stamp"), stamp));
    EXPECT_EQ(stamp.low, 0x11223344u);
    EXPECT_EQ(stamp.high, 0x55667788u);
}

TEST_F(StoreValues, DwordIntegersWrittenElsewhereAreAccepted)
{
    put("dword", REG_DWORD, bytesOf({0xFE, 0xFF, 0xFF, 0xFF}));
    std::int32_t small = 0;
    EXPECT_TRUE(section->getValue(std::string("dword"), small));
    EXPECT_EQ(small, -2);
    std::int64_t wide = 0;
    EXPECT_TRUE(section->getValue(std::string("dword"), wide));
    EXPECT_EQ(wide & 0xFFFFFFFF, 0xFFFFFFFELL);

    // Other types and sizes are refused and leave the output alone.
    put("text", REG_SZ, bytesOf({'7', 0, 0, 0}));
    put("short", REG_BINARY, bytesOf({1, 2}));
    put("threeBytes", REG_DWORD, bytesOf({1, 2, 3}));
    small = 99;
    EXPECT_FALSE(section->getValue(std::string("text"), small));
    EXPECT_FALSE(section->getValue(std::string("short"), small));
    EXPECT_FALSE(section->getValue(std::string("threeBytes"), small));
    EXPECT_FALSE(section->getValue(std::string("absent"), small));
    EXPECT_EQ(small, 99);
}

TEST_F(StoreValues, FloatDoubleAndBoolLayouts)
{
    ASSERT_TRUE(section->setValue(std::string("gain"), 1.5f));
    ASSERT_TRUE(section->setValue(std::string("rate"), 23.976));
    ASSERT_TRUE(section->setValue(std::string("on"), true));
    ASSERT_TRUE(section->setValue(std::string("off"), false));

    EXPECT_EQ(raw("gain").type, DWORD(REG_DWORD));
    EXPECT_EQ(raw("gain").bytes, bytesOf({0x00, 0x00, 0xC0, 0x3F}));
    EXPECT_EQ(raw("rate").type, DWORD(REG_QWORD));
    double stored;
    ASSERT_EQ(raw("rate").bytes.size(), 8u);
    std::memcpy(&stored, raw("rate").bytes.data(), 8);
    EXPECT_EQ(stored, 23.976);
    EXPECT_EQ(raw("on").type, DWORD(REG_DWORD));
    EXPECT_EQ(raw("on").bytes, bytesOf({1, 0, 0, 0}));
    EXPECT_EQ(raw("off").bytes, bytesOf({0, 0, 0, 0}));

    float gain = 0;
    double rate = 0;
    bool flag = false;
    EXPECT_TRUE(section->getValue(std::string("gain"), gain));
    EXPECT_EQ(gain, 1.5f);
    EXPECT_TRUE(section->getValue(std::string("rate"), rate));
    EXPECT_EQ(rate, 23.976);
    EXPECT_TRUE(section->getValue(std::string("on"), flag));
    EXPECT_TRUE(flag);

    // A bool needs exactly a 4-byte REG_DWORD; any non-zero value is true.
    put("seven", REG_DWORD, bytesOf({7, 0, 0, 0}));
    EXPECT_TRUE(section->getValue(std::string("seven"), flag));
    EXPECT_TRUE(flag);
    flag = false;
    EXPECT_FALSE(section->getValue(std::string("rate"), flag));
    EXPECT_FALSE(flag);
    EXPECT_FALSE(section->getValue(std::string("gain"), rate)); // DWORD is not a double
}

TEST_F(StoreValues, StringsAreRegSzWithTheirTerminator)
{
    ASSERT_TRUE(section->setValue(std::string("font"), std::string("Arial:14:Normal:::")));
    ASSERT_TRUE(section->setValue(std::string("umlaut"), std::string("\xC3\xB6")));
    ASSERT_TRUE(section->setValue(std::string("empty"), std::string()));

    const RawValue font = raw("font");
    EXPECT_EQ(font.type, DWORD(REG_SZ));
    EXPECT_EQ(font.bytes.size(), (18u + 1) * 2);
    EXPECT_EQ(font.bytes[0], 'A');
    EXPECT_EQ(font.bytes[font.bytes.size() - 2], 0);
    EXPECT_EQ(raw("umlaut").bytes, bytesOf({0xF6, 0x00, 0, 0}));
    EXPECT_EQ(raw("empty").bytes, bytesOf({0, 0}));

    std::string text;
    EXPECT_TRUE(section->getValue(std::string("font"), text));
    EXPECT_EQ(text, "Arial:14:Normal:::");
    EXPECT_TRUE(section->getValue(std::string("umlaut"), text));
    EXPECT_EQ(text, "\xC3\xB6");
    EXPECT_TRUE(section->getValue(std::string("empty"), text));
    EXPECT_EQ(text, "");
    ilsk::Utf16String wideText;
    EXPECT_TRUE(section->getValue(wide("font"), wideText));
    EXPECT_EQ(wideText, wide("Arial:14:Normal:::"));
}

TEST_F(StoreValues, StringsWrittenElsewhere)
{
    // Without a terminating NUL, with an odd size, of size 0, and of other string types.
    put("noNul", REG_SZ, bytesOf({'a', 0, 'b', 0, 'c', 0}));
    put("odd", REG_SZ, bytesOf({'x', 0, 'y'}));
    put("zero", REG_SZ, {});
    put("expand", REG_EXPAND_SZ, bytesOf({'%', 0, 0, 0}));
    put("multi", REG_MULTI_SZ, bytesOf({'m', 0, 0, 0, 0, 0}));
    put("embedded", REG_SZ, bytesOf({'a', 0, 0, 0, 'b', 0, 0, 0}));

    std::string text = "unchanged";
    EXPECT_TRUE(section->getValue(std::string("noNul"), text));
    EXPECT_EQ(text, "abc");
    EXPECT_TRUE(section->getValue(std::string("odd"), text));
    EXPECT_EQ(text.substr(0, 1), "x");
    EXPECT_TRUE(section->getValue(std::string("embedded"), text));
    EXPECT_EQ(text, "a");
    text = "unchanged";
    EXPECT_FALSE(section->getValue(std::string("zero"), text));
    EXPECT_FALSE(section->getValue(std::string("expand"), text));
    EXPECT_FALSE(section->getValue(std::string("multi"), text));
    EXPECT_EQ(text, "unchanged");
}

TEST_F(StoreValues, IllFormedUtf8IsRefusedAndNothingIsWritten)
{
    EXPECT_FALSE(section->setValue(std::string("name"), std::string("bad\xED\xA0\x80")));
    EXPECT_EQ(raw("name").status, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(section->setValue(std::string("bad\xC0\xAF"), true));
    EXPECT_FALSE(section->setValue(std::string(), true));
    std::uint32_t count = 1;
    EXPECT_TRUE(section->getValueCount(count));
    EXPECT_EQ(count, 0u);
}

TEST_F(StoreValues, BinaryValues)
{
    const unsigned char data[] = {0, 1, 2, 0xFF, 4};
    ASSERT_TRUE(section->setValue(std::string("blob"), data, 5));
    EXPECT_EQ(raw("blob").type, DWORD(REG_BINARY));
    EXPECT_EQ(raw("blob").bytes, bytesOf({0, 1, 2, 0xFF, 4}));
    ovra::MemoryBuffer<char> read;
    ASSERT_TRUE(section->getValue(std::string("blob"), read));
    ASSERT_EQ(read.count(), 5u);
    EXPECT_EQ(static_cast<unsigned char>(read.data()[3]), 0xFF);

    // Empty data is stored but reads as missing; null data with a size fails untouched.
    ASSERT_TRUE(section->setValue(std::string("none"), nullptr, 0));
    EXPECT_EQ(raw("none").status, ERROR_SUCCESS);
    EXPECT_EQ(raw("none").type, DWORD(REG_BINARY));
    EXPECT_TRUE(raw("none").bytes.empty());
    EXPECT_FALSE(section->getValue(std::string("none"), read));
    EXPECT_FALSE(section->setValue(std::string("missing"), nullptr, 5));
    EXPECT_EQ(raw("missing").status, ERROR_FILE_NOT_FOUND);
}

TEST_F(StoreValues, DeleteValue)
{
    ASSERT_TRUE(section->setValue(std::string("gone"), true));
    EXPECT_TRUE(section->deleteValue(std::string("gone")));
    EXPECT_EQ(raw("gone").status, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(section->deleteValue(std::string("gone")));
    EXPECT_FALSE(section->deleteValue(std::string("")));
}

} // namespace
