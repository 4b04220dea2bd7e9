#include "stats/SeasonCharts.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// Seasons of one tactic, released with the test.
class Seasons {
public:
    Seasons() : list_(DArray_Create(0)) {}
    ~Seasons()
    {
        for (TacticResult* r : owned_)
            TacticResult_Destroy(r);
        DArray_Destroy(list_, nullptr);
    }
    Seasons(const Seasons&) = delete;
    Seasons& operator=(const Seasons&) = delete;

    void Add(int32_t goals_for, int32_t goals_against, int32_t points)
    {
        TacticResult* r = TacticResult_Create();
        r->goals_for = goals_for;
        r->goals_against = goals_against;
        r->points = points;
        owned_.push_back(r);
        DArray_Append(list_, r);
    }
    // The same season again, without a new record.
    void Repeat(int times)
    {
        for (int i = 0; i < times; ++i)
            DArray_Append(list_, owned_.back());
    }
    const DArray* get() const { return list_; }

private:
    DArray* list_;
    std::vector<TacticResult*> owned_;
};

std::vector<int32_t> Histogram(const Seasons& s, SeasonMeasure m)
{
    std::vector<int32_t> bins(kSeasonChartColumns, -7);
    SeasonCharts_Histogram(s.get(), m, bins.data());
    return bins;
}

// The bins that are not 0, as "bin:value" pairs.
std::string NonZero(const std::vector<int32_t>& bins)
{
    std::string s;
    for (size_t b = 0; b < bins.size(); ++b)
        if (bins[b] != 0)
            s += std::to_string(b) + ":" + std::to_string(bins[b]) + " ";
    return s;
}

} // namespace

TEST(SeasonCharts, HistogramOfThreeSeasons)
{
    Seasons s;
    s.Add(12, 0, 50);
    s.Add(20, 5, 60);
    s.Add(20, 143, 70);
    EXPECT_EQ(NonZero(Histogram(s, SeasonMeasure::Points)), "38:333 48:333 58:333 ");
    EXPECT_EQ(NonZero(Histogram(s, SeasonMeasure::GoalsFor)), "0:333 8:666 ") << "12 goals is bin 0";
    EXPECT_EQ(NonZero(Histogram(s, SeasonMeasure::GoalsAgainst)), "0:333 5:333 143:333 ")
        << "goals conceded have no offset";
}

TEST(SeasonCharts, HistogramTruncatesPerMille)
{
    Seasons s;
    EXPECT_EQ(NonZero(Histogram(s, SeasonMeasure::Points)), "") << "no seasons: every bin cleared, no division";
    s.Add(30, 30, 30);
    s.Add(31, 31, 31);
    s.Repeat(4);
    s.Add(32, 32, 32);
    EXPECT_EQ(NonZero(Histogram(s, SeasonMeasure::GoalsAgainst)), "30:142 31:714 32:142 ")
        << "1000 / 7 = 142, 5000 / 7 = 714";
}

TEST(SeasonCharts, SeasonsOutsideTheBinsCountOnlyInTheShares)
{
    Seasons s;
    s.Add(11, -1, 11);
    s.Add(156, 144, 156);
    s.Add(INT32_MIN, INT32_MIN, INT32_MIN);
    s.Add(INT32_MAX, INT32_MAX, INT32_MAX);
    s.Add(155, 143, 12);
    for (SeasonMeasure m : {SeasonMeasure::GoalsFor, SeasonMeasure::GoalsAgainst, SeasonMeasure::Points}) {
        std::vector<int32_t> bins = Histogram(s, m);
        int32_t sum = 0;
        for (int32_t b : bins)
            sum += b;
        EXPECT_EQ(sum, 200) << "one season in five is inside the bins, measure " << static_cast<int>(m);
    }
    EXPECT_EQ(NonZero(Histogram(s, SeasonMeasure::GoalsFor)), "143:200 ") << "155 goals is the last bin";
    EXPECT_EQ(NonZero(Histogram(s, SeasonMeasure::GoalsAgainst)), "143:200 ");
    EXPECT_EQ(NonZero(Histogram(s, SeasonMeasure::Points)), "0:200 ");
}

TEST(SeasonCharts, HistogramOfManySeasonsDoesNotOverflow)
{
    // 2.2 million seasons in one bin: bin x 1000 exceeds 32 bits.
    Seasons s;
    s.Add(50, 50, 50);
    s.Repeat(2200000 - 1);
    EXPECT_EQ(NonZero(Histogram(s, SeasonMeasure::Points)), "38:1000 ");
}

