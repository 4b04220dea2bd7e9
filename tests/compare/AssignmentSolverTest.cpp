#include "compare/AssignmentSolver.h"

#include "compare/AssignmentReference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

// Costs in halves, row-major, loaded into a new solver.
AssignmentSolver* SolverFor(const CostMatrix& m)
{
    AssignmentSolver* solver = AssignmentSolver_Create(m.n, m.n);
    for (int i = 0; i < m.n; ++i)
        for (int j = 0; j < m.n; ++j)
            AssignmentSolver_SetCost(solver, i, j, 0.5 * static_cast<double>(m.At(i, j)));
    return solver;
}

std::vector<int> Columns(const AssignmentSolver* solver, int rows)
{
    std::vector<int> columns;
    for (int i = 0; i < rows; ++i)
        columns.push_back(AssignmentSolver_GetColumn(solver, i));
    return columns;
}

std::vector<int> Solve(const CostMatrix& m, bool maximise = false)
{
    AssignmentSolver* solver = SolverFor(m);
    AssignmentSolver_Solve(solver, maximise);
    std::vector<int> columns = Columns(solver, m.n);
    for (int j = 0; j < m.n; ++j) {
        int i = solver->row_of_column[j];
        EXPECT_TRUE(i >= 0 && i < m.n && columns[i] == j) << "row of column " << j << " is " << i;
    }
    AssignmentSolver_Destroy(solver);
    return columns;
}

CostMatrix RandomMatrix(std::mt19937_64& random, int n, int64_t low, int64_t high)
{
    CostMatrix m;
    m.n = n;
    for (int k = 0; k < n * n; ++k)
        m.cost.push_back(low + static_cast<int64_t>(random() % static_cast<uint64_t>(high - low + 1)));
    return m;
}

CostMatrix Negated(CostMatrix m)
{
    for (int64_t& c : m.cost)
        c = -c;
    return m;
}

std::vector<int> IdentityOf(int n)
{
    std::vector<int> identity(n);
    for (int i = 0; i < n; ++i)
        identity[i] = i;
    return identity;
}

struct Range {
    int64_t low;
    int64_t high;
};

// Ranges in halves: many ties, small, negative, formation-sized and large.
const Range kRanges[] = {{0, 1}, {0, 3}, {-2, 2}, {0, 100}, {-1000, 1000}, {0, 620000000000}, {-(int64_t{1} << 45), int64_t{1} << 45}};

#ifdef KX_LONG_TESTS
constexpr int kRandomMatrices = 100000;
#else
constexpr int kRandomMatrices = 2000;
#endif

} // namespace

TEST(AssignmentSolver, ReferenceAgreesWithBruteForce)
{
    std::mt19937_64 random(1);
    for (int n = 1; n <= 7; ++n) {
        for (const Range& range : kRanges) {
            for (int k = 0; k < 20; ++k) {
                CostMatrix m = RandomMatrix(random, n, range.low, range.high);
                std::vector<int> reference = HungarianAssignment(m);
                ASSERT_TRUE(IsPermutation(reference, n));
                ASSERT_EQ(AssignmentTotal(m, reference), BruteForceOptimum(m)) << "n " << n;
            }
        }
    }
}

TEST(AssignmentSolver, SmallSquaresEndWithTheLeastTotal)
{
    std::mt19937_64 random(2);
    for (int n = 1; n <= 8; ++n) {
        for (const Range& range : kRanges) {
            for (int k = 0; k < (n <= 6 ? 30 : 4); ++k) {
                CostMatrix m = RandomMatrix(random, n, range.low, range.high);
                int64_t least = BruteForceOptimum(m);
                std::vector<int> columns = Solve(m);
                ASSERT_TRUE(IsPermutation(columns, n)) << "n " << n << ", got " << ::testing::PrintToString(columns);
                EXPECT_EQ(AssignmentTotal(m, columns), least) << "n " << n << ", halves " << range.low << ".." << range.high;
                // Maximising the negated costs is the same problem.
                std::vector<int> maximised = Solve(Negated(m), true);
                ASSERT_TRUE(IsPermutation(maximised, n)) << "n " << n;
                EXPECT_EQ(AssignmentTotal(m, maximised), least) << "maximised, n " << n;
            }
        }
    }
}

