#include "results/TacticOrder.h"

#include "stats/Intervals.h"

#include <cmath>
#include <cstring>

namespace {

const TacticSummary* SummaryIn(const void* slot)
{
    return *static_cast<const TacticSummary* const*>(slot);
}

// Ascending order of double keys; a key that is not a number comes below
// every number and equals another such key.
int CompareKeys(double x, double y)
{
    bool x_nan = std::isnan(x);
    bool y_nan = std::isnan(y);
    if (x_nan || y_nan)
        return x_nan == y_nan ? 0 : (x_nan ? -1 : 1);
    if (y < x)
        return 1;
    if (y > x)
        return -1;
    return 0;
}

double PointsLow(const TacticSummary* s)
{
    return s->points_stats->mean - SampleStats_HalfWidth95(s->points_stats);
}

struct Ordering {
    int code;
    DArrayComparator compare;
};

// Column codes 1 to 8 (the list passes column index + 1).
constexpr Ordering kOrderings[] = {
    {1, TacticSummary_CompareName},     {2, TacticSummary_CompareGoalsFor},
    {3, TacticSummary_CompareGoalsAgainst}, {4, TacticSummary_ComparePointsLow},
    {5, TacticSummary_ComparePoints},   {6, TacticSummary_CompareEv},
    {7, TacticSummary_ComparePointsLow}, {8, TacticSummary_CompareSeasons},
};

DArrayComparator OrderingFor(int code)
{
    long long column = code < 0 ? -static_cast<long long>(code) : code;
    for (const Ordering& o : kOrderings) {
        if (o.code == column)
            return o.compare;
    }
    return TacticSummary_ComparePointsLow;
}

} // namespace

int TacticSummary_CompareName(const void* a, const void* b)
{
    return std::strcmp(SummaryIn(a)->name, SummaryIn(b)->name);
}

int TacticSummary_CompareGoalsFor(const void* a, const void* b)
{
    return CompareKeys(SummaryIn(a)->goals_for_stats->mean, SummaryIn(b)->goals_for_stats->mean);
}

int TacticSummary_CompareGoalsAgainst(const void* a, const void* b)
{
    return CompareKeys(SummaryIn(a)->goals_against_stats->mean, SummaryIn(b)->goals_against_stats->mean);
}

int TacticSummary_ComparePointsLow(const void* a, const void* b)
{
    return CompareKeys(PointsLow(SummaryIn(a)), PointsLow(SummaryIn(b)));
}

int TacticSummary_ComparePoints(const void* a, const void* b)
{
    return CompareKeys(SummaryIn(a)->points_stats->mean, SummaryIn(b)->points_stats->mean);
}

int TacticSummary_CompareEv(const void* a, const void* b)
{
    return CompareKeys(SummaryIn(a)->ev_stats->mean, SummaryIn(b)->ev_stats->mean);
}

int TacticSummary_CompareSeasons(const void* a, const void* b)
{
    int32_t x = SummaryIn(a)->points_stats->count;
    int32_t y = SummaryIn(b)->points_stats->count;
    return x < y ? -1 : (x > y ? 1 : 0);
}

void TacticBook_Sort(TacticBook* book, int code)
{
    DArray_Sort(book->summaries, OrderingFor(code));
    if (code > 0)
        DArray_Reverse(book->summaries);
}
