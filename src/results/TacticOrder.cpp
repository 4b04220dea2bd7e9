#include "results/TacticOrder.h"

#include "stats/Intervals.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

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

double GoalsFor(const TacticSummary* s) { return s->goals_for_stats->mean; }
double GoalsAgainst(const TacticSummary* s) { return s->goals_against_stats->mean; }
double Points(const TacticSummary* s) { return s->points_stats->mean; }
double Ev(const TacticSummary* s) { return s->ev_stats->mean; }

double PointsLow(const TacticSummary* s)
{
    return s->points_stats->mean - SampleStats_HalfWidth95(s->points_stats);
}

double Prob(const TacticSummary* s)
{
    return s->ev_calculated ? s->ev_prob : std::numeric_limits<double>::quiet_NaN();
}

using KeyOf = double (*)(const TacticSummary*);

// An ordering by a double key (and a second one for equal keys), or by a
// comparator where the key is not a double.
struct Ordering {
    int code;
    KeyOf key;
    KeyOf tie_key;
    DArrayComparator compare; // when key is null
};

// Column codes 1 to 8 (the list passes column index + 1).
constexpr Ordering kOrderings[] = {
    {1, nullptr, nullptr, TacticSummary_CompareName},
    {2, GoalsFor, nullptr, nullptr},
    {3, GoalsAgainst, nullptr, nullptr},
    {4, PointsLow, nullptr, nullptr},
    {5, Points, nullptr, nullptr},
    {6, Ev, nullptr, nullptr},
    {7, Prob, PointsLow, nullptr},
    {8, nullptr, nullptr, TacticSummary_CompareSeasons},
};

const Ordering& OrderingFor(int code)
{
    long long column = code < 0 ? -static_cast<long long>(code) : code;
    for (const Ordering& o : kOrderings) {
        if (o.code == column)
            return o;
    }
    return kOrderings[3]; // as code 4
}

struct Keyed {
    double key;
    double tie_key;
    void* summary;
};

// The order DArray_Sort gives with the comparator of the same keys (both
// sorts are stable), with each key computed once instead of at every
// comparison.
void SortByKeys(DArray* summaries, const Ordering& ordering)
{
    std::vector<Keyed> keyed(static_cast<std::size_t>(summaries->count));
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        const auto* summary = static_cast<const TacticSummary*>(summaries->elems[i]);
        keyed[i] = {ordering.key(summary), ordering.tie_key ? ordering.tie_key(summary) : 0.0,
                    summaries->elems[i]};
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        int by_key = CompareKeys(a.key, b.key);
        return by_key != 0 ? by_key < 0 : CompareKeys(a.tie_key, b.tie_key) < 0;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        summaries->elems[i] = keyed[i].summary;
}

} // namespace

int TacticSummary_CompareName(const void* a, const void* b)
{
    return std::strcmp(SummaryIn(a)->name, SummaryIn(b)->name);
}

int TacticSummary_CompareGoalsFor(const void* a, const void* b)
{
    return CompareKeys(GoalsFor(SummaryIn(a)), GoalsFor(SummaryIn(b)));
}

int TacticSummary_CompareGoalsAgainst(const void* a, const void* b)
{
    return CompareKeys(GoalsAgainst(SummaryIn(a)), GoalsAgainst(SummaryIn(b)));
}

int TacticSummary_ComparePointsLow(const void* a, const void* b)
{
    return CompareKeys(PointsLow(SummaryIn(a)), PointsLow(SummaryIn(b)));
}

int TacticSummary_ComparePoints(const void* a, const void* b)
{
    return CompareKeys(Points(SummaryIn(a)), Points(SummaryIn(b)));
}

int TacticSummary_CompareEv(const void* a, const void* b)
{
    return CompareKeys(Ev(SummaryIn(a)), Ev(SummaryIn(b)));
}

int TacticSummary_CompareProb(const void* a, const void* b)
{
    int by_prob = CompareKeys(Prob(SummaryIn(a)), Prob(SummaryIn(b)));
    return by_prob != 0 ? by_prob : TacticSummary_ComparePointsLow(a, b);
}

int TacticSummary_CompareSeasons(const void* a, const void* b)
{
    int32_t x = SummaryIn(a)->points_stats->count;
    int32_t y = SummaryIn(b)->points_stats->count;
    return x < y ? -1 : (x > y ? 1 : 0);
}

void TacticBook_Sort(TacticBook* book, int code)
{
    const Ordering& ordering = OrderingFor(code);
    if (ordering.key)
        SortByKeys(book->summaries, ordering);
    else
        DArray_Sort(book->summaries, ordering.compare);
    if (code > 0)
        DArray_Reverse(book->summaries);
}
