#include "compare/AssignmentSolver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The column of each row after solving a square problem (minimising).
std::vector<int> Pairing(const std::vector<std::vector<double>>& costs)
{
    const int n = static_cast<int>(costs.size());
    AssignmentSolver* solver = AssignmentSolver_Create(n, n);
    for (int k = 0; k < n * n; ++k)
        AssignmentSolver_SetCost(solver, k / n, k % n, costs[k / n][k % n]);
    AssignmentSolver_Solve(solver, false);
    std::vector<int> columns(solver->column_of_row, solver->column_of_row + n);
    AssignmentSolver_Destroy(solver);
    return columns;
}

} // namespace

TEST(AssignmentTies, AlikeColumnsKeepTheAuctionsPairing)
{
    // Columns 1 and 3 alike: two pairings share the least total, and the
    // auction's order of bidding picks one. The pitches draw it, so it stays.
    EXPECT_EQ(Pairing({{9, 3, 9, 3}, {0, 2, 2, 2}, {4, 5, 9, 5}, {3, 7, 3, 7}}), (std::vector<int>{3, 0, 1, 2}));
    EXPECT_EQ(Pairing({{8, 2, 0, 2}, {4, 9, 8, 9}, {8, 4, 6, 4}, {7, 7, 0, 7}}), (std::vector<int>{1, 0, 3, 2}));
}

TEST(AssignmentTies, CostsBetweenHalvesGoToTheNearestHalf)
{
    // 0.95 + 0.95 in halves is 2 + 2 against 3 + 0 (truncated, 1 + 1 would win).
    EXPECT_EQ(Pairing({{0.95, 1.5}, {0.0, 0.95}}), (std::vector<int>{1, 0}));
}
