// The numbers behind the statistics dialog's charts: per-mille histograms of
// the season values and the rows of the running-mean line charts. Each chart
// is 144 columns by 100 rows.
#pragma once

#include "results/TacticResult.h"
#include "support/DArray.h"

#include <cstdint>

constexpr int kSeasonChartColumns = 144; // histogram bins; running-mean columns
constexpr int kSeasonChartRows = 100;    // image height in pixels
constexpr int32_t kSeasonChartRowLimit = 100000; // rows are clamped to +- this

// What a chart shows of each season.
enum class SeasonMeasure { GoalsFor, GoalsAgainst, Points };

// The measure's value for one season.
int32_t SeasonMeasure_Value(const TacticResult* season, SeasonMeasure measure);

// The value counted in bin 0 of the measure's histogram: 12 for goals scored
// and points, 0 for goals conceded.
int32_t SeasonMeasure_FirstBinValue(SeasonMeasure measure);

// The per-mille histogram of seasons (a DArray of TacticResult*): bin b holds
// the seasons whose value is the first bin value + b, times 1000 divided by
// the number of all seasons (truncating). A season outside the 144 bins is
// in no bin but counts in the division. No seasons: every bin 0.
void SeasonCharts_Histogram(const DArray* seasons, SeasonMeasure measure,
                            int32_t bins[kSeasonChartColumns]);

// The season shown in a column of a running-mean chart: seasons x column / 144,
// truncating (seasons >= 0, 0 <= column < 144).
int32_t SeasonCharts_ColumnSeason(int32_t seasons, int column);

// The chart row of a running mean: the final mean on row 50, one unit of the
// measure per 50 rows, larger means higher; truncated towards zero and
// clamped to +- kSeasonChartRowLimit so that any mean gives a valid integer.
int32_t SeasonCharts_Row(double running_mean, double final_mean);

// The running-mean chart of seasons: rows[j] is the row of the mean of the
// first SeasonCharts_ColumnSeason(count, j) + 1 seasons, for all 144 columns.
// Returns the number of rows filled: 144, or 0 when there are no seasons.
int SeasonCharts_RunningMeanRows(const DArray* seasons, SeasonMeasure measure,
                                 int32_t rows[kSeasonChartColumns]);
