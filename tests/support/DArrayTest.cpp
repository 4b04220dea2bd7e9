#include "support/DArray.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

void* Val(intptr_t v) { return reinterpret_cast<void*>(v); }
intptr_t ValOf(void* p) { return reinterpret_cast<intptr_t>(p); }

std::vector<intptr_t> Values(const DArray* a)
{
    std::vector<intptr_t> out;
    for (int32_t i = 0; i < a->count; ++i)
        out.push_back(ValOf(a->elems[i]));
    return out;
}

DArray* Make(std::initializer_list<intptr_t> values, int capacity = 0)
{
    DArray* a = DArray_Create(capacity);
    for (intptr_t v : values)
        DArray_Append(a, Val(v));
    return a;
}

// Elements are (key << 16) | serial, so equal keys can still be told apart.
int CompareKey(const void* a, const void* b)
{
    intptr_t ka = ValOf(*static_cast<void* const*>(a)) >> 16;
    intptr_t kb = ValOf(*static_cast<void* const*>(b)) >> 16;
    return ka < kb ? -1 : (ka > kb ? 1 : 0);
}

std::vector<intptr_t> destroyed;
void RecordDestroy(void* p) { destroyed.push_back(ValOf(p)); }
void* TimesTen(void* p) { return Val(ValOf(p) * 10); }

} // namespace

TEST(DArray, CreateChoosesCapacity)
{
    DArray* zero = DArray_Create(0);
    EXPECT_EQ(zero->count, 0);
    EXPECT_EQ(zero->capacity, 4) << "capacity 0 means 4";
    DArray* sixteen = DArray_Create(16);
    EXPECT_EQ(sixteen->capacity, 16);
    DArray_Destroy(zero, nullptr);
    DArray_Destroy(sixteen, nullptr);
}

TEST(DArray, AppendDoublesCapacityAndKeepsOrder)
{
    DArray* a = Make({1, 2, 3, 4}, 4);
    EXPECT_EQ(a->capacity, 4);
    DArray* same = DArray_Append(a, Val(5));
    EXPECT_EQ(same, a) << "append returns the same array";
    EXPECT_EQ(a->capacity, 8);
    EXPECT_EQ(Values(a), (std::vector<intptr_t>{1, 2, 3, 4, 5}));
    for (int i = 6; i <= 1000; ++i)
        DArray_Append(a, Val(i));
    EXPECT_EQ(a->count, 1000);
    EXPECT_EQ(a->capacity, 1024);
    EXPECT_EQ(ValOf(a->elems[999]), 1000);
    DArray_Destroy(a, nullptr);
}

TEST(DArray, CopyKeepsCapacityAndUsesCopier)
{
    DArray* a = Make({1, 2, 3, 4, 5}, 8);
    DArray* shallow = DArray_Copy(a, nullptr);
    DArray* deep = DArray_Copy(a, TimesTen);
    EXPECT_EQ(shallow->capacity, 8);
    EXPECT_EQ(shallow->count, 5);
    EXPECT_EQ(Values(shallow), Values(a));
    EXPECT_EQ(Values(deep), (std::vector<intptr_t>{10, 20, 30, 40, 50}));
    DArray_Append(shallow, Val(6));
    EXPECT_EQ(a->count, 5) << "the copy is independent of its source";
    DArray_Destroy(a, nullptr);
    DArray_Destroy(shallow, nullptr);
    DArray_Destroy(deep, nullptr);
}

TEST(DArray, DestroyCallsDestructorInIndexOrder)
{
    destroyed.clear();
    DArray_Destroy(Make({7, 8, 9}), RecordDestroy);
    EXPECT_EQ(destroyed, (std::vector<intptr_t>{7, 8, 9}));
    destroyed.clear();
    DArray_Destroy(Make({7, 8, 9}), nullptr);
    EXPECT_TRUE(destroyed.empty());
    DArray_Destroy(nullptr, RecordDestroy);
    EXPECT_TRUE(destroyed.empty()) << "a null array is ignored";
}

TEST(DArray, Reverse)
{
    DArray* empty = Make({});
    DArray_Reverse(empty);
    EXPECT_EQ(empty->count, 0);
    DArray* one = Make({1});
    DArray_Reverse(one);
    EXPECT_EQ(Values(one), (std::vector<intptr_t>{1}));
    DArray* four = Make({1, 2, 3, 4});
    DArray_Reverse(four);
    EXPECT_EQ(Values(four), (std::vector<intptr_t>{4, 3, 2, 1}));
    DArray* five = Make({1, 2, 3, 4, 5});
    DArray_Reverse(five);
    EXPECT_EQ(Values(five), (std::vector<intptr_t>{5, 4, 3, 2, 1}));
    for (DArray* a : {empty, one, four, five})
        DArray_Destroy(a, nullptr);
}

// Sorting must be ascending and stable, and sort-then-reverse gives the
// descending order with equal keys in the opposite of their earlier order;
// checked around the run length of 32 and for sizes that need merging.
TEST(DArray, SortIsAscendingAndStableForEverySize)
{
    for (int n : {2, 3, 31, 32, 33, 64, 65, 100, 1000, 4097}) {
        DArray* a = DArray_Create(0);
        std::vector<intptr_t> expected;
        for (int i = 0; i < n; ++i) {
            intptr_t key = (i * 7919) % 13; // many equal keys
            DArray_Append(a, Val((key << 16) | i));
        }
        expected = Values(a);
        std::stable_sort(expected.begin(), expected.end(),
                         [](intptr_t x, intptr_t y) { return (x >> 16) < (y >> 16); });
        DArray_Sort(a, CompareKey);
        EXPECT_EQ(Values(a), expected) << "n = " << n;
        DArray_Reverse(a);
        std::reverse(expected.begin(), expected.end());
        EXPECT_EQ(Values(a), expected) << "descending, n = " << n;
        DArray_Destroy(a, nullptr);
    }
}

namespace {
int Inconsistent(const void*, const void*)
{
    static unsigned state = 12345;
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) % 3) - 1;
}
} // namespace

TEST(DArray, SortSurvivesAnInconsistentComparator)
{
    DArray* a = DArray_Create(0);
    for (int i = 0; i < 500; ++i)
        DArray_Append(a, Val(i));
    DArray_Sort(a, Inconsistent);
    std::vector<intptr_t> got = Values(a);
    std::sort(got.begin(), got.end());
    std::vector<intptr_t> all(500);
    for (int i = 0; i < 500; ++i)
        all[i] = i;
    EXPECT_EQ(got, all) << "every element is still there exactly once";
    DArray_Destroy(a, nullptr);
}
