#include "stats/ExpectedPoints.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <vector>

namespace {

std::vector<double> Best(const std::vector<MeanEstimate>& estimates)
{
    std::vector<double> probs(estimates.size(), -1.0);
    BestProbabilities(estimates.data(), static_cast<int>(estimates.size()), probs.data());
    return probs;
}

// The integral of f_i times the other cdfs, summed plainly on a fine grid.
double BruteForceBest(const std::vector<MeanEstimate>& e, std::size_t i)
{
    double h = e[i].se / 200, sum = 0;
    for (double z = -12; z <= 12; z += 1.0 / 200) {
        double term = std::exp(-z * z / 2) / (e[i].se * 2.5066282746310002) * h;
        for (std::size_t j = 0; j < e.size(); ++j)
            term *= j == i ? 1.0 : 0.5 * std::erfc((e[j].mean - e[i].mean - z * e[i].se) / (e[j].se * std::sqrt(2.0)));
        sum += term;
    }
    return sum;
}

} // namespace

TEST(ExpectedPoints, WorkedValuesAndSeasonsWithout)
{
    // games, goals for, against, and the expected points summed in 30-digit arithmetic or none.
    const double rows[][4] = {{38, 38, 38, 51.138341871480250}, {38, 76, 38, 77.095217276828054},
        {38, 71, 35, 76.429142150285197}, {38, 35, 71, 29.119178508703693}, {34, 0, 0, 34.0},
        {46, 90, 30, 103.55371191767562}, {1, 3, 0, 2.9004258632642721}, {38, 0, 57, 8.4789460856403335},
        {1, 50, 50, 1.4800278103504517}, {1, 0, 50, 1.9287498479639178e-22}, {38, 1, 1900, 2.1149546006252086e-20},
        {38, 1900, 0, 114.0}, {0, 10, 10, NAN}, {-38, 10, 10, NAN}, {38, -1, 10, NAN}, {38, 10, -1, NAN},
        {1, 51, 0, NAN}, {1, 0, 51, NAN}, {38, 1901, 0, NAN}, {38, 0, 1901, NAN}, {INT32_MIN, 0, 0, NAN},
        {38, INT32_MAX, 0, NAN}, {0, 0, 0, NAN}};
    for (const auto& r : rows) {
        double got = ExpectedPoints(static_cast<int>(r[0]), static_cast<int>(r[1]), static_cast<int>(r[2]));
        EXPECT_TRUE(std::isnan(r[3]) ? std::isnan(got) : std::fabs(got / r[3] - 1) < 1e-9)
            << r[0] << " games " << r[1] << "-" << r[2] << ": got " << got << ", expected " << r[3];
    }
}

TEST(ExpectedPoints, MoreGoalsForNeverLowerItMoreAgainstNeverRaiseIt)
{
    for (int games : {1, 38}) {
        for (int step = games == 1 ? 1 : 37, against = 0; against < 50 * games; against += step) {
            for (int goals = 0; goals < 50 * games; goals += step) {
                double ev = ExpectedPoints(games, goals, against); // to 1e-10 relative
                EXPECT_GE(ExpectedPoints(games, goals + 1, against), ev * (1 - 1e-9)) << goals << "-" << against;
                EXPECT_LE(ExpectedPoints(games, goals, against + 1), ev * (1 + 1e-9)) << goals << "-" << against;
            }
        }
    }
}

TEST(BestProbabilities, WorkedValuesCertainMeansAndRandomSets)
{
    const std::pair<std::vector<MeanEstimate>, std::vector<double>> cases[] = {
        {{{60, 2}, {58, 2}}, {0.760250, 0.239750}},                    // shown 76%, 24%
        {{{60, 2}, {58, 2}, {59, 1}}, {0.593528, 0.160638, 0.245834}}, // 59%, 16%, 25%
        {{{70, 1}, {60, 1}, {60, 1}}, {1.0, 0.0, 0.0}},
        {{{60, 0}, {60, 0}, {58, 1}}, {0.4886249, 0.4886249, 0.0227501}}, // certain means share
        {{{60, 0}, {60, 1}, {59.5, 0}}, {0.5, 0.5, 0.0}},                   // a lower certain one has none
        {{{55, 3}}, {1.0}},
    };
    for (const auto& [estimates, expected] : cases) {
        std::vector<double> got = Best(estimates);
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i], expected[i], 1e-5) << got.size() << " from " << estimates[0].mean << ", " << i;
    }
    // Exactly 0 without integration: 60 + 10 * 0.5 lies below 70 - 10 * 0.1.
    EXPECT_EQ(Best({{70, 0.1}, {60, 0.5}}), (std::vector<double>{1.0, 0.0}));

    // Random sets as the integral, adding up to 1; 3000 rivals at (55, 1) leave
    // (60, 1) the integral of phi(z) Phi(z + 5)^3000.
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> mean(50, 60), se(0.3, 4);
    for (int trial = 0; trial < 12; ++trial) {
        std::vector<MeanEstimate> e(2 + trial % 5);
        std::generate(e.begin(), e.end(), [&] { return MeanEstimate{mean(random), se(random)}; });
        e[1].se /= trial % 3 == 0 ? 25 : 1; // a narrow one beside wide ones
        std::vector<double> probs = Best(e);
        for (std::size_t i = 0; i < e.size(); ++i)
            EXPECT_NEAR(probs[i], BruteForceBest(e, i), 1e-3) << "trial " << trial << ", estimate " << i;
        EXPECT_NEAR(std::accumulate(probs.begin(), probs.end(), 0.0), 1.0, 1e-12) << "trial " << trial;
    }
    std::vector<MeanEstimate> many(3001, {55, 1});
    many[0].mean = 60;
    double exact = 0;
    for (double z = -12; z <= 12; z += 1.0 / 200)
        exact += std::exp(-z * z / 2 + 3000 * std::log(0.5 * std::erfc(-(z + 5) / std::sqrt(2.0)))) / 200 / 2.5066283;
    EXPECT_NEAR(Best(many)[0], exact, 1e-7);
}
