// Reference-counting holders, owned buffers and scoped handles.

#include "settings/MemoryBuffer.h"
#include "settings/RefCounted.h"
#include "settings/ScopedHandles.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Counts like the store's objects: starts at 0, destroyed at 0 or below.
class Counted : public ovra::IRefCounted {
public:
    explicit Counted(int* destroyed) : destroyed_(destroyed) {}
    ~Counted() override { ++*destroyed_; }
    int retain() override { return ++count_; }
    int release() override
    {
        if (--count_ > 0)
            return count_;
        delete this;
        return 0;
    }
    int retainCount() override { return count_; }

private:
    int count_ = 0;
    int* destroyed_;
};

TEST(RefCountedPtr, LastHolderDestroysTheObject)
{
    int destroyed = 0;
    {
        ovra::RefCountedPtr<Counted> first(new Counted(&destroyed));
        EXPECT_EQ(first->retainCount(), 1);
        {
            ovra::RefCountedPtr<Counted> second(first);
            EXPECT_EQ(first->retainCount(), 2);
        }
        EXPECT_EQ(destroyed, 0);
        first = first.get(); // self-assignment keeps the object
        EXPECT_EQ(first->retainCount(), 1);
    }
    EXPECT_EQ(destroyed, 1);
    { ovra::RefCountedPtr<Counted> empty; }
    EXPECT_EQ(destroyed, 1);
}

TEST(RefCountedPtr, AssignReleasesThePreviousObjectAndOutHandsOverAReference)
{
    int destroyed = 0;
    ovra::RefCountedPtr<Counted> holder(new Counted(&destroyed));
    holder = new Counted(&destroyed);
    EXPECT_EQ(destroyed, 1);

    // An out-parameter's reference becomes the holder's without a retain.
    Counted* handedOut = new Counted(&destroyed);
    handedOut->retain();
    *holder.out() = handedOut;
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(handedOut->retainCount(), 1);
    holder.reset();
    EXPECT_EQ(destroyed, 3);
}

TEST(RefCountedPtrSTLSafe, ContainerCopiesKeepOneReferenceEach)
{
    int destroyed = 0;
    auto* object = new Counted(&destroyed);
    {
        std::map<int, ovra::RefCountedPtr_STLSafe<Counted>> cache;
        cache[1] = object;
        EXPECT_EQ(object->retainCount(), 1);
        cache[2] = cache[1];
        EXPECT_EQ(object->retainCount(), 2);
        cache.erase(1);
        EXPECT_EQ(object->retainCount(), 1);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(MemoryBuffer, SameCountKeepsContentsOtherCountDiscards)
{
    ovra::MemoryBuffer<unsigned short> wide;
    wide.resize(4, false);
    ASSERT_NE(wide.data(), nullptr);
    wide.data()[3] = 0xBEEF;
    unsigned short* before = wide.data();
    wide.resize(4, false);
    EXPECT_EQ(wide.data(), before);
    EXPECT_EQ(wide.data()[3], 0xBEEF);
    wide.resize(4, true);
    EXPECT_EQ(wide.data()[3], 0);

    // Growing allocates afresh; zero-filling then clears everything.
    wide.data()[0] = 7;
    wide.resize(8, true);
    EXPECT_EQ(wide.count(), 8u);
    for (unsigned i = 0; i < 8; ++i)
        EXPECT_EQ(wide.data()[i], 0);

    wide.resize(0, true);
    EXPECT_EQ(wide.data(), nullptr);
    EXPECT_EQ(wide.count(), 0u);
}

TEST(MemoryBuffer, ImpossibleSizesLeaveItEmpty)
{
    ovra::MemoryBuffer<char> bytes;
    bytes.resize(16);
    ASSERT_NE(bytes.data(), nullptr);
    bytes.resize(0x80000000u); // negative when taken as signed
    EXPECT_EQ(bytes.data(), nullptr);
    EXPECT_EQ(bytes.count(), 0u);
    bytes.resize(3);
    EXPECT_EQ(bytes.count(), 3u);
}

TEST(ScopedHandles, EmptyHoldersAreHarmless)
{
    { ScopedLMKey none; EXPECT_EQ(none.get(), nullptr); }
    { ScopedDLL none; EXPECT_EQ(none.get(), nullptr); }
    // A key opened into the holder is closed with it: the handle is invalid after.
    HKEY raw = nullptr;
    {
        ScopedLMKey key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, ZELK_WSTR("SOFTWARE\\Zelk\\ScopedKeyTest"), 0, nullptr, 0,
                                  KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, key.out(), nullptr),
                  ERROR_SUCCESS);
        raw = key.get();
        ASSERT_NE(raw, nullptr);
    }
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExW(raw, ZELK_WSTR("x"), nullptr, &type, nullptr, nullptr), ERROR_INVALID_HANDLE);
    SHDeleteKeyW(HKEY_CURRENT_USER, ZELK_WSTR("SOFTWARE\\Zelk\\ScopedKeyTest"));
}

} // namespace
