// Calculate EV on 1,000,000 generated seasons in 20,000 tactics: the expected
// points of the seasons (ns per season), the probabilities of the best EV
// (also for 20,000 equally strong tactics), and the whole command. Sorting 50,000 tactics by the points interval's low
// end with each key computed once per sort, against the comparator that
// computes both keys at every comparison.
#include "BenchFiles.h"
#include "results/TacticBook.h"
#include "results/TacticOrder.h"
#include "stats/ExpectedPoints.h"
#include "stats/TacticEv.h"
#include "support/Str.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr long kEvSeasons = 1000000;
constexpr int kEvTactics = 20000;
constexpr long kSortSeasons = 500000;
constexpr int kSortTactics = 50000;

// A generated book, loaded once per run; its tactics folder is the generated
// files' folder, which holds no tactic files.
TacticBook* LoadedBook(long seasons, int tactics)
{
    static std::map<std::pair<long, int>, TacticBook*> books;
    TacticBook*& book = books[{seasons, tactics}];
    if (!book) {
        const std::string& path = BenchResultsFile(seasons, tactics);
        book = TacticBook_Create();
        Str_Free(book->tactics_folder);
        book->tactics_folder = Str_Dup(std::filesystem::path(path).parent_path().string().c_str());
        TacticBook_LoadFile(book, path.c_str());
    }
    return book;
}

TacticSummary* SummaryAt(const TacticBook* book, int i)
{
    return static_cast<TacticSummary*>(book->summaries->elems[i]);
}

// The expected points of every season, refilling each tactic's ev_stats.
void BM_FillEv(benchmark::State& state)
{
    TacticBook* book = LoadedBook(kEvSeasons, kEvTactics);
    for (auto _ : state)
        TacticBook_FillEv(book);
    // Shown as a time: CPU time per season.
    state.counters["per_season"] = benchmark::Counter(static_cast<double>(book->results->count),
                                                      benchmark::Counter::kIsIterationInvariantRate |
                                                          benchmark::Counter::kInvert);
    state.counters["seasons"] = book->results->count;
}

// The probabilities of the best EV of the 20,000 tactics.
void BM_FillEvProbabilities(benchmark::State& state)
{
    TacticBook* book = LoadedBook(kEvSeasons, kEvTactics);
    TacticBook_FillEv(book);
    for (auto _ : state)
        TacticBook_FillEvProbabilities(book);
    double best = 0.0;
    for (int i = 0; i < book->summaries->count; ++i)
        best = std::max(best, SummaryAt(book, i)->ev_prob);
    state.counters["best"] = best;
    state.counters["tactics"] = book->summaries->count;
}

// The probabilities when all 20,000 tactics are equally strong, so that none
// can be ruled out: means around 55 within their standard errors 7 / sqrt(n)
// for 10 to 90 seasons.
void BM_BestProbabilitiesEqualTactics(benchmark::State& state)
{
    std::mt19937 random(5);
    std::uniform_int_distribution<int> seasons(10, 90);
    std::normal_distribution<double> deviation(0.0, 1.0);
    std::vector<MeanEstimate> estimates;
    for (int i = 0; i < kEvTactics; ++i) {
        double se = 7.0 / std::sqrt(static_cast<double>(seasons(random)));
        estimates.push_back({55.0 + se * deviation(random), se});
    }
    std::vector<double> probs(estimates.size());
    for (auto _ : state) {
        BestProbabilities(estimates.data(), kEvTactics, probs.data());
        benchmark::DoNotOptimize(probs.data());
    }
}

void BM_CalculateEv(benchmark::State& state)
{
    TacticBook* book = LoadedBook(kEvSeasons, kEvTactics);
    for (auto _ : state)
        TacticBook_CalculateEv(book);
    state.counters["tactics"] = book->summaries->count;
}

// Sorting from the same shuffled order every time, by code 4 as the list
// does: the comparator that computes both keys at every comparison (the
// earlier way), or TacticBook_Sort with each key computed once.
void SortFromShuffled(benchmark::State& state, bool keys_once)
{
    TacticBook* book = LoadedBook(kSortSeasons, kSortTactics);
    DArray* summaries = book->summaries;
    std::vector<void*> shuffled(summaries->elems, summaries->elems + summaries->count);
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    for (auto _ : state) {
        std::memcpy(summaries->elems, shuffled.data(), shuffled.size() * sizeof(void*));
        if (keys_once) {
            TacticBook_Sort(book, 4);
        } else {
            DArray_Sort(summaries, TacticSummary_ComparePointsLow);
            DArray_Reverse(summaries);
        }
    }
    state.counters["tactics"] = summaries->count;
}

void BM_SortPointsLowEveryComparison(benchmark::State& state) { SortFromShuffled(state, false); }
void BM_SortPointsLowKeysOnce(benchmark::State& state) { SortFromShuffled(state, true); }

} // namespace

BENCHMARK(BM_FillEv)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FillEvProbabilities)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BestProbabilitiesEqualTactics)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CalculateEv)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SortPointsLowEveryComparison)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SortPointsLowKeysOnce)->Unit(benchmark::kMillisecond)->MinTime(2.0);
