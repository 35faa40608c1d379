#include "framework/OktoList.h"
#include "framework/OktoString.h"
#include "framework/OktoStringList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// An allocator that counts what passes through it, to show that storage goes
// back to the object that produced it.
class CountingAllocator : public Okto::StandardAllocator<char> {
public:
    void* allocate(unsigned n) override
    {
        ++allocations;
        return Okto::StandardAllocator<char>::allocate(n);
    }
    void deallocate(void* p) override
    {
        ++deallocations;
        Okto::StandardAllocator<char>::deallocate(p);
    }
    int allocations = 0;
    int deallocations = 0;
};

TEST(OktoString, NullAndEmptySourcesAreEqualButOnlyEmptyHasStorage)
{
    Okto::String fromNull(nullptr);
    Okto::String fromEmpty("");
    EXPECT_EQ(fromNull.data(), nullptr);
    ASSERT_NE(fromEmpty.data(), nullptr);
    EXPECT_EQ(fromEmpty.data()[0], '\0');
    EXPECT_EQ(fromNull.length(), 0);
    EXPECT_EQ(fromEmpty.length(), 0);
    EXPECT_TRUE(fromNull == fromEmpty);
    EXPECT_FALSE(fromNull != fromEmpty);
}

TEST(OktoString, ComparisonIsCaseSensitiveAndStopsAtFirstNul)
{
    EXPECT_TRUE(Okto::String("abc") != Okto::String("ABC"));
    EXPECT_TRUE(Okto::String("abc") == Okto::String("abc"));
    EXPECT_FALSE(Okto::String("abc") == Okto::String("abcd"));

    // Assignment keeps embedded NULs, comparison still stops at the first.
    Okto::String withNul("x");
    Okto::String source("ab");
    const_cast<char*>(source.data())[1] = '\0';
    withNul = source;
    EXPECT_EQ(withNul.length(), 2);
    EXPECT_EQ(std::memcmp(withNul.data(), "a\0", 3), 0);
    EXPECT_TRUE(withNul == Okto::String("a"));
}

TEST(OktoString, StorageReturnsToItsOwnAllocator)
{
    CountingAllocator mine;
    {
        Okto::String owned("hello", &mine);
        EXPECT_EQ(owned.allocator(), &mine);
        EXPECT_EQ(mine.allocations, 1);

        // A plain copy uses the module's shared allocator, not the source's.
        Okto::String copy(owned);
        EXPECT_EQ(copy.allocator(), &Okto::StandardAllocator<char>::instance());
        EXPECT_EQ(mine.allocations, 1);

        // An explicit copy and an assignment use the target's allocator.
        Okto::String explicitCopy(Okto::String("other"), &mine);
        EXPECT_EQ(mine.allocations, 2);
        owned = copy;
        EXPECT_EQ(owned.allocator(), &mine);
        EXPECT_EQ(owned.toStdString(), "hello");
        EXPECT_EQ(mine.allocations, 3);
        EXPECT_EQ(mine.deallocations, 1);
    }
    EXPECT_EQ(mine.deallocations, mine.allocations);
}

TEST(OktoString, ClearTwiceAndSelfAssignmentAreHarmless)
{
    CountingAllocator mine;
    Okto::String text("abc", &mine);
    text = text;
    EXPECT_EQ(text.toStdString(), "abc");

    text.clear();
    EXPECT_EQ(text.data(), nullptr);
    EXPECT_EQ(text.length(), 0);
    const int released = mine.deallocations;
    text.clear();
    EXPECT_EQ(mine.deallocations, released);
    EXPECT_EQ(text.allocator(), &mine);
    EXPECT_EQ(text.toStdString(), "");

    // Assigning an empty (null) string leaves null data.
    Okto::String other("x");
    other = text;
    EXPECT_EQ(other.data(), nullptr);
}

TEST(OktoList, AppendAtAndClear)
{
    int a = 1, b = 2, c = 3;
    Okto::List<int*> list;
    list.append(&a);
    EXPECT_EQ(list.head, list.tail);
    EXPECT_EQ(list.count, 1);
    list.append(&b);
    list.append(&c);
    EXPECT_EQ(list.count, 3);
    EXPECT_EQ(list.at(0), &a);
    EXPECT_EQ(list.at(2), &c);
    EXPECT_EQ(list.at(5), nullptr);
    EXPECT_EQ(list.at(-1), nullptr);
    EXPECT_EQ(list.tail->value, &c);

    list.clear();
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(list.tail, nullptr);
    EXPECT_EQ(list.count, 0);
    list.append(&b);
    EXPECT_EQ(list.at(0), &b);
}

TEST(OktoStringList, AtIndexOfAndToVector)
{
    Okto::StringList list;
    list.append(Okto::String("one"));
    list.append(Okto::String("two"));
    list.append(Okto::String("two"));

    EXPECT_EQ(list.at(1).toStdString(), "two");
    EXPECT_EQ(list.at(5).data(), nullptr);
    EXPECT_EQ(list.at(5).length(), 0);

    EXPECT_EQ(list.indexOf(Okto::String("two")), 1);
    EXPECT_EQ(list.indexOf(Okto::String("TWO")), -1);
    EXPECT_EQ(list.indexOf(Okto::String()), -1);

    const std::vector<Okto::String> copies = list.toVector();
    ASSERT_EQ(copies.size(), 3u);
    EXPECT_EQ(copies[0].toStdString(), "one");
    EXPECT_EQ(copies[2].toStdString(), "two");
    // Copies are independent of the list's own nodes.
    EXPECT_NE(copies[0].data(), list.head->value.data());
}

} // namespace
