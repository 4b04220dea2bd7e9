#include "app/ResultsListText.h"

#include "results/TacticNameIndex.h"
#include "stats/Intervals.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

const ResultsListColumn kResultsListColumnTable[kResultsListColumns] = {
    {"Tactic name", 200, false}, {"Goals", 100, true}, {"Conceded", 100, true}, {"Points", 100, true},
    {"Pts avg", 75, true},       {"EV", 60, true},     {"Prob", 60, true},     {"#", 50, true},
};

namespace {

enum Column { kName, kGoals, kConceded, kPoints, kPointsAverage, kEv, kProb, kSeasons };

constexpr const char* kNotANumber = "n/a";

// "%.2lf", or "n/a" for a value that is not a number.
std::string Fixed2(double value)
{
    if (std::isnan(value))
        return kNotANumber;
    char text[64];
    std::snprintf(text, sizeof text, "%.2lf", value);
    return text;
}

void MeanAndHalfWidth(const SampleStats* stats, char* buffer, std::size_t size)
{
    std::snprintf(buffer, size, "%s +- %s", Fixed2(stats->mean).c_str(),
                  Fixed2(SampleStats_HalfWidth95(stats)).c_str());
}

// "%.0lf%%" of the chance of the best EV, "n/a" without one, nothing before
// EV is calculated.
void Probability(const TacticSummary* summary, char* buffer, std::size_t size)
{
    if (!summary->ev_calculated)
        return;
    if (std::isnan(summary->ev_prob))
        std::snprintf(buffer, size, "%s", kNotANumber);
    else
        std::snprintf(buffer, size, "%.0lf%%", summary->ev_prob * 100.0);
}

void Interval(const SampleStats* stats, char* buffer, std::size_t size)
{
    double h = SampleStats_HalfWidth95(stats);
    if (std::isnan(h))
        std::snprintf(buffer, size, "%s", kNotANumber);
    else
        std::snprintf(buffer, size, "%.2lf - %.2lf", stats->mean - h, stats->mean + h);
}

} // namespace

void ResultsList_FormatCell(const TacticSummary* summary, int column, char* buffer, std::size_t size)
{
    if (size == 0)
        return;
    buffer[0] = '\0';
    switch (column) {
    case kName:
        std::snprintf(buffer, size, "%s", summary->name);
        break;
    case kGoals:
        MeanAndHalfWidth(summary->goals_for_stats, buffer, size);
        break;
    case kConceded:
        MeanAndHalfWidth(summary->goals_against_stats, buffer, size);
        break;
    case kPoints:
        Interval(summary->points_stats, buffer, size);
        break;
    case kPointsAverage:
        std::snprintf(buffer, size, "%s", Fixed2(summary->points_stats->mean).c_str());
        break;
    case kEv:
        std::snprintf(buffer, size, "%s", Fixed2(summary->ev_stats->mean).c_str());
        break;
    case kProb:
        Probability(summary, buffer, size);
        break;
    case kSeasons:
        std::snprintf(buffer, size, "%.0lf", static_cast<double>(summary->points_stats->count));
        break;
    default:
        break;
    }
}

int ResultsList_NextSortCode(int current, int clicked)
{
    if (clicked == 0)
        return current;
    if (current == clicked || static_cast<long long>(current) == -static_cast<long long>(clicked))
        return -current;
    return clicked;
}

namespace {

// The rows holding the selection's own summaries, in its order; empty when
// some summary is no longer in the list (or is selected twice). A book has
// one summary per name, so these are the rows found by name.
std::vector<int> RowsOfSameSummaries(const DArray* summaries, const DArray* selection)
{
    std::vector<std::pair<const void*, int>> wanted; // summary, place in the selection
    wanted.reserve(static_cast<std::size_t>(selection->count));
    for (int i = 0; i < selection->count; ++i)
        wanted.emplace_back(selection->elems[i], i);
    std::sort(wanted.begin(), wanted.end());
    std::vector<int> rows(wanted.size(), -1);
    std::size_t found = 0;
    for (int row = 0; row < summaries->count && found < rows.size(); ++row) {
        auto at = std::lower_bound(wanted.begin(), wanted.end(), std::pair<const void*, int>{summaries->elems[row], -1});
        if (at != wanted.end() && at->first == summaries->elems[row] && rows[static_cast<std::size_t>(at->second)] < 0) {
            rows[static_cast<std::size_t>(at->second)] = row;
            ++found;
        }
    }
    return found == rows.size() ? rows : std::vector<int>{};
}

} // namespace

std::vector<int> ResultsList_RowsOfTactics(const DArray* summaries, const DArray* selection)
{
    std::vector<int> same = RowsOfSameSummaries(summaries, selection);
    if (!same.empty() || selection->count == 0)
        return same;
    // A name index of the rows, the first row of a name winning: it makes no
    // allocation per tactic, which is what costs at tens of thousands.
    TacticNameIndex* index = TacticNameIndex_Create();
    for (int row = 0; row < summaries->count; ++row) {
        const char* name = static_cast<const TacticSummary*>(summaries->elems[row])->name;
        TacticName* entry = TacticNameIndex_Intern(index, name, std::strlen(name));
        if (entry->position < 0)
            entry->position = row;
    }
    std::vector<int> rows;
    for (int i = 0; i < selection->count; ++i) {
        const char* name = static_cast<const TacticSummary*>(selection->elems[i])->name;
        int row = TacticNameIndex_Intern(index, name, std::strlen(name))->position;
        if (row >= 0)
            rows.push_back(row);
    }
    TacticNameIndex_Destroy(index);
    return rows;
}
