#include "stats/SampleStats.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

struct Stats {
    SampleStats* s = SampleStats_Create();
    explicit Stats(std::initializer_list<double> values)
    {
        for (double v : values)
            SampleStats_Add(s, v);
    }
    ~Stats() { SampleStats_Destroy(s); }
    Stats(const Stats&) = delete;
    Stats& operator=(const Stats&) = delete;
    SampleStats* operator->() const { return s; }
};

} // namespace

TEST(SampleStats, EmptyState)
{
    Stats s{};
    EXPECT_EQ(s->mean, 0.0);
    EXPECT_EQ(s->m2, 0.0);
    EXPECT_EQ(s->max, 0.0);
    EXPECT_EQ(s->min, 1e307);
    EXPECT_EQ(s->count, 0);
    EXPECT_EQ(SampleStats_Variance(s.s), 0.0);
}

TEST(SampleStats, SingleValue)
{
    Stats s{5};
    EXPECT_EQ(s->mean, 5.0);
    EXPECT_EQ(s->m2, 0.0);
    EXPECT_EQ(s->min, 5.0);
    EXPECT_EQ(s->max, 5.0);
    EXPECT_EQ(s->count, 1);
    EXPECT_EQ(SampleStats_Variance(s.s), 0.0);
}

TEST(SampleStats, EightValues)
{
    Stats s{2, 4, 4, 4, 5, 5, 7, 9};
    EXPECT_EQ(s->mean, 5.0);
    EXPECT_EQ(s->m2, 32.0);
    EXPECT_DOUBLE_EQ(SampleStats_Variance(s.s), 32.0 / 7.0);
    EXPECT_EQ(s->min, 2.0);
    EXPECT_EQ(s->max, 9.0);
    EXPECT_EQ(s->count, 8);
}

TEST(SampleStats, ExtremesFollowEachValue)
{
    Stats down{3, 1};
    EXPECT_EQ(down->min, 1.0);
    EXPECT_EQ(down->max, 3.0);
    Stats up{1, 3};
    EXPECT_EQ(up->min, 1.0);
    EXPECT_EQ(up->max, 3.0);
    Stats negative{-4, -7, -2};
    EXPECT_EQ(negative->max, -2.0) << "the empty max of 0.0 must not hide a negative maximum";
    EXPECT_EQ(negative->min, -7.0);
}

TEST(SampleStats, InitEmptiesAgain)
{
    Stats s{1, 2, 3};
    SampleStats_Init(s.s);
    EXPECT_EQ(s->count, 0);
    EXPECT_EQ(s->min, 1e307);
    SampleStats_Add(s.s, -1);
    EXPECT_EQ(s->max, -1.0);
    EXPECT_EQ(s->mean, -1.0);
}

TEST(SampleStats, StaysAccurateForLargeOffsets)
{
    // Welford keeps the spread exact where a sum of squares would cancel.
    SampleStats* s = SampleStats_Create();
    for (int i = 0; i < 1000; ++i)
        SampleStats_Add(s, 1e9 + (i % 2));
    EXPECT_DOUBLE_EQ(s->mean, 1e9 + 0.5);
    EXPECT_NEAR(SampleStats_Variance(s), 250.0 / 999.0, 1e-9);
    SampleStats_Destroy(s);
}
