#include "support/DArray.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <random>

static intptr_t ValOf(const void* slot) { return reinterpret_cast<intptr_t>(*static_cast<void* const*>(slot)); }
static void* Val(intptr_t v) { return reinterpret_cast<void*>(v); }
static std::vector<intptr_t> destroyed;

static std::vector<intptr_t> Values(const DArray* a)
{
    std::vector<intptr_t> values;
    for (int32_t i = 0; i < a->count; ++i)
        values.push_back(ValOf(&a->elems[i]));
    return values;
}

TEST(DArray, GrowsCopiesReversesAndDestroys)
{
    DArray *a = DArray_Create(0), *sixteen = DArray_Create(16), *one = DArray_Create(1);
    std::vector<intptr_t> values;
    for (uint32_t v = 1; v <= 1000; values.push_back(v++)) {
        ASSERT_EQ(DArray_Append(a, Val(v)), a);
        ASSERT_EQ(a->capacity, static_cast<int32_t>(std::bit_ceil(std::max(v, 4u)))) << v << " elements";
    }
    DArray* copy = DArray_Copy(a, [](void* p) { return Val(ValOf(&p) * 10); });
    DArray* shallow = DArray_Copy(a, nullptr);
    DArray_Reverse(a);
    EXPECT_EQ(Values(shallow), values) << "a copy is independent of its source";
    EXPECT_EQ(Values(a), std::vector<intptr_t>(values.rbegin(), values.rend()));
    EXPECT_EQ(std::vector<int>({sixteen->capacity, one->capacity, copy->capacity}), std::vector<int>({16, 1, 1024}));
    DArray_Destroy(copy, [](void* p) { destroyed.push_back(ValOf(&p) / 10); });
    DArray_Destroy(nullptr, [](void*) { destroyed.clear(); });
    EXPECT_EQ(destroyed, values) << "the copier's results, destroyed in index order; a null array is ignored";
    for (DArray* d : {a, shallow, sixteen, one})
        DArray_Destroy(d, nullptr);
}

// As std::stable_sort around the run length of 32 and beyond; a permutation with any comparator.
TEST(DArray, SortIsStableForEverySizeAndSafeWithAnyComparator)
{
    std::mt19937 rng(5);
    for (int n : {0, 1, 2, 3, 5, 31, 32, 33, 64, 65, 100, 1000, 4097}) {
        DArray* a = DArray_Create(0);
        for (intptr_t i = 0; i < n; ++i)
            DArray_Append(a, Val(static_cast<intptr_t>(rng() % 13) << 16 | i)); // key and serial
        std::vector<intptr_t> expected = Values(a);
        std::stable_sort(expected.begin(), expected.end(), [](intptr_t x, intptr_t y) { return x >> 16 < y >> 16; });
        DArray_Sort(a, [](const void* x, const void* y) { return static_cast<int>((ValOf(x) >> 16) - (ValOf(y) >> 16)); });
        EXPECT_EQ(Values(a), expected) << n << " elements";
        DArray_Sort(a, [](const void*, const void*) { return std::rand() % 3 - 1; });
        std::vector<intptr_t> got = Values(a);
        std::sort(got.begin(), got.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(got, expected) << n << " elements: each still there once after an inconsistent comparator";
        DArray_Destroy(a, nullptr);
    }
}
