#include <functional>
#include <string>
#include <vector>

#include "afx/Array.h"
#include "afx/StringArray.h"
#include "ValuesTest.h"

using ArrayTest = ValuesTest;

namespace {

// Counts live objects, to prove that the array constructs and destroys each element exactly once.
struct Tracked {
    static inline int s_nLive = 0;
    int value = 0;
    Tracked() { ++s_nLive; }
    Tracked(const Tracked& other) : value(other.value) { ++s_nLive; }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() { --s_nLive; }
};

std::vector<std::string> Contents(const CStringArray& array) {
    std::vector<std::string> contents;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        contents.push_back(array[i].GetString());
    return contents;
}

using Strings = std::vector<std::string>;

} // namespace

TEST_F(ArrayTest, StringElementsInsertAndRemove) {
    CArray<CString> array;
    EXPECT_EQ(array.Add(CString("b")), 0);
    EXPECT_EQ(array.Add(CString("d")), 1);
    array.InsertAt(0, CString("a"));
    array.InsertAt(2, CString("c"), 2);
    array.InsertAt(6, CString("g"));
    ASSERT_EQ(array.GetSize(), 7);
    const char* expected[] = {"a", "b", "c", "c", "d", "", "g"};
    for (int i = 0; i < 7; ++i)
        EXPECT_STREQ(array[i], expected[i]) << i;
    array.RemoveAt(2, 2);
    array.RemoveAt(0);
    array.RemoveAt(array.GetUpperBound(), 1);
    ASSERT_EQ(array.GetSize(), 3);
    EXPECT_STREQ(array[0], "b");
    EXPECT_STREQ(array[1], "d");
    EXPECT_STREQ(array[2], "");
    array.RemoveAll();
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(array.GetData(), nullptr);
}

TEST_F(ArrayTest, ElementsAreConstructedAndDestroyedOnce) {
    {
        CArray<Tracked> array;
        array.SetSize(10);
        EXPECT_EQ(Tracked::s_nLive, 10);
        for (int i = 0; i < 100; ++i)
            array.Add(Tracked());
        array.InsertAt(5, Tracked(), 3);
        array.RemoveAt(0, 50);
        EXPECT_EQ(Tracked::s_nLive, 63);
        array.FreeExtra();
        array.SetSize(20);
        EXPECT_EQ(Tracked::s_nLive, 20);
    }
    EXPECT_EQ(Tracked::s_nLive, 0);
}

TEST_F(ArrayTest, BadIndexesAndCountsThrowAndChangeNothing) {
    CArray<int, const int&> array;
    for (int i = 0; i < 3; ++i)
        array.Add(i * 10);
    const std::vector<std::function<void()>> badCalls = {
        [&] { array.GetAt(3); },
        [&] { array.GetAt(-1); },
        [&] { array.SetAt(3, 7); },
        [&] { array.SetAt(-1, 7); },
        [&] { array.ElementAt(3) = 7; },
        [&] { array[3] = 7; },
        [&] { array.RemoveAt(-1); },
        [&] { array.RemoveAt(3); },
        [&] { array.RemoveAt(2, 2); },
        [&] { array.RemoveAt(0, -1); },
        [&] { array.InsertAt(-1, 7); },
        [&] { array.InsertAt(1, 7, 0); },
        [&] { array.InsertAt(1, 7, -2); },
        [&] { array.InsertAt(-1, &array); },
        [&] { array.InsertAt(0, static_cast<CArray<int, const int&>*>(NULL)); },
        [&] { array.SetSize(-1); },
        [&] { array.SetAtGrow(-1, 7); },
        [&] { array.Append(array); },
    };
    for (size_t i = 0; i < badCalls.size(); ++i) {
        EXPECT_TRUE(ThrowsInvalidArg(badCalls[i])) << "call " << i;
        ASSERT_EQ(array.GetSize(), 3) << "call " << i;
        EXPECT_EQ(array[0] + array[1] + array[2], 30) << "call " << i;
    }
    array.RemoveAt(3, 0);
    EXPECT_EQ(array.GetSize(), 3);
}

TEST_F(ArrayTest, GrowingFillsGapsWithZero) {
    CArray<int, int> array;
    array.SetAtGrow(3, 9);
    ASSERT_EQ(array.GetSize(), 4);
    EXPECT_EQ(array[0] + array[1] + array[2], 0);
    array.SetSize(2, 100);
    array.SetSize(5);
    EXPECT_EQ(array[3], 0) << "old values do not come back";
    EXPECT_EQ(array[4], 0);
}

TEST_F(ArrayTest, AddingAnElementOfTheSameArrayWhileItGrows) {
    CArray<CString> array;
    array.Add(CString("seed"));
    for (int i = 0; i < 200; ++i)
        array.Add(array[0]);
    array.InsertAt(0, array[array.GetUpperBound()], 3);
    array.SetAtGrow(400, array[1]);
    EXPECT_STREQ(array[203], "seed");
    EXPECT_STREQ(array[400], "seed");
    EXPECT_STREQ(array[300], "");
}

TEST_F(ArrayTest, AMillionAdds) {
    CArray<int, int> array;
    for (int i = 0; i < 1000000; ++i)
        ASSERT_EQ(array.Add(i), i);
    EXPECT_EQ(array.GetSize(), 1000000);
    EXPECT_EQ(array[999999], 999999);
    EXPECT_EQ(array.GetData()[123456], 123456);
}

TEST_F(ArrayTest, WholeArrayOperations) {
    CArray<int, const int&> a, b;
    for (int i = 1; i <= 3; ++i) {
        a.Add(i);
        b.Add(i * 10);
    }
    EXPECT_EQ(a.Append(b), 3);
    a.InsertAt(1, &b);
    a.InsertAt(0, &a);
    const int expected[] = {1, 10, 20, 30, 2, 3, 10, 20, 30, 1, 10, 20, 30, 2, 3, 10, 20, 30};
    ASSERT_EQ(a.GetSize(), 18);
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(a[i], expected[i]) << i;
    b.Copy(a);
    EXPECT_EQ(b.GetSize(), 18);
    EXPECT_EQ(b[17], 30);
    a.Copy(a);
    EXPECT_EQ(a.GetSize(), 18);
}

TEST_F(ArrayTest, StringArrayBehavesLikeTheTemplate) {
    CStringArray array;
    EXPECT_EQ(array.Add("one"), 0);
    EXPECT_EQ(array.Add(CString("three")), 1);
    EXPECT_EQ(array.Add(static_cast<LPCSTR>(NULL)), 2);
    array.InsertAt(1, "two");
    array.SetAt(3, "four");
    EXPECT_EQ(Contents(array), (Strings{"one", "two", "three", "four"}));
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.SetAt(4, "x"); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.GetAt(-1); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.RemoveAt(1, 4); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.InsertAt(-1, "x"); }));
    EXPECT_EQ(Contents(array), (Strings{"one", "two", "three", "four"}));

    CStringArray other;
    other.Copy(array);
    other.RemoveAt(0, 2);
    array.InsertAt(4, &other);
    EXPECT_EQ(array.Append(other), 6);
    EXPECT_EQ(Contents(array), (Strings{"one", "two", "three", "four", "three", "four", "three", "four"}));
    array.ElementAt(0) += "!";
    array.SetAtGrow(9, "ten");
    EXPECT_STREQ(array.GetAt(0), "one!");
    EXPECT_STREQ(array[8], "");
    EXPECT_EQ(array.GetUpperBound(), 9);
    EXPECT_TRUE(array.IsKindOf(RUNTIME_CLASS(CObject)));
}
