#include "stats/Intervals.h"
#include "stats/SampleStats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

static SampleStats Of(const std::vector<double>& values)
{
    SampleStats* made = SampleStats_Create();
    for (double v : values)
        SampleStats_Add(made, v);
    SampleStats s = *made;
    SampleStats_Destroy(made);
    return s;
}

// Worked examples (values; mean, m2, min, max, variance), negatives, and a spread far from 0.
TEST(SampleStats, WorkedExamples)
{
    std::vector<double> far(1000, 1e9);
    for (std::size_t i = 1; i < far.size(); i += 2)
        far[i] += 1;
    const std::pair<std::vector<double>, std::vector<double>> cases[] = {
        {{}, {0, 0, 1e307, 0, 0}}, {{5}, {5, 0, 5, 5, 0}}, {{2, 4, 4, 4, 5, 5, 7, 9}, {5, 32, 2, 9, 32.0 / 7}},
        {{3, 1}, {2, 2, 1, 3, 2}}, {{-4, -7, -1}, {-4, 18, -7, -1, 9}}, {far, {1e9 + 0.5, 250, 1e9, 1e9 + 1, 250.0 / 999}}};
    for (const auto& [values, expected] : cases) {
        SampleStats s = Of(values);
        EXPECT_EQ(s.count, static_cast<int32_t>(values.size()));
        const double got[] = {s.mean, s.m2, s.min, s.max, SampleStats_Variance(&s)};
        for (int i = 0; i < 5; ++i)
            EXPECT_NEAR(got[i], expected[i], std::abs(expected[i]) * 1e-9) << i << " of " << testing::PrintToString(values);
    }
}

TEST(Intervals, StudentT975AtBothEndsOfEveryRange)
{
    const double small[] = {0.0, 12.71, 4.303, 3.182, 2.776, 2.571, 2.447, 2.365, 2.306, 2.262, 2.228, 2.201};
    const std::pair<int, double> ranges[] = {
        {12, 2.178},  {16, 2.12},   {18, 2.1},    {20, 2.086},  {30, 2.042},  {40, 2.02},    {50, 2.01},   {60, 2.0},
        {70, 1.9944}, {80, 1.99},   {90, 1.9867}, {100, 1.984}, {120, 1.98},  {140, 1.9771}, {159, 1.975}, {170, 1.974},
        {183, 1.973}, {198, 1.972}, {216, 1.971}, {237, 1.97},  {263, 1.969}, {295, 1.968},  {336, 1.967}, {465, 1.965},
        {582, 1.964}, {770, 1.963}, {1139, 1.962}, {2185, 1.961}, {INT32_MAX, 1.961}};
    for (int df = 0; df < 12; ++df)
        EXPECT_EQ(StudentT975(df), small[df]) << "df " << df;
    double below = small[11];
    for (auto [lowest, value] : ranges) {
        EXPECT_EQ(StudentT975(lowest - 1), below) << "df " << lowest - 1;
        EXPECT_EQ(StudentT975(lowest), value) << "df " << lowest;
        below = value;
    }
    EXPECT_TRUE(std::isnan(StudentT975(-1))) << "no value below 0 degrees of freedom";
}

TEST(Intervals, HalfWidthNormalCdfAndProbGreater)
{
    SampleStats a = Of({60, 70}), b = Of({50, 52, 54, 56}), one = Of({70}), flat60 = Of({60, 60, 60}), flat70 = Of({70, 70});
    SampleStats ten = {0, 81.0, 0, 0, 10}; // standard deviation 3: t 2.262, r 3
    EXPECT_NEAR(SampleStats_HalfWidth95(&a), 89.87, 0.005) << "12.71 * 7.0711 / 1";
    EXPECT_NEAR(SampleStats_HalfWidth95(&ten), 2.262, 1e-12);
    EXPECT_EQ(SampleStats_HalfWidth95(&flat70), 0.0);
    EXPECT_TRUE(std::isnan(SampleStats_HalfWidth95(&one))) << "a single value has no interval";
    for (auto [x, p] : {std::pair{0.0, 0.5000000005}, {1.0, 0.8413447}, {1.96, 0.9750022}, {3.0, 0.9986500}})
        EXPECT_NEAR(NormalCdf(x), p, x ? 1e-7 : 5e-11) << "NormalCdf(" << x << ")";
    double sa = SampleStats_HalfWidth95(&a) / 1.96, sb = SampleStats_HalfWidth95(&b) / 1.96;
    double p = NormalCdf((65.0 - 53.0) / std::sqrt(sa * sa + sb * sb));
    EXPECT_NEAR(ProbGreater(&a, &b), p, 1e-12);
    EXPECT_NEAR(ProbGreater(&b, &a), 1 - p, 1e-12);
    EXPECT_NEAR(ProbGreater(&a, &a), NormalCdf(0), 1e-12);
    EXPECT_NEAR(ProbGreater(&flat70, &b), NormalCdf(17 / sb), 1e-12) << "one side without spread";
    EXPECT_EQ(std::vector<double>({ProbGreater(&flat60, &flat60), ProbGreater(&flat70, &flat60), ProbGreater(&flat60, &flat70)}),
              std::vector<double>({0.5, 1, 0})) << "neither side with spread";
    EXPECT_TRUE(std::isnan(ProbGreater(&one, &a)) && std::isnan(ProbGreater(&a, &one))) << "a single value";
}
