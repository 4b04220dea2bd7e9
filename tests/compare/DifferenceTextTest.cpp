#include "compare/DifferenceText.h"

#include <gtest/gtest.h>

#include <limits>

TEST(DifferenceText, ColoursAndTexts)
{
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    const uint32_t kRed = kTacticAColour, kBlue = kTacticBColour, kOlive = kNeutralColour;
    const struct { double v; uint32_t difference, probability; const char *as_difference, *as_probability; } cases[] = {
        {0.05, kOlive, kBlue, "+0.1", "5%"}, {-0.05, kOlive, kBlue, "-0.1", "-5%"}, {0.06, kRed, kBlue, "+0.1", "6%"},
        {-0.06, kBlue, kBlue, "-0.1", "-6%"}, {0.5, kRed, kOlive, "+0.5", "50%"}, {0.55, kRed, kRed, "+0.6", "55%"},
        {0.45, kRed, kOlive, "+0.5", "45%"}, {0.44, kRed, kBlue, "+0.4", "44%"}, {1.0, kRed, kRed, "+1.0", "99%"},
        {0.00503, kOlive, kBlue, "+0.0", "1%"}, {kNaN, kOlive, kOlive, "n/a", "n/a"}};
    for (const auto& c : cases) {
        char difference[32], probability[32];
        DifferenceText_Difference(c.v, difference, sizeof difference);
        DifferenceText_Probability(c.v, probability, sizeof probability);
        EXPECT_EQ(DifferenceColour(c.v), c.difference) << "colour of the difference " << c.v;
        EXPECT_EQ(ProbabilityColour(c.v), c.probability) << "colour of the probability " << c.v;
        EXPECT_STREQ(difference, c.as_difference) << "difference " << c.v;
        EXPECT_STREQ(probability, c.as_probability) << "probability " << c.v;
    }
    char small[3];
    DifferenceText_Difference(-123.4, small, sizeof small);
    EXPECT_STREQ(small, "-1") << "cut to the buffer";
}
