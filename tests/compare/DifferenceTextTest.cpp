#include "compare/DifferenceFigures.h"
#include "compare/DifferenceText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
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

// A summary with the given values per season; no records, no formation.
class Summary {
public:
    Summary(const char* name, std::initializer_list<double> goals, std::initializer_list<double> conceded,
            std::initializer_list<double> points)
        : s_(TacticSummary_Create(name))
    {
        for (double v : goals)
            SampleStats_Add(s_->goals_for_stats, v);
        for (double v : conceded)
            SampleStats_Add(s_->goals_against_stats, v);
        for (double v : points)
            SampleStats_Add(s_->points_stats, v);
    }
    ~Summary() { TacticSummary_Destroy(s_); }
    Summary(const Summary&) = delete;
    Summary& operator=(const Summary&) = delete;
    TacticSummary* get() const { return s_; }

private:
    TacticSummary* s_;
};

struct Shown {
    std::string text;
    uint32_t colour;
};

Shown Show(const DifferenceFigures& f, DifferenceValue which)
{
    char text[32];
    uint32_t colour = 0;
    DifferenceFigures_Show(&f, which, text, sizeof text, &colour);
    return {text, colour};
}

} // namespace

TEST(DifferenceText, ColoursAreRgbValues)
{
    EXPECT_EQ(kRed, 200u) << "RGB(200, 0, 0)";
    EXPECT_EQ(kBlue, 200u * 65536) << "RGB(0, 0, 200)";
    EXPECT_EQ(kOlive, 100u + 100u * 256) << "RGB(100, 100, 0)";
}

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

TEST(DifferenceFigures, PairIsTheFirstAndTheLastTactic)
{
    Summary one("One", {1}, {1}, {1});
    Summary two("Two", {1}, {1}, {1});
    Summary three("Three", {1}, {1}, {1});
    EXPECT_EQ(DifferencePair_Choose(nullptr).a, nullptr);

    DArray* selection = DArray_Create(0);
    EXPECT_EQ(DifferencePair_Choose(selection).a, nullptr) << "nothing selected";
    EXPECT_EQ(DifferencePair_Choose(selection).b, nullptr);
    DArray_Append(selection, nullptr);
    DArray_Append(selection, one.get());
    EXPECT_EQ(DifferencePair_Choose(selection).a, one.get()) << "null elements are skipped";
    EXPECT_EQ(DifferencePair_Choose(selection).b, one.get()) << "one tactic is compared with itself";
    DArray_Append(selection, two.get());
    DArray_Append(selection, three.get());
    DArray_Append(selection, nullptr);
    EXPECT_EQ(DifferencePair_Choose(selection).a, one.get());
    EXPECT_EQ(DifferencePair_Choose(selection).b, three.get()) << "the middle one is ignored";
    DArray_Destroy(selection, nullptr);
}

TEST(DifferenceFigures, ATacticAgainstItself)
{
    Summary tactic("Same", {50, 60, 55}, {30, 40, 20}, {60, 70, 65});
    DifferenceFigures f = DifferenceFigures_Compute(tactic.get(), tactic.get());
    for (DifferenceValue d : {kGoalsDifference, kConcededDifference, kPointsDifference}) {
        EXPECT_EQ(Show(f, d).text, "+0.0") << "figure " << d;
        EXPECT_EQ(Show(f, d).colour, kOlive) << "figure " << d;
    }
    for (DifferenceValue p : {kGoalsProbability, kConcededProbability, kPointsProbability}) {
        EXPECT_EQ(Show(f, p).text, "50%") << "figure " << p;
        EXPECT_EQ(Show(f, p).colour, kOlive) << "figure " << p;
    }
}

TEST(DifferenceFigures, DirectionsAndColoursOfEachMeasure)
{
    // A scores 20 more, concedes 0.3 fewer and gets 20 points fewer, each
    // clearly; ten seasons each.
    Summary a("A", {60, 61, 60, 61, 60, 61, 60, 61, 60, 61}, {29.8, 30.2, 29.8, 30.2, 29.8, 30.2, 29.8, 30.2, 29.8, 30.2},
              {50, 51, 50, 51, 50, 51, 50, 51, 50, 51});
    Summary b("B", {40, 41, 40, 41, 40, 41, 40, 41, 40, 41}, {30.1, 30.5, 30.1, 30.5, 30.1, 30.5, 30.1, 30.5, 30.1, 30.5},
              {70, 71, 70, 71, 70, 71, 70, 71, 70, 71});
    DifferenceFigures f = DifferenceFigures_Compute(a.get(), b.get());
    EXPECT_EQ(Show(f, kGoalsDifference).text, "+20.0");
    EXPECT_EQ(Show(f, kGoalsDifference).colour, kRed);
    EXPECT_EQ(Show(f, kGoalsProbability).text, "99%");
    EXPECT_EQ(Show(f, kGoalsProbability).colour, kRed);
    EXPECT_EQ(Show(f, kConcededDifference).text, "-0.3");
    EXPECT_EQ(Show(f, kConcededDifference).colour, kRed) << "conceding fewer is red";
    EXPECT_EQ(Show(f, kConcededProbability).text, "99%") << "B concedes more than A";
    EXPECT_EQ(Show(f, kConcededProbability).colour, kRed);
    EXPECT_EQ(Show(f, kPointsDifference).text, "-20.0");
    EXPECT_EQ(Show(f, kPointsDifference).colour, kBlue);
    EXPECT_EQ(Show(f, kPointsProbability).text, "0%");
    EXPECT_EQ(Show(f, kPointsProbability).colour, kBlue);

    DifferenceFigures reversed = DifferenceFigures_Compute(b.get(), a.get());
    EXPECT_EQ(Show(reversed, kConcededDifference).text, "+0.3");
    EXPECT_EQ(Show(reversed, kConcededDifference).colour, kBlue) << "conceding more is blue";
    EXPECT_EQ(Show(reversed, kConcededProbability).text, "0%");
}

TEST(DifferenceFigures, ASingleSeasonGivesNoProbability)
{
    Summary single("Single", {50}, {30}, {60});
    Summary many("Many", {40, 44}, {30, 31}, {50, 55});
    DifferenceFigures f = DifferenceFigures_Compute(single.get(), many.get());
    EXPECT_EQ(Show(f, kGoalsDifference).text, "+8.0") << "the means still differ";
    for (DifferenceValue p : {kGoalsProbability, kConcededProbability, kPointsProbability}) {
        EXPECT_EQ(Show(f, p).text, "n/a") << "figure " << p;
        EXPECT_EQ(Show(f, p).colour, kOlive) << "figure " << p;
    }
}
