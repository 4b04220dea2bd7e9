// Calculate EV on a book, ordering 7, and sorting with keys computed once.
#include "results/TacticOrder.h"
#include "stats/TacticEv.h"

#include "common/BookFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

TEST(CalculateEv, FillsEvAndProbAndOrdersByProbThenNotAvailableByPointsLow)
{
    TestBook book;
    book.Season("Strong", 40, 80, 20); // EV 91.46 and 79.49
    book.Season("Strong", 42, 70, 30);
    TacticBook_Add(book.get(), MakeRecord("Close", 75, 25, 45, 20, 10, 8, 38)); // EV 85.71
    TacticBook_Add(book.get(), MakeRecord("Close", 78, 22, 45, 20, 10, 8, 0));  // games from W-D-L: 89.22
    book.Season("Lucky", 90, 40, 40); // EV 51.32, certain: 0; points interval low end 73.0
    book.Season("Lucky", 92, 40, 40);
    for (int p : {60, 61, 62})
        book.Season("NoGoals", p, 0, 0); // EV 38, 0; low end 57.96
    book.Season("OneEv", 99, 90, 10);
    TacticBook_Add(book.get(), MakeRecord("OneEv", 90, 10, 99, 0, 0, 0, 0)); // no games at all: no EV
    for (int twice = 0; twice < 2; ++twice) // refilled, not added to
        TacticBook_CalculateEv(book.get());
    TacticBook_Sort(book.get(), 7);
    EXPECT_EQ(book.Names(), (std::vector<std::string>{"Close", "Strong", "Lucky", "NoGoals", "OneEv"}));
    EXPECT_NEAR(book.Summary(0)->ev_stats->mean, 87.463628, 1e-6);
    TacticBook_Sort(book.get(), -7);
    EXPECT_EQ(book.Names(), (std::vector<std::string>{"OneEv", "NoGoals", "Lucky", "Strong", "Close"}));
}

// The comparators' order through DArray_Sort, ties and NaN included; code 7 is 4 until EV.
TEST(TacticOrder, KeysOnceGiveTheComparatorsOrder)
{
    DArrayComparator by_code[] = {TacticSummary_ComparePointsLow, TacticSummary_CompareName,
        TacticSummary_CompareGoalsFor, TacticSummary_CompareGoalsAgainst, TacticSummary_ComparePointsLow,
        TacticSummary_ComparePoints, TacticSummary_CompareEv, TacticSummary_ComparePointsLow,
        TacticSummary_CompareSeasons}; // by the code's absolute value; 9 as 4
    std::mt19937 random(11);
    TestBook book;
    for (int i = 0; i < 300; ++i) // few distinct values: many equal keys
        book.Season("T" + std::to_string(random() % 150), static_cast<int>(random() % 4) * 10,
                    static_cast<int>(random() % 3) * 20, static_cast<int>(random() % 3) * 20);
    for (int code = -9; code <= 9; ++code) {
        if (code == 0) { // the rest with EV
            TacticBook_CalculateEv(book.get());
            by_code[7] = TacticSummary_CompareProb;
        }
        std::shuffle(book->summaries->elems, book->summaries->elems + book->summaries->count, random);
        DArray* expected = DArray_Copy(book->summaries, nullptr);
        DArray_Sort(expected, by_code[std::abs(code) % 9]);
        if (code > 0)
            DArray_Reverse(expected);
        TacticBook_Sort(book.get(), code);
        EXPECT_TRUE(std::equal(expected->elems, expected->elems + expected->count, book->summaries->elems))
            << "code " << code;
        DArray_Destroy(expected, nullptr);
    }
}
