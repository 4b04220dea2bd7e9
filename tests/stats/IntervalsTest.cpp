#include "stats/Intervals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

SampleStats Of(const std::vector<double>& values)
{
    SampleStats s;
    SampleStats_Init(&s);
    for (double v : values)
        SampleStats_Add(&s, v);
    return s;
}

} // namespace

TEST(StudentT975, TableAtRangeBounds)
{
    struct Row {
        int df;
        double value;
    };
    // The ends of some ranges of the table, the first and the last value.
    const Row rows[] = {
        {0, 0.0},       {1, 12.71},     {2, 4.303},    {10, 2.228},   {11, 2.201},      {12, 2.178},
        {15, 2.178},    {16, 2.12},     {158, 1.9771}, {159, 1.975},  {1138, 1.963},    {1139, 1.962},
        {2184, 1.962},  {2185, 1.961},  {100000, 1.961}, {2147483647, 1.961},
    };
    for (const Row& row : rows)
        EXPECT_EQ(StudentT975(row.df), row.value) << "df " << row.df;
    EXPECT_TRUE(std::isnan(StudentT975(-1))) << "no value below 0 degrees of freedom";
}

TEST(HalfWidth95, WorkedExamples)
{
    SampleStats two = Of({60, 70});
    EXPECT_NEAR(SampleStats_HalfWidth95(&two), 89.87, 0.005) << "12.71 * 7.0711 / 1";

    // Ten values with a standard deviation of exactly 3 (m2 = 9 * 9): t 2.262, r 3.
    SampleStats ten = Of({});
    ten.count = 10;
    ten.m2 = 81.0;
    EXPECT_NEAR(SampleStats_HalfWidth95(&ten), 2.262, 1e-12);
}

TEST(HalfWidth95, FewerThanTwoValuesHaveNoInterval)
{
    SampleStats none = Of({});
    SampleStats one = Of({70});
    EXPECT_TRUE(std::isnan(SampleStats_HalfWidth95(&none)));
    EXPECT_TRUE(std::isnan(SampleStats_HalfWidth95(&one)));
    SampleStats same = Of({70, 70});
    EXPECT_EQ(SampleStats_HalfWidth95(&same), 0.0) << "no spread, but an interval of width 0";
}

TEST(NormalCdf, KnownValues)
{
    EXPECT_NEAR(NormalCdf(0), 0.5000000005, 5e-11);
    EXPECT_NEAR(NormalCdf(1), 0.8413447, 1e-7);
    EXPECT_NEAR(NormalCdf(1.96), 0.9750022, 1e-7);
    EXPECT_NEAR(NormalCdf(3), 0.9986500, 1e-7);
    EXPECT_EQ(NormalCdf(INFINITY), 1.0);
}

TEST(ProbGreater, SymmetryAndDirection)
{
    SampleStats a = Of({50, 60, 70, 65, 55});
    SampleStats b = Of({40, 52, 61, 47, 58});
    EXPECT_NEAR(ProbGreater(&a, &a), NormalCdf(0), 1e-15);
    double ab = ProbGreater(&a, &b);
    double ba = ProbGreater(&b, &a);
    EXPECT_GT(ab, 0.5);
    EXPECT_LT(ba, 0.5);
    EXPECT_NEAR(ab + ba, 1.0, 1e-15);

    SampleStats far = Of({1000, 1001, 1002, 1003});
    EXPECT_GT(ProbGreater(&far, &a), 0.999999);
    EXPECT_LT(ProbGreater(&a, &far), 0.000001);
}

TEST(ProbGreater, MatchesTheNormalApproximation)
{
    SampleStats a = Of({60, 70});          // h 89.87
    SampleStats b = Of({50, 52, 54, 56});  // h = 3.182 * sd / sqrt(3)
    double sa = SampleStats_HalfWidth95(&a) / 1.96;
    double sb = SampleStats_HalfWidth95(&b) / 1.96;
    double expected = NormalCdf((65.0 - 53.0) / std::sqrt(sa * sa + sb * sb));
    EXPECT_DOUBLE_EQ(ProbGreater(&a, &b), expected);
    EXPECT_DOUBLE_EQ(ProbGreater(&b, &a), 1.0 - expected);
}

TEST(ProbGreater, DegenerateSamples)
{
    SampleStats one = Of({70});
    SampleStats spread = Of({60, 70, 80});
    EXPECT_TRUE(std::isnan(ProbGreater(&one, &spread)));
    EXPECT_TRUE(std::isnan(ProbGreater(&spread, &one)));
    EXPECT_TRUE(std::isnan(ProbGreater(&one, &one)));

    SampleStats flat60 = Of({60, 60, 60});
    SampleStats flat70 = Of({70, 70});
    EXPECT_EQ(ProbGreater(&flat60, &flat60), 0.5);
    EXPECT_EQ(ProbGreater(&flat70, &flat60), 1.0);
    EXPECT_EQ(ProbGreater(&flat60, &flat70), 0.0);

    // One side without spread, the other with: the normal formula applies.
    double p = ProbGreater(&flat70, &spread);
    EXPECT_GT(p, 0.5);
    EXPECT_LT(p, 1.0);
}
