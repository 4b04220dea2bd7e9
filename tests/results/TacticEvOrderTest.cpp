// Calculate EV on a book, ordering 7 by its probabilities, and the sort with
// keys computed once against the comparators it replaces.
#include "results/TacticOrder.h"
#include "stats/TacticEv.h"

#include "common/BookFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using Names = std::vector<std::string>;

TEST(CalculateEv, FillsEvAndProbFromTheSeasons)
{
    TestBook book;
    TacticBook_Add(book.get(), MakeRecord("Counter442", 71, 35, 70, 20, 10, 8, 38));
    TacticBook_Add(book.get(), MakeRecord("Counter442", 71, 35, 70, 20, 10, 8, 0)); // games from W-D-L: 38
    TacticBook_Add(book.get(), MakeRecord("Counter442", 71, 35, 70, 0, 0, 0, 0));   // no games at all: left out
    TacticBook_Add(book.get(), MakeRecord("Single", 38, 38, 50));
    TacticBook_CalculateEv(book.get());
    const TacticSummary* counter = book.Summary(0);
    EXPECT_EQ(counter->ev_stats->count, 2);
    EXPECT_NEAR(counter->ev_stats->mean, 76.429142, 1e-6);
    EXPECT_EQ(counter->ev_prob, 1.0) << "certain, and the only one taking part";
    EXPECT_NEAR(book.Summary(1)->ev_stats->mean, 51.138342, 1e-6);
    EXPECT_TRUE(std::isnan(book.Summary(1)->ev_prob)) << "one EV season: n/a";
    EXPECT_EQ(book.Summary(1)->ev_calculated, 1);

    TacticBook_Add(book.get(), MakeRecord("Counter442", 35, 71, 30, 5, 10, 23, 38));
    TacticBook_CalculateEv(book.get());
    EXPECT_EQ(counter->ev_stats->count, 3) << "refilled, not added to";
}

TEST(CalculateEv, ProbOrdersByProbabilityThenNotAvailableByPointsLow)
{
    TestBook book;
    book.Season("Strong", 40, 80, 20); // EV 91.46 and 79.49
    book.Season("Strong", 42, 70, 30);
    book.Season("Close", 45, 75, 25); // EV 85.71 and 89.22: the better chance
    book.Season("Close", 45, 78, 22);
    book.Season("Lucky", 90, 40, 40); // EV 51.32, certain: 0, points interval low end 73.0
    book.Season("Lucky", 92, 40, 40);
    for (int p : {60, 61, 62})
        book.Season("NoGoals", p, 0, 0); // EV 38, 0; low end 57.96
    book.Season("OneSeason", 99, 90, 10); // n/a
    TacticBook_Sort(book.get(), 7);
    EXPECT_EQ(book.Names(), (Names{"Lucky", "NoGoals", "Close", "Strong", "OneSeason"})) << "before: as code 4";
    TacticBook_CalculateEv(book.get());
    TacticBook_Sort(book.get(), 7);
    EXPECT_EQ(book.Names(), (Names{"Close", "Strong", "Lucky", "NoGoals", "OneSeason"}));
    TacticBook_Sort(book.get(), -7);
    EXPECT_EQ(book.Names(), (Names{"OneSeason", "NoGoals", "Lucky", "Strong", "Close"}));
}

// TacticBook_Sort computes each key once; the order must be exactly the one
// the comparators give through DArray_Sort, ties (stable) and NaN included.
TEST(TacticOrder, KeysOnceGiveTheComparatorsOrder)
{
    const DArrayComparator comparators[] = {TacticSummary_ComparePointsLow, TacticSummary_CompareName,
        TacticSummary_CompareGoalsFor, TacticSummary_CompareGoalsAgainst, TacticSummary_ComparePointsLow,
        TacticSummary_ComparePoints, TacticSummary_CompareEv, TacticSummary_CompareProb,
        TacticSummary_CompareSeasons};
    std::mt19937 random(11);
    TestBook book;
    for (int i = 0; i < 300; ++i) { // few distinct values: many equal keys
        std::string name = "T" + std::to_string(random() % 150);
        book.Season(name, static_cast<int>(random() % 4) * 10, static_cast<int>(random() % 3) * 20,
                    static_cast<int>(random() % 3) * 20);
    }
    for (bool calculated : {false, true}) {
        if (calculated)
            TacticBook_CalculateEv(book.get());
        for (int code = -9; code <= 9; ++code) {
            std::shuffle(book->summaries->elems, book->summaries->elems + book->summaries->count, random);
            DArray* expected = DArray_Copy(book->summaries, nullptr);
            DArray_Sort(expected, comparators[std::abs(code) % 9]);
            if (code > 0)
                DArray_Reverse(expected);
            TacticBook_Sort(book.get(), code);
            int same = 0;
            while (same < expected->count && expected->elems[same] == book->summaries->elems[same])
                ++same;
            EXPECT_EQ(same, expected->count) << "code " << code << (calculated ? " with EV" : "");
            DArray_Destroy(expected, nullptr);
        }
    }
}
