// Pairing the players of two realistic formations: the whole matching, the
// cost matrix alone and the 11 x 11 assignment solve alone, also with two
// players of B alike (then several pairings have the least total and the
// auction decides). tools/bench runs it built with g++ and with clang.
#include "compare/AssignmentSolver.h"
#include "compare/PlayerMatch.h"
#include "support/NumVector.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

constexpr int kPlayers = kFormationPlayers;
constexpr int kPairs = 256;

void Put16(Formation* f, int offset, int value)
{
    auto bits = static_cast<uint16_t>(static_cast<int16_t>(value));
    f->bytes[offset] = static_cast<uint8_t>(bits & 0xFF);
    f->bytes[offset + 1] = static_cast<uint8_t>(bits >> 8);
}

// A 4-4-2, 4-3-3 or 3-5-2 that follows the ball's zone, with a jitter of up
// to two grid steps, players in random order.
Formation RealisticFormation(std::mt19937& random)
{
    static const int kShapes[3][kPlayers][2] = {
        {{13, 2}, {4, 9}, {10, 8}, {16, 8}, {22, 9}, {4, 17}, {10, 16}, {16, 16}, {22, 17}, {10, 25}, {16, 25}},
        {{13, 2}, {4, 9}, {10, 8}, {16, 8}, {22, 9}, {7, 16}, {13, 15}, {19, 16}, {5, 26}, {13, 27}, {21, 26}},
        {{13, 2}, {7, 8}, {13, 7}, {19, 8}, {2, 16}, {8, 15}, {13, 17}, {18, 15}, {24, 16}, {10, 26}, {16, 26}},
    };
    const auto& shape = kShapes[random() % 3];
    int order[kPlayers];
    for (int p = 0; p < kPlayers; ++p)
        order[p] = p;
    std::shuffle(order, order + kPlayers, random);
    auto jitter = [&random] { return static_cast<int>(random() % 5) - 2; };
    Formation f{};
    for (int p = 0; p < kPlayers; ++p) {
        for (int s = 0; s < 2; ++s) {
            for (int c = 0; c < 3; ++c) {
                for (int r = 0; r < 4; ++r) {
                    int x = shape[order[p]][0] + (c - 1) * 3 + jitter();
                    int y = shape[order[p]][1] + (2 * r - 3) * 3 / 2 + 2 * s + jitter();
                    int offset = Formation_EntryOffset(p, s, c, r);
                    Put16(&f, offset, std::clamp(x, 0, 26));
                    Put16(&f, offset + 2, std::clamp(y, 0, 35));
                }
            }
        }
    }
    return f;
}

const std::vector<Formation>& Formations()
{
    static const std::vector<Formation> formations = [] {
        std::mt19937 random(2024);
        std::vector<Formation> all;
        for (int k = 0; k < 2 * kPairs; ++k)
            all.push_back(RealisticFormation(random));
        return all;
    }();
    return formations;
}

struct CostTable {
    double cost[kPlayers][kPlayers];
};

const std::vector<CostTable>& Costs()
{
    static const std::vector<CostTable> costs = [] {
        std::vector<CostTable> all(kPairs);
        for (int k = 0; k < kPairs; ++k)
            Formation_MatchCosts(&Formations()[2 * k], &Formations()[2 * k + 1], all[k].cost);
        return all;
    }();
    return costs;
}

} // namespace

// Formation_MatchPlayers as the difference dialog calls it: costs, solver,
// result.
static void BM_MatchPlayers(benchmark::State& state)
{
    const std::vector<Formation>& formations = Formations();
    int k = 0;
    for (auto _ : state) {
        int32_t* match = Formation_MatchPlayers(&formations[2 * k], &formations[2 * k + 1]);
        benchmark::DoNotOptimize(match[0]);
        IntVector_Free(match);
        k = (k + 1) % kPairs;
    }
}
BENCHMARK(BM_MatchPlayers);

static void BM_CostMatrix(benchmark::State& state)
{
    const std::vector<Formation>& formations = Formations();
    CostTable table;
    int k = 0;
    for (auto _ : state) {
        Formation_MatchCosts(&formations[2 * k], &formations[2 * k + 1], table.cost);
        benchmark::DoNotOptimize(table);
        k = (k + 1) % kPairs;
    }
}
BENCHMARK(BM_CostMatrix);

// One 11 x 11 solve from a given cost matrix: set the costs, solve, read the
// columns (the solver is created once).
static void SolveEach(benchmark::State& state, const std::vector<CostTable>& costs)
{
    AssignmentSolver* solver = AssignmentSolver_Create(kPlayers, kPlayers);
    int k = 0;
    for (auto _ : state) {
        for (int i = 0; i < kPlayers; ++i)
            for (int j = 0; j < kPlayers; ++j)
                AssignmentSolver_SetCost(solver, i, j, costs[k].cost[i][j]);
        AssignmentSolver_Solve(solver, false);
        for (int i = 0; i < kPlayers; ++i)
            benchmark::DoNotOptimize(AssignmentSolver_GetColumn(solver, i));
        k = (k + 1) % kPairs;
    }
    AssignmentSolver_Destroy(solver);
}

static void BM_Solve11x11(benchmark::State& state)
{
    SolveEach(state, Costs());
}
BENCHMARK(BM_Solve11x11);

// B's last player stands where B's player 3 stands.
static void BM_Solve11x11Alike(benchmark::State& state)
{
    static const std::vector<CostTable> alike = [] {
        std::vector<CostTable> all = Costs();
        for (CostTable& table : all)
            for (int i = 0; i < kPlayers; ++i)
                table.cost[i][kPlayers - 1] = table.cost[i][3];
        return all;
    }();
    SolveEach(state, alike);
}
BENCHMARK(BM_Solve11x11Alike);
