#include "compare/DifferenceFigures.h"
#include "compare/DifferenceText.h"

#include "common/BookFixture.h"

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

// A is the selection's first tactic, B its last (nulls skipped); differences are coloured for the better one.
TEST(DifferenceFigures, PairAndDifferences)
{
    TestBook book;
    for (auto [name, points, scored, conceded] : {std::tuple{"Aaa", 70, 60, 30}, {"Bbb", 50, 40, 50}, {"Ccc", 40, 30, 60}})
        book.Season(name, points, scored, conceded);
    const TacticSummary *a = book.Summary(0), *b = book.Summary(1), *c = book.Summary(2);
    const std::pair<std::vector<void*>, DifferencePair> cases[] = {
        {{}, {nullptr, nullptr}}, {{(void*)a}, {a, a}}, {{(void*)a, (void*)b, (void*)c}, {a, c}},
        {{nullptr, (void*)b, (void*)a, nullptr}, {b, a}}};
    for (const auto& [elems, expected] : cases) {
        DArray* selection = DArray_Create(0);
        for (void* summary : elems)
            DArray_Append(selection, summary);
        const DifferencePair pair = DifferencePair_Choose(selection);
        EXPECT_TRUE(pair.a == expected.a && pair.b == expected.b) << elems.size() << " selected";
        DArray_Destroy(selection, nullptr);
    }
    for (auto [x, y, text, colour] : {std::tuple{a, b, "+20.0", kTacticAColour}, {b, a, "-20.0", kTacticBColour}}) {
        const DifferenceFigures figures = DifferenceFigures_Compute(x, y);
        for (DifferenceValue which : {kGoalsDifference, kConcededDifference, kPointsDifference}) {
            char shown[32];
            uint32_t shown_colour = 0;
            DifferenceFigures_Show(&figures, which, shown, sizeof shown, &shown_colour);
            EXPECT_STREQ(shown, which == kConcededDifference ? (text[0] == '+' ? "-20.0" : "+20.0") : text)
                << x->name << " against " << y->name << ", figure " << which;
            EXPECT_EQ(shown_colour, colour) << x->name << " against " << y->name << ", figure " << which;
        }
    }
}
