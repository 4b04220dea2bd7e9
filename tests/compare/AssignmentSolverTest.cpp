#include "compare/AssignmentSolver.h"

#include "compare/AssignmentReference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// The column of each row after solving with costs cost(i, j), checked against row_of_column.
template <typename Cost> std::vector<int> Solve(int rows, int columns, Cost cost, bool maximise = false)
{
    AssignmentSolver* solver = AssignmentSolver_Create(rows, columns);
    for (int k = 0; k < rows * columns; ++k)
        AssignmentSolver_SetCost(solver, k / columns, k % columns, cost(k / columns, k % columns));
    AssignmentSolver_Solve(solver, maximise);
    std::vector<int> got(rows, -1);
    for (int j = 0; j < columns; ++j)
        if (solver->row_of_column[j] != -1)
            got.at(solver->row_of_column[j]) = j;
    for (int i = 0; i < rows; ++i)
        EXPECT_EQ(AssignmentSolver_GetColumn(solver, i), got[i]) << "row " << i << ", against row_of_column";
    AssignmentSolver_Destroy(solver);
    return got;
}

} // namespace

// Every 3 x 3 problem of costs 0, 0.5, 1 and 4 x 4 one of costs 0, 0.5 (every fifth negated and maximised)
// ends with a least-cost assignment. Formations give larger problems (PlayerMatchTest).
TEST(AssignmentSolver, EverySmallProblem)
{
    int failures = 0;
    for (auto [n, values, count] : {std::tuple{3, 3, 19683}, std::tuple{4, 2, 65536}}) {
        for (int code = 0; code < count; ++code) {
            CostMatrix m{n, {}};
            for (int k = 0, rest = code; k < n * n; ++k, rest /= values)
                m.cost.push_back(rest % values); // halves
            const double sign = code % 5 == 1 ? -0.5 : 0.5;
            std::vector<int> got = Solve(n, n, [&](int i, int j) { return sign * double(m.At(i, j)); }, sign < 0);
            if (!IsLeastAssignment(m, got) && ++failures <= 5)
                ADD_FAILURE() << n << " x " << n << " problem " << code << ": expected a least-cost assignment, got "
                              << ::testing::PrintToString(got);
        }
    }
    EXPECT_EQ(failures, 0);
    for (int n = 1; n <= 13; ++n) { // the tie order pairs row i with column i in a single pass
        std::vector<int> got = Solve(n, n, [](int, int) { return 0.0; });
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(got[i], i) << n << " x " << n << ", every cost 0: row " << i;
    }
}

// Rectangular solvers make min(rows, columns) pairs; NaN counts as 0, infinities and huge costs are
// capped, other costs go to the nearest half; indices outside the solver are ignored.
TEST(AssignmentSolver, UnusualCostsAndIndices)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const struct { double cost[2][2]; int column_of_row_0; } cases[] = {
        {{{nan, 1}, {1, nan}}, 0}, {{{1, nan}, {nan, 1}}, 1}, {{{inf, 5}, {5, 0}}, 1}, {{{-inf, 5}, {5, 0}}, 0},
        {{{1e300, 1e14}, {1e14, 0}}, 1}, {{{0.74, 1.26}, {0, 0.74}}, 0}}; // 0.5 + 0.5 against 1.5 + 0
    for (const auto& c : cases)
        EXPECT_EQ(Solve(2, 2, [&](int i, int j) { return c.cost[i][j]; })[0], c.column_of_row_0)
            << "costs " << c.cost[0][0] << " " << c.cost[0][1] << " " << c.cost[1][0] << " " << c.cost[1][1];
    const double kRectangular[3][3] = {{5, 1, 9}, {1, 5, 9}, {9, 9, 9}};
    EXPECT_EQ(Solve(2, 3, [&](int i, int j) { return kRectangular[i][j]; }), (std::vector{1, 0})) << "2 x 3";
    EXPECT_EQ(Solve(3, 2, [&](int i, int j) { return kRectangular[i][j]; }), (std::vector{1, 0, -1})) << "3 x 2";
    EXPECT_EQ(Solve(0, -3, [](int, int) { return 0.0; }), std::vector<int>{}) << "negative sizes count as 0";
    AssignmentSolver_Destroy(nullptr);

    AssignmentSolver* solver = AssignmentSolver_Create(5, 5);
    for (auto [row, column] : {std::pair{-1, 0}, {5, 0}, {0, -1}, {0, 5}})
        AssignmentSolver_SetCost(solver, row, column, 1.0);
    EXPECT_EQ(std::count(solver->cost, solver->cost + 25, 0.0), 25) << "costs 0, also after setting costs outside";
    EXPECT_EQ(std::count(solver->row_of_column, solver->row_of_column + 5, -1), 5) << "nothing assigned before solving";
    EXPECT_TRUE(AssignmentSolver_GetColumn(solver, 4) == -1 && AssignmentSolver_GetColumn(solver, -1) == -1 &&
                AssignmentSolver_GetColumn(solver, 5) == -1) << "expected no column, also for rows outside the solver";
    for (int round = 0; round < 30000 && !HasFailure(); ++round) { // every solve starts afresh, also at the cap
        for (int k = 0; k < 25; ++k) // each row cheap with the next column, then with the one before
            AssignmentSolver_SetCost(solver, k / 5, k % 5, k % 5 == (k / 5 + 1 + 3 * (round % 2)) % 5 ? 0.0 : 1e300);
        AssignmentSolver_Solve(solver, false);
        EXPECT_EQ(AssignmentSolver_GetColumn(solver, 0), round % 2 ? 4 : 1) << "round " << round;
    }
    AssignmentSolver_Destroy(solver);
}
