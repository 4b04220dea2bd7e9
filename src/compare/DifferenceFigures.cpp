#include "compare/DifferenceFigures.h"

#include "compare/DifferenceText.h"
#include "stats/Intervals.h"

namespace {

// How each figure is shown.
struct Shown {
    bool probability; // else a difference
    bool fewer_is_better;
};

const Shown kShown[kDifferenceValueCount] = {
    {false, false}, {true, false}, // goals scored
    {false, true},  {true, false}, // goals conceded: its probability already favours fewer
    {false, false}, {true, false}, // points
};

} // namespace

DifferencePair DifferencePair_Choose(const DArray* selection)
{
    DifferencePair pair{nullptr, nullptr};
    if (!selection)
        return pair;
    for (int32_t i = 0; i < selection->count && !pair.a; ++i)
        pair.a = static_cast<const TacticSummary*>(selection->elems[i]);
    for (int32_t i = selection->count - 1; i >= 0 && !pair.b; --i)
        pair.b = static_cast<const TacticSummary*>(selection->elems[i]);
    return pair;
}

DifferenceFigures DifferenceFigures_Compute(const TacticSummary* a, const TacticSummary* b)
{
    DifferenceFigures f{};
    f.values[kGoalsDifference] = a->goals_for_stats->mean - b->goals_for_stats->mean;
    f.values[kGoalsProbability] = ProbGreater(a->goals_for_stats, b->goals_for_stats);
    f.values[kConcededDifference] = a->goals_against_stats->mean - b->goals_against_stats->mean;
    f.values[kConcededProbability] = ProbGreater(b->goals_against_stats, a->goals_against_stats);
    f.values[kPointsDifference] = a->points_stats->mean - b->points_stats->mean;
    f.values[kPointsProbability] = ProbGreater(a->points_stats, b->points_stats);
    return f;
}

void DifferenceFigures_Show(const DifferenceFigures* figures, DifferenceValue which, char* buffer,
                            std::size_t size, uint32_t* colour)
{
    const double value = figures->values[which];
    const Shown& shown = kShown[which];
    if (shown.probability) {
        DifferenceText_Probability(value, buffer, size);
        *colour = ProbabilityColour(value);
    } else {
        DifferenceText_Difference(value, buffer, size);
        *colour = DifferenceColour(shown.fewer_is_better ? -value : value);
    }
}