TEST(SeasonCharts, ColumnSeasonSpreadsTheSeasons)
{
    for (int column : {0, 47, 48, 95, 96, 143})
        EXPECT_EQ(SeasonCharts_ColumnSeason(3, column), column / 48) << "3 seasons, column " << column;
    EXPECT_EQ(SeasonCharts_ColumnSeason(1, 143), 0);
    EXPECT_EQ(SeasonCharts_ColumnSeason(288, 100), 200) << "more seasons than columns skip some";
    EXPECT_EQ(SeasonCharts_ColumnSeason(INT32_MAX, 143), static_cast<int32_t>(int64_t{INT32_MAX} * 143 / 144))
        << "no 32-bit overflow";
    EXPECT_LT(SeasonCharts_ColumnSeason(INT32_MAX, 143), INT32_MAX) << "always a valid index";
}

TEST(SeasonCharts, RowPutsTheFinalMeanOnRow50)
{
    EXPECT_EQ(SeasonCharts_Row(60.0, 60.0), 50);
    EXPECT_EQ(SeasonCharts_Row(50.0, 60.0), 550) << "10 below the mean: 500 rows lower";
    EXPECT_EQ(SeasonCharts_Row(61.0, 60.0), 0) << "one unit above the mean is the top row";
    EXPECT_EQ(SeasonCharts_Row(60.5, 60.0), 25);
    EXPECT_EQ(SeasonCharts_Row(61.01, 60.0), 0) << "-0.5 truncates towards zero";
    EXPECT_EQ(SeasonCharts_Row(61.03, 60.0), -1) << "-1.5 truncates towards zero";
}

TEST(SeasonCharts, RowIsClampedToASafeRange)
{
    EXPECT_EQ(SeasonCharts_Row(-2147483648.0, 2147483647.0), kSeasonChartRowLimit);
    EXPECT_EQ(SeasonCharts_Row(2147483647.0, -2147483648.0), -kSeasonChartRowLimit);
    EXPECT_EQ(SeasonCharts_Row(std::numeric_limits<double>::infinity(), 0.0), -kSeasonChartRowLimit);
    EXPECT_EQ(SeasonCharts_Row(std::nan(""), 0.0), 50) << "no number: the mean row";
    EXPECT_EQ(SeasonCharts_Row(0.0, 1e300), 50) << "a mean too large for a span of 2";
}

TEST(SeasonCharts, RunningMeanRowsOfThreeSeasons)
{
    Seasons s;
    s.Add(1, 2, 50);
    s.Add(1, 2, 60);
    s.Add(1, 2, 70);
    int32_t rows[kSeasonChartColumns];
    ASSERT_EQ(SeasonCharts_RunningMeanRows(s.get(), SeasonMeasure::Points, rows), kSeasonChartColumns);
    for (int j = 0; j < kSeasonChartColumns; ++j) {
        int32_t expected = j < 48 ? 550 : j < 96 ? 300 : 50;
        EXPECT_EQ(rows[j], expected) << "column " << j;
    }
    ASSERT_EQ(SeasonCharts_RunningMeanRows(s.get(), SeasonMeasure::GoalsFor, rows), kSeasonChartColumns);
    for (int j = 0; j < kSeasonChartColumns; ++j)
        EXPECT_EQ(rows[j], 50) << "a constant measure stays on the mean row, column " << j;
}

TEST(SeasonCharts, RunningMeanRowsOfManySeasonsSkipSome)
{
    // 288 seasons of 0, 1, 2, ...: column j shows the mean of the first
    // 2j + 1 seasons, which is j; the final mean is 143.5. A neighbouring
    // season would be 25 rows off; rounding of the running mean at most 1.
    Seasons s;
    for (int i = 0; i < 288; ++i)
        s.Add(i, 0, 0);
    int32_t rows[kSeasonChartColumns];
    ASSERT_EQ(SeasonCharts_RunningMeanRows(s.get(), SeasonMeasure::GoalsFor, rows), kSeasonChartColumns);
    for (int j = 0; j < kSeasonChartColumns; ++j)
        EXPECT_NEAR(rows[j], 50.0 - (j - 143.5) * 50.0, 1.0) << "column " << j;
}

TEST(SeasonCharts, RunningMeanRowsOfAFarSeasonStayIntegers)
{
    Seasons s;
    s.Add(INT32_MIN, 0, 0);
    s.Add(INT32_MAX, 0, 0);
    s.Add(INT32_MAX, 0, 0);
    int32_t rows[kSeasonChartColumns];
    ASSERT_EQ(SeasonCharts_RunningMeanRows(s.get(), SeasonMeasure::GoalsFor, rows), kSeasonChartColumns);
    EXPECT_EQ(rows[0], kSeasonChartRowLimit) << "far below the mean: clamped";
    EXPECT_EQ(rows[143], 50);

    Seasons none;
    rows[0] = -7;
    EXPECT_EQ(SeasonCharts_RunningMeanRows(none.get(), SeasonMeasure::Points, rows), 0);
    EXPECT_EQ(rows[0], -7) << "no seasons: nothing written";
}
