#include "results/TacticOrder.h"

#include "common/BookFixture.h"

#include <gtest/gtest.h>

#include <climits>

using Names = std::vector<std::string>;

namespace {

Names Sorted(TestBook& book, int code)
{
    TacticBook_Sort(book.get(), code);
    return book.Names();
}

} // namespace

TEST(TacticOrder, GoalsBothWays)
{
    TestBook book;
    book.Season("OneHalf", 50, 1); // goals 1 and 2: mean 1.5
    book.Season("OneHalf", 50, 2);
    book.Season("Two", 50, 2);
    book.Season("One", 50, 1);
    EXPECT_EQ(Sorted(book, 2), (Names{"Two", "OneHalf", "One"}));
    EXPECT_EQ(Sorted(book, -2), (Names{"One", "OneHalf", "Two"}));
}

TEST(TacticOrder, ConcededFirstClickPutsMostConcededOnTop)
{
    TestBook book;
    book.Season("Leaky", 50, 50, 70);
    book.Season("Tight", 50, 50, 20);
    book.Season("Middle", 50, 50, 40);
    EXPECT_EQ(Sorted(book, 3), (Names{"Leaky", "Middle", "Tight"}));
    EXPECT_EQ(Sorted(book, -3), (Names{"Tight", "Middle", "Leaky"}));
}

TEST(TacticOrder, PointsUseTheLowerEndOfTheInterval)
{
    TestBook book;
    // High average with a wide interval: mean 70, low end far below 60.
    book.Season("Wide", 40);
    book.Season("Wide", 100);
    // Lower average with a narrow interval: mean 60, low end just under 60.
    for (int p : {59, 60, 61, 60, 59, 61, 60, 60})
        book.Season("Narrow", p);
    EXPECT_EQ(Sorted(book, 5), (Names{"Wide", "Narrow"})) << "by average";
    EXPECT_EQ(Sorted(book, 4), (Names{"Narrow", "Wide"})) << "by interval low end";
    EXPECT_EQ(Sorted(book, 7), (Names{"Narrow", "Wide"})) << "code 7 orders as code 4";
    EXPECT_EQ(Sorted(book, -4), (Names{"Wide", "Narrow"}));
}

TEST(TacticOrder, UnknownCodesOrderAsPointsLow)
{
    for (int code : {0, 9, -9, 100, INT_MAX, INT_MIN, INT_MIN + 1}) {
        TestBook book;
        book.Season("Wide", 40);
        book.Season("Wide", 100);
        for (int p : {59, 60, 61})
            book.Season("Narrow", p);
        book.Season("Low", 10);
        book.Season("Low", 12);
        // Low ends: Narrow about 57.5, Low 11 - 18.0, Wide 70 - 539.
        Names expected = code > 0 ? Names{"Narrow", "Low", "Wide"} : Names{"Wide", "Low", "Narrow"};
        EXPECT_EQ(Sorted(book, code), expected) << "code " << code;
    }
}

TEST(TacticOrder, NamesInByteOrder)
{
    TestBook book;
    book.Season("alpha", 1);
    book.Season("Beta", 1);
    book.Season("gamma", 1);
    EXPECT_EQ(Sorted(book, 1), (Names{"gamma", "alpha", "Beta"}));
    EXPECT_EQ(Sorted(book, -1), (Names{"Beta", "alpha", "gamma"}));
}

TEST(TacticOrder, SeasonsMostFirst)
{
    TestBook book;
    book.Season("Two", 1);
    book.Season("Two", 1);
    book.Season("Three", 1);
    book.Season("Three", 1);
    book.Season("Three", 1);
    book.Season("One", 1);
    EXPECT_EQ(Sorted(book, 8), (Names{"Three", "Two", "One"}));
    EXPECT_EQ(Sorted(book, -8), (Names{"One", "Two", "Three"}));
}

TEST(TacticOrder, EqualKeysKeepOrReverseTheirOrder)
{
    TestBook book;
    Names added;
    for (int i = 0; i < 20; ++i) {
        added.push_back("Tactic" + std::to_string(i));
        book.Season(added.back(), i);
    }
    EXPECT_EQ(Sorted(book, -6), added) << "every EV is 0.0: ascending keeps the order";
    Names reversed(added.rbegin(), added.rend());
    EXPECT_EQ(Sorted(book, 6), reversed) << "descending reverses it";
}

// Single-season tactics have no interval: they come last in descending order
// and first in ascending order, also when the merge path of the sort is used.
TEST(TacticOrder, TacticsWithoutIntervalSortBelowAll)
{
    TestBook book;
    for (int i = 0; i < 40; ++i) {
        std::string name = "T" + std::to_string(100 + i);
        book.Season(name, 30 + i);
        if (i % 3 != 0)
            book.Season(name, 32 + i);
    }
    auto has_interval = [&](int row) { return book.Summary(row)->points_stats->count > 1; };
    for (int code : {4, 7}) {
        TacticBook_Sort(book.get(), code);
        int first_single = 0;
        while (first_single < 40 && has_interval(first_single))
            ++first_single;
        for (int row = first_single; row < 40; ++row)
            EXPECT_FALSE(has_interval(row)) << "code " << code << ", row " << row;
        EXPECT_EQ(first_single, 26) << "code " << code;
        for (int row = 1; row < first_single; ++row)
            EXPECT_GE(TacticSummary_ComparePointsLow(&book->summaries->elems[row - 1], &book->summaries->elems[row]), 0)
                << "descending at row " << row;
    }
    TacticBook_Sort(book.get(), -4);
    for (int row = 0; row < 14; ++row)
        EXPECT_FALSE(has_interval(row)) << "ascending, row " << row;
    EXPECT_TRUE(has_interval(14));
}

TEST(TacticOrder, EmptyAndSingleBooks)
{
    TestBook empty;
    EXPECT_EQ(Sorted(empty, 4), Names{});
    TestBook one;
    one.Season("Only", 3);
    EXPECT_EQ(Sorted(one, -1), Names{"Only"});
}
