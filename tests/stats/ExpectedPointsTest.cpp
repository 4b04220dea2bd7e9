#include "stats/ExpectedPoints.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr double kSqrtTwoPi = 2.5066282746310002;

std::vector<double> Best(const std::vector<MeanEstimate>& estimates)
{
    std::vector<double> probs(estimates.size(), -1.0);
    BestProbabilities(estimates.data(), static_cast<int>(estimates.size()), probs.data());
    return probs;
}

// The integral of f_i times the other cdfs, summed plainly on a fine grid.
double BruteForceBest(const std::vector<MeanEstimate>& e, std::size_t i)
{
    const int n = 4000;
    double lo = e[i].mean - 12 * e[i].se, h = 24 * e[i].se / n, sum = 0;
    for (int k = 0; k <= n; ++k) {
        double x = lo + k * h, z = (x - e[i].mean) / e[i].se;
        double term = std::exp(-z * z / 2) / (e[i].se * kSqrtTwoPi) * h;
        for (std::size_t j = 0; j < e.size(); ++j)
            term *= j == i ? 1.0 : 0.5 * std::erfc((e[j].mean - x) / (e[j].se * std::sqrt(2.0)));
        sum += term;
    }
    return sum;
}

} // namespace

TEST(ExpectedPoints, WorkedValues)
{
    struct Row {
        int games, goals_for, goals_against;
        double expected; // summed in 30-digit arithmetic
    };
    const Row rows[] = {
        {38, 38, 38, 51.138341871480250}, {38, 76, 38, 77.095217276828054}, {38, 71, 35, 76.429142150285197},
        {38, 35, 71, 29.119178508703693}, {34, 0, 0, 34.0},                 {46, 90, 30, 103.55371191767562},
        {1, 3, 0, 2.9004258632642721},    {38, 0, 57, 8.4789460856403335},  {1, 50, 50, 1.4800278103504517},
        {1, 0, 50, 1.9287498479639178e-22}, {38, 1, 1900, 2.1149546006252086e-20}, {2, 100, 1, 6.0},
    };
    for (const Row& r : rows) {
        double got = ExpectedPoints(r.games, r.goals_for, r.goals_against);
        EXPECT_NEAR(got / r.expected, 1.0, 1e-9)
            << r.games << " games " << r.goals_for << "-" << r.goals_against << ": got " << got;
    }
}

TEST(ExpectedPoints, MoreGoalsForNeverLowerItMoreAgainstNeverRaiseIt)
{
    for (int games : {1, 38}) {
        for (int against = 0; against <= 50 * games; against += games == 1 ? 1 : 37) {
            for (int goals = 0; goals < 50 * games; goals += games == 1 ? 1 : 37) {
                double ev = ExpectedPoints(games, goals, against); // to 1e-10 relative
                EXPECT_GE(ExpectedPoints(games, goals + 1, against), ev * (1 - 1e-9))
                    << games << ": " << goals << "-" << against;
                if (against < 50 * games)
                    EXPECT_LE(ExpectedPoints(games, goals, against + 1), ev * (1 + 1e-9))
                        << games << ": " << goals << "-" << against;
            }
        }
    }
}

TEST(ExpectedPoints, SeasonsWithoutExpectedPoints)
{
    const int skipped[][3] = {{0, 10, 10}, {-38, 10, 10}, {38, -1, 10}, {38, 10, -1}, {1, 51, 0}, {1, 0, 51},
                              {38, 1901, 0}, {38, 0, 1901}, {INT32_MIN, 0, 0}, {38, INT32_MAX, 0}};
    for (const auto& s : skipped)
        EXPECT_TRUE(std::isnan(ExpectedPoints(s[0], s[1], s[2]))) << s[0] << " games " << s[1] << "-" << s[2];
    EXPECT_NEAR(ExpectedPoints(38, 1900, 0), 114.0, 1e-6) << "50 goals a game still count";
    EXPECT_GT(ExpectedPoints(38, 0, 1900), 0.0);
}

TEST(BestProbabilities, WorkedValues)
{
    std::vector<double> two = Best({{60, 2}, {58, 2}});
    EXPECT_NEAR(two[0], 0.760250, 1e-5) << "shown 76%";
    EXPECT_NEAR(two[1], 0.239750, 1e-5) << "shown 24%";
    std::vector<double> three = Best({{60, 2}, {58, 2}, {59, 1}});
    const double expected[] = {0.593528, 0.160638, 0.245834}; // shown 59%, 16%, 25%
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(three[i], expected[i], 1e-5) << "estimate " << i;
    std::vector<double> far = Best({{70, 1}, {60, 1}, {60, 1}});
    EXPECT_GT(far[0], 0.999);
    EXPECT_LT(far[1], 1e-9);
    EXPECT_EQ(far[1], far[2]) << "equal estimates, equal chances";
}

TEST(BestProbabilities, CertainMeansAndPruning)
{
    // Two certain at 60 share what N(58, 1) leaves them: 1 - P(N(58, 1) > 60).
    std::vector<double> shared = Best({{60, 0}, {60, 0}, {58, 1}});
    EXPECT_NEAR(shared[0], 0.4886249, 1e-5);
    EXPECT_EQ(shared[0], shared[1]);
    EXPECT_NEAR(shared[2], 0.0227501, 1e-5);
    EXPECT_EQ(Best({{60, 0}, {59, 0}}), (std::vector<double>{1.0, 0.0}));
    std::vector<double> against = Best({{60, 0}, {60, 1}, {59.5, 0}});
    EXPECT_NEAR(against[0], 0.5, 1e-4) << "the certain one wins when N(60, 1) falls below it";
    EXPECT_NEAR(against[1], 0.5, 1e-4);
    EXPECT_EQ(against[2], 0.0);
    EXPECT_EQ(Best({{55, 3}}), std::vector<double>{1.0});
    // 60 + 10 * 0.5 lies below 70 - 10 * 0.1: exactly 0.
    EXPECT_EQ(Best({{70, 0.1}, {60, 0.5}}), (std::vector<double>{1.0, 0.0}));
}

TEST(BestProbabilities, RandomSetsMatchTheIntegralAndAddUpToOne)
{
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> mean(50, 60), se(0.3, 4);
    for (int trial = 0; trial < 12; ++trial) {
        std::vector<MeanEstimate> e(2 + trial % 5);
        for (MeanEstimate& m : e)
            m = {mean(random), se(random)};
        if (trial % 3 == 0)
            e[1].se = e[0].se / 25; // a narrow one beside wide ones
        std::vector<double> probs = Best(e);
        double sum = 0;
        for (std::size_t i = 0; i < e.size(); ++i) {
            EXPECT_NEAR(probs[i], BruteForceBest(e, i), 1e-3) << "trial " << trial << ", estimate " << i;
            sum += probs[i];
        }
        EXPECT_NEAR(sum, 1.0, 1e-12) << "trial " << trial;
    }
}
