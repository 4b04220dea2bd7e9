#include "stats/SeasonCharts.h"

#include "common/BookFixture.h"

#include <gtest/gtest.h>

// The bins that are not 0, as "bin:value" pairs.
static std::string Histogram(const DArray* seasons, SeasonMeasure measure)
{
    std::vector<int32_t> bins(kSeasonChartColumns, -7);
    SeasonCharts_Histogram(seasons, measure, bins.data());
    std::string text;
    for (std::size_t b = 0; b < bins.size(); ++b)
        text += bins[b] ? std::to_string(b) + ":" + std::to_string(bins[b]) + " " : "";
    return text;
}

// Tactics whose goals for, goals against and points are the same in each season.
TEST(SeasonCharts, HistogramsAndRunningMeans)
{
    TestBook book;
    const std::vector<int> tactics[] = {{12, 20, 20}, {30, 31, 31, 31, 31, 31, 32}, {11, 156, INT32_MIN, INT32_MAX, 155}, {50, 60, 70}};
    for (int i = 0; i < 4; ++i)
        for (int value : tactics[i])
            book.Season("Tactic" + std::to_string(i), value, value, value);
    EXPECT_EQ(Histogram(book.Summary(0)->results, SeasonMeasure::GoalsFor), "0:333 8:666 ") << "goals scored from 12 on";
    EXPECT_EQ(Histogram(book.Summary(0)->results, SeasonMeasure::GoalsAgainst), "12:333 20:666 ") << "conceded from 0 on";
    EXPECT_EQ(Histogram(book.Summary(1)->results, SeasonMeasure::Points), "18:142 19:714 20:142 ") << "truncated";
    EXPECT_EQ(Histogram(book.Summary(2)->results, SeasonMeasure::Points), "143:200 ") << "outside the bins: only in the shares";
    int32_t rows[kSeasonChartColumns];
    ASSERT_EQ(SeasonCharts_RunningMeanRows(book.Summary(3)->results, SeasonMeasure::Points, rows), kSeasonChartColumns);
    for (int j = 0; j < kSeasonChartColumns; ++j) // the mean of seasons 0 to 3j / 144; the final mean on row 50
        EXPECT_EQ(rows[j], j < 48 ? 550 : j < 96 ? 300 : 50) << "column " << j;
}