TEST(AssignmentSolver, RandomMatricesAgreeWithHungarian)
{
    std::mt19937_64 random(3);
    int failures = 0;
    for (int k = 0; k < kRandomMatrices; ++k) {
        int n = k % 3 == 0 ? 11 : 1 + static_cast<int>(random() % 16);
        const Range& range = kRanges[random() % std::size(kRanges)];
        CostMatrix m = RandomMatrix(random, n, range.low, range.high);
        if (k % 5 == 0) // equal columns: persons with identical arcs
            for (int i = 0; i < n; ++i)
                m.cost[static_cast<std::size_t>(i) * n + n - 1] = m.At(i, 0);
        std::vector<int> columns = Solve(m);
        std::vector<int> reference = HungarianAssignment(m);
        bool ok = IsPermutation(columns, n) && AssignmentTotal(m, columns) == AssignmentTotal(m, reference);
        if (!ok && ++failures <= 5)
            ADD_FAILURE() << "matrix " << k << ", n " << n << ": got " << ::testing::PrintToString(columns);
    }
    EXPECT_EQ(failures, 0) << "of " << kRandomMatrices << " matrices";
}

TEST(AssignmentSolver, EqualCostsGiveACompleteAssignment)
{
    for (int n = 1; n <= 13; ++n) {
        for (int64_t halves : {0, 7, -3}) {
            CostMatrix m;
            m.n = n;
            m.cost.assign(static_cast<std::size_t>(n) * n, halves);
            std::vector<int> columns = Solve(m);
            EXPECT_TRUE(IsPermutation(columns, n)) << "n " << n << ", every cost " << halves * 0.5 << ", got "
                                                   << ::testing::PrintToString(columns);
            if (halves == 0) { // the tie order makes a single pass pair row i with column i
                EXPECT_EQ(columns, IdentityOf(n)) << "n " << n << ", every cost 0";
            }
        }
    }
}

TEST(AssignmentSolver, NothingIsAssignedBeforeSolving)
{
    AssignmentSolver* solver = AssignmentSolver_Create(11, 11);
    EXPECT_EQ(solver->rows, 11);
    EXPECT_EQ(solver->columns, 11);
    for (int k = 0; k < 11 * 11; ++k)
        ASSERT_EQ(solver->cost[k], 0.0) << "cost " << k;
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(AssignmentSolver_GetColumn(solver, i), -1) << "row " << i;
        EXPECT_EQ(solver->row_of_column[i], -1) << "column " << i;
    }
    AssignmentSolver_Destroy(solver);
    AssignmentSolver_Destroy(nullptr);
}

TEST(AssignmentSolver, IndicesOutsideTheSolverAreIgnored)
{
    AssignmentSolver* solver = AssignmentSolver_Create(4, 4);
    AssignmentSolver_SetCost(solver, -1, 0, 5.0);
    AssignmentSolver_SetCost(solver, 4, 0, 5.0);
    AssignmentSolver_SetCost(solver, 0, -1, 5.0);
    AssignmentSolver_SetCost(solver, 0, 4, 5.0);
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(solver->cost[k], 0.0) << "cost " << k;
    AssignmentSolver_SetCost(solver, 0, 0, 5.0);
    AssignmentSolver_SetCost(solver, 3, 3, 5.0);
    AssignmentSolver_Solve(solver, false);
    EXPECT_EQ(AssignmentSolver_GetColumn(solver, -1), -1);
    EXPECT_EQ(AssignmentSolver_GetColumn(solver, 4), -1);
    EXPECT_NE(AssignmentSolver_GetColumn(solver, 0), 0) << "the costly pair is avoided";
    EXPECT_NE(AssignmentSolver_GetColumn(solver, 3), 3) << "the costly pair is avoided";
    AssignmentSolver_Destroy(solver);

    AssignmentSolver* empty = AssignmentSolver_Create(0, -3);
    EXPECT_EQ(empty->rows, 0);
    EXPECT_EQ(empty->columns, 0);
    AssignmentSolver_Solve(empty, false);
    EXPECT_EQ(AssignmentSolver_GetColumn(empty, 0), -1);
    AssignmentSolver_Destroy(empty);
}

