#include "stats/TacticEv.h"

#include "stats/ExpectedPoints.h"

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Tactics with fewer EV seasons have no spread to judge them by.
constexpr int32_t kMinEvSeasons = 2;

TacticSummary* SummaryAt(const TacticBook* book, int i)
{
    return static_cast<TacticSummary*>(book->summaries->elems[i]);
}

struct Season {
    int64_t games;
    int32_t goals_for;
    int32_t goals_against;
};

Season SeasonOf(const TacticResult* record)
{
    int64_t games = record->games;
    if (games <= 0)
        games = static_cast<int64_t>(record->won) + record->drawn + record->lost;
    return {games, record->goals_for, record->goals_against};
}

double ExpectedPointsOf(const Season& season)
{
    if (season.games <= 0 || season.games > INT32_MAX)
        return kNaN;
    return ExpectedPoints(static_cast<int32_t>(season.games), season.goals_for, season.goals_against);
}

// The records of a tactic lie spread over memory: they are all read first,
// so that the reads overlap, and then computed.
void RefillEv(TacticSummary* summary, std::vector<Season>& seasons)
{
    seasons.clear();
    for (int i = 0; i < summary->results->count; ++i)
        seasons.push_back(SeasonOf(static_cast<const TacticResult*>(summary->results->elems[i])));
    SampleStats_Init(summary->ev_stats);
    for (const Season& season : seasons) {
        double ev = ExpectedPointsOf(season);
        if (!std::isnan(ev))
            SampleStats_Add(summary->ev_stats, ev);
    }
}

} // namespace

double TacticResult_ExpectedPoints(const TacticResult* record)
{
    return ExpectedPointsOf(SeasonOf(record));
}

void TacticBook_CalculateEv(TacticBook* book)
{
    TacticBook_FillEv(book);
    TacticBook_FillEvProbabilities(book);
    for (int i = 0; i < book->summaries->count; ++i)
        SummaryAt(book, i)->ev_calculated = 1;
}

void TacticBook_FillEv(TacticBook* book)
{
    std::vector<Season> seasons;
    for (int i = 0; i < book->summaries->count; ++i)
        RefillEv(SummaryAt(book, i), seasons);
}

void TacticBook_FillEvProbabilities(TacticBook* book)
{
    std::vector<MeanEstimate> estimates;
    std::vector<TacticSummary*> taking_part;
    for (int i = 0; i < book->summaries->count; ++i) {
        TacticSummary* summary = SummaryAt(book, i);
        summary->ev_prob = kNaN;
        const SampleStats* ev = summary->ev_stats;
        if (ev->count >= kMinEvSeasons) {
            estimates.push_back({ev->mean, std::sqrt(SampleStats_Variance(ev) / ev->count)});
            taking_part.push_back(summary);
        }
    }
    std::vector<double> probs(estimates.size());
    BestProbabilities(estimates.data(), static_cast<int>(estimates.size()), probs.data());
    for (std::size_t i = 0; i < probs.size(); ++i)
        taking_part[i]->ev_prob = probs[i];
}
