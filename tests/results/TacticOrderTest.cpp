#include "results/TacticOrder.h"

#include "common/BookFixture.h"

#include <gtest/gtest.h>

#include <tuple>

using Names = std::vector<std::string>;

// Points interval low ends: alpha 70 - 539, Beta 60 - 3.04, gamma 50, Delta none (one season).
TEST(TacticOrder, EveryCodeInBothDirections)
{
    TestBook book;
    const std::tuple<const char*, std::vector<int>, int, int> tactics[] = {
        {"alpha", {40, 100}, 30, 30}, {"Beta", {59, 60, 61}, 5, 10}, {"gamma", {50, 50, 50, 50}, 10, 20}, {"Delta", {90}, 20, 40}};
    for (const auto& [name, points, goals_for, goals_against] : tactics)
        for (int p : points)
            book.Season(name, p, goals_for, goals_against);
    const Names low_end = {"Beta", "gamma", "alpha", "Delta"};
    const std::pair<int, Names> cases[] = {
        {1, {"gamma", "alpha", "Delta", "Beta"}}, {2, {"alpha", "Delta", "gamma", "Beta"}},
        {3, {"Delta", "alpha", "gamma", "Beta"}}, {4, low_end}, {5, {"Delta", "alpha", "Beta", "gamma"}},
        {7, low_end}, {8, {"gamma", "Beta", "alpha", "Delta"}}, {9, low_end}, {INT32_MAX, low_end}};
    for (const auto& [code, descending] : cases) {
        TacticBook_Sort(book.get(), code);
        EXPECT_EQ(book.Names(), descending) << "code " << code;
        TacticBook_Sort(book.get(), -code);
        EXPECT_EQ(book.Names(), Names(descending.rbegin(), descending.rend())) << "code " << -code;
    }
    for (int code : {0, INT32_MIN}) {
        TacticBook_Sort(book.get(), code);
        EXPECT_EQ(book.Names(), Names(low_end.rbegin(), low_end.rend())) << "code " << code << " sorts as -4";
    }
}

// Also beyond the 32 tactics sorted as one run; later seasons still find their tactics.
TEST(TacticOrder, EqualKeysKeepOrReverseTheirOrder)
{
    TestBook book;
    Names names;
    for (int i = 100; i < 140; ++i) {
        names.push_back("T" + std::to_string(i));
        book.Season(names.back(), 50);
        book.Season(names.back(), 60);
    }
    for (int code = 2; code <= 8; ++code) {
        TacticBook_Sort(book.get(), -1);
        TacticBook_Sort(book.get(), -code);
        EXPECT_EQ(book.Names(), names) << "code " << -code;
        TacticBook_Sort(book.get(), code);
        EXPECT_EQ(book.Names(), Names(names.rbegin(), names.rend())) << "code " << code;
    }
    for (const std::string& name : {names.front(), names.back()})
        book.Season(name, 70);
    EXPECT_EQ(book->summaries->count, 40);
    EXPECT_EQ(book.Summary(0)->points_stats->count + book.Summary(39)->points_stats->count, 6);
}
