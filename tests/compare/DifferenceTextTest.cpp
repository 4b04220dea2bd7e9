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

// A is the first tactic of the selection, B the last (nulls skipped); the differences are coloured for A when
// A scores more, concedes fewer and makes more points.
TEST(DifferenceFigures, PairAndDifferences)
{
    TestBook book;
    book.Season("Aaa", 70, 60, 30);
    book.Season("Bbb", 50, 40, 50);
    book.Season("Ccc", 40, 30, 60);
    const TacticSummary *a = book.Summary(0), *b = book.Summary(1), *c = book.Summary(2);
    const struct { std::vector<void*> selection; const TacticSummary *first, *last; } cases[] = {
        {{}, nullptr, nullptr},   {{(void*)a}, a, a},
        {{(void*)a, (void*)b, (void*)c}, a, c}, {{nullptr, (void*)b, (void*)a, nullptr}, b, a},
    };
    for (const auto& k : cases) {
        DArray* selection = DArray_Create(0);
        for (void* summary : k.selection)
            DArray_Append(selection, summary);
        const DifferencePair pair = DifferencePair_Choose(selection);
        EXPECT_EQ(pair.a, k.first) << k.selection.size() << " selected";
        EXPECT_EQ(pair.b, k.last) << k.selection.size() << " selected";
        DArray_Destroy(selection, nullptr);
    }
    EXPECT_EQ(DifferencePair_Choose(nullptr).a, nullptr);
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
