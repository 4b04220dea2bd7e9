#include "stats/SeasonCharts.h"

#include "stats/SampleStats.h"
#include "support/NumVector.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMeanRow = 50.0;
constexpr double kRowsPerTwoUnits = 100.0;

const TacticResult* Season(const DArray* seasons, int32_t i)
{
    return static_cast<const TacticResult*>(seasons->elems[i]);
}

} // namespace

int32_t SeasonMeasure_Value(const TacticResult* season, SeasonMeasure measure)
{
    switch (measure) {
    case SeasonMeasure::GoalsFor:
        return season->goals_for;
    case SeasonMeasure::GoalsAgainst:
        return season->goals_against;
    case SeasonMeasure::Points:
        return season->points;
    }
    return 0;
}

int32_t SeasonMeasure_FirstBinValue(SeasonMeasure measure)
{
    return measure == SeasonMeasure::GoalsAgainst ? 0 : 12;
}

void SeasonCharts_Histogram(const DArray* seasons, SeasonMeasure measure,
                            int32_t bins[kSeasonChartColumns])
{
    std::fill(bins, bins + kSeasonChartColumns, 0);
    const int32_t count = seasons->count;
    if (count <= 0)
        return;
    const int64_t first = SeasonMeasure_FirstBinValue(measure);
    for (int32_t i = 0; i < count; ++i) {
        int64_t bin = SeasonMeasure_Value(Season(seasons, i), measure) - first;
        if (bin >= 0 && bin < kSeasonChartColumns)
            ++bins[bin];
    }
    for (int b = 0; b < kSeasonChartColumns; ++b)
        bins[b] = static_cast<int32_t>(static_cast<int64_t>(bins[b]) * 1000 / count);
}

int32_t SeasonCharts_ColumnSeason(int32_t seasons, int column)
{
    return static_cast<int32_t>(static_cast<int64_t>(seasons) * column / kSeasonChartColumns);
}

int32_t SeasonCharts_Row(double running_mean, double final_mean)
{
    const double lo = final_mean - 1.0;
    const double hi = final_mean + 1.0;
    // Means of 32-bit values always leave a span of 2; a mean so large that
    // the span vanishes, or one that is no number, is drawn on the mean row.
    if (!(hi - lo > 0.0))
        return static_cast<int32_t>(kMeanRow);
    double row = kMeanRow - (running_mean - final_mean) * kRowsPerTwoUnits / (hi - lo);
    if (std::isnan(row))
        return static_cast<int32_t>(kMeanRow);
    row = std::clamp(row, -static_cast<double>(kSeasonChartRowLimit),
                     static_cast<double>(kSeasonChartRowLimit));
    return static_cast<int32_t>(row);
}

int SeasonCharts_RunningMeanRows(const DArray* seasons, SeasonMeasure measure,
                                 int32_t rows[kSeasonChartColumns])
{
    const int32_t count = seasons->count;
    if (count <= 0)
        return 0;
    double* means = DoubleVector_Alloc(count);
    SampleStats stats;
    SampleStats_Init(&stats);
    for (int32_t i = 0; i < count; ++i) {
        SampleStats_Add(&stats, static_cast<double>(SeasonMeasure_Value(Season(seasons, i), measure)));
        means[i] = stats.mean;
    }
    for (int j = 0; j < kSeasonChartColumns; ++j)
        rows[j] = SeasonCharts_Row(means[SeasonCharts_ColumnSeason(count, j)], stats.mean);
    DoubleVector_Free(means);
    return kSeasonChartColumns;
}
