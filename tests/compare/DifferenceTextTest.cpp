#include "compare/DifferenceText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const uint32_t kRed = kTacticAColour;
const uint32_t kBlue = kTacticBColour;
const uint32_t kOlive = kNeutralColour;

std::string Probability(double p)
{
    char text[32];
    DifferenceText_Probability(p, text, sizeof text);
    return text;
}

std::string Difference(double v)
{
    char text[32];
    DifferenceText_Difference(v, text, sizeof text);
    return text;
}

} // namespace

TEST(DifferenceText, ColourThresholdsAreStrict)
{
    struct Case {
        double value;
        uint32_t difference;
        uint32_t probability;
    } cases[] = {
        {0.05, kOlive, kBlue},  {-0.05, kOlive, kBlue}, {0.06, kRed, kBlue},   {-0.06, kBlue, kBlue},
        {0.0, kOlive, kBlue},   {0.5, kRed, kOlive},    {0.55, kRed, kRed},    {0.45, kRed, kOlive},
        {0.44, kRed, kBlue},    {1.0, kRed, kRed},      {kNaN, kOlive, kOlive},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DifferenceColour(c.value), c.difference) << "difference " << c.value;
        EXPECT_EQ(ProbabilityColour(c.value), c.probability) << "probability " << c.value;
    }
}

TEST(DifferenceText, Texts)
{
    EXPECT_EQ(Probability(1.0), "99%") << "scaled by 99.49, never 100%";
    EXPECT_EQ(Probability(0.0), "0%");
    EXPECT_EQ(Probability(0.00503), "1%");
    EXPECT_EQ(Probability(0.5000000005), "50%");
    EXPECT_EQ(Probability(kNaN), "n/a") << "a single season gives no probability";
    EXPECT_EQ(Difference(0.0), "+0.0");
    EXPECT_EQ(Difference(-0.3), "-0.3");
    EXPECT_EQ(Difference(12.345), "+12.3");
    EXPECT_EQ(Difference(kNaN), "n/a");

    char small[3];
    DifferenceText_Difference(-123.4, small, sizeof small);
    EXPECT_STREQ(small, "-1") << "cut to the buffer";
}