TEST(AssignmentSolver, SolvingAgainUsesTheNewCosts)
{
    CostMatrix m;
    m.n = 5;
    m.cost.assign(25, 10);
    for (int i = 0; i < 5; ++i)
        m.cost[static_cast<std::size_t>(i) * 5 + (i + 1) % 5] = 0;
    AssignmentSolver* solver = SolverFor(m);
    AssignmentSolver_Solve(solver, false);
    EXPECT_EQ(Columns(solver, 5), (std::vector<int>{1, 2, 3, 4, 0}));
    for (int i = 0; i < 5; ++i) {
        AssignmentSolver_SetCost(solver, i, (i + 1) % 5, 5.0);
        AssignmentSolver_SetCost(solver, i, (i + 4) % 5, 0.0);
    }
    AssignmentSolver_Solve(solver, false);
    EXPECT_EQ(Columns(solver, 5), (std::vector<int>{4, 0, 1, 2, 3}));
    AssignmentSolver_Destroy(solver);
}

TEST(AssignmentSolver, RectangularSolversMakeTheSmallerNumberOfPairs)
{
    std::mt19937_64 random(4);
    for (int rows = 1; rows <= 6; ++rows) {
        for (int columns = 1; columns <= 6; ++columns) {
            for (int k = 0; k < 5; ++k) {
                // The reference pads the smaller side with zero costs.
                CostMatrix square = RandomMatrix(random, std::max(rows, columns), 0, 50);
                for (int i = 0; i < square.n; ++i)
                    for (int j = 0; j < square.n; ++j)
                        if (i >= rows || j >= columns)
                            square.cost[static_cast<std::size_t>(i) * square.n + j] = 0;
                AssignmentSolver* solver = AssignmentSolver_Create(rows, columns);
                for (int i = 0; i < rows; ++i)
                    for (int j = 0; j < columns; ++j)
                        AssignmentSolver_SetCost(solver, i, j, 0.5 * static_cast<double>(square.At(i, j)));
                AssignmentSolver_Solve(solver, false);
                std::vector<bool> used(columns, false);
                int pairs = 0;
                int64_t total = 0;
                for (int i = 0; i < rows; ++i) {
                    int j = AssignmentSolver_GetColumn(solver, i);
                    if (j == -1)
                        continue;
                    ASSERT_TRUE(j >= 0 && j < columns && !used[j]) << rows << " x " << columns << ": column " << j;
                    EXPECT_EQ(solver->row_of_column[j], i);
                    used[j] = true;
                    ++pairs;
                    total += square.At(i, j);
                }
                EXPECT_EQ(pairs, std::min(rows, columns)) << rows << " x " << columns;
                EXPECT_EQ(total, BruteForceOptimum(square)) << rows << " x " << columns;
                AssignmentSolver_Destroy(solver);
            }
        }
    }
}

TEST(AssignmentSolver, UnusualCostsStillGiveACompleteAssignment)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double specials[] = {nan, inf, -inf, 1e300, -1e300, 0.3, 1e-300, 4503599627370496.0};
    std::mt19937_64 random(5);
    for (int k = 0; k < 200; ++k) {
        int n = 1 + k % 12;
        AssignmentSolver* solver = AssignmentSolver_Create(n, n);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                AssignmentSolver_SetCost(solver, i, j,
                                         random() % 3 == 0 ? specials[random() % std::size(specials)]
                                                           : static_cast<double>(random() % 1000));
        AssignmentSolver_Solve(solver, k % 2 == 1);
        std::vector<int> columns = Columns(solver, n);
        EXPECT_TRUE(IsPermutation(columns, n)) << "n " << n << ", got " << ::testing::PrintToString(columns);
        AssignmentSolver_Destroy(solver);
    }
}
