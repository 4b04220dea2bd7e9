#include "compare/AssignmentSolver.h"

#include "compare/AssignmentAuction.h"
#include "compare/AssignmentPaths.h"
#include "support/Memory.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

// Solving works on a square problem of size n = max(rows, columns); the
// missing rows or columns of a rectangular solver cost 0. The costs become
// integers counted in halves, negated when maximising.
//
// The auction decides the pairing. Most problems, though, have only one
// assignment of least total, and the auction always ends at least cost: when
// shortest augmenting paths find the least total and show that no other
// assignment reaches it, that assignment is the auction's, and the auction
// need not run.

namespace {

constexpr int kNone = -1;
constexpr double kValueLimit = 4503599627370496.0; // 2^52

// A cost counted in halves, to the nearest half; NaN counts as 0 and
// magnitudes are capped at limit.
int64_t CostInHalves(double cost, double limit)
{
    double halves = cost * 2.0;
    if (std::fabs(halves) <= limit) { // the usual case; false for NaN
        auto whole = static_cast<int64_t>(halves);
        return whole == halves ? whole : std::llround(halves);
    }
    if (std::isnan(halves))
        return 0;
    return static_cast<int64_t>(std::clamp(halves, -limit, limit));
}

// The costs of the square problem in halves, capped so that the auction's
// values, halves times n + 1, stay within 2^52.
void FillHalves(AssignmentSolver* solver, bool maximise)
{
    const int n = std::max(solver->rows, solver->columns);
    const double limit = std::floor(kValueLimit / (n + 1));
    if (solver->rows != solver->columns)
        std::fill_n(solver->halves, static_cast<std::size_t>(n) * n, 0);
    for (int i = 0; i < solver->rows; ++i) {
        const double* costs = solver->cost + static_cast<std::size_t>(i) * solver->columns;
        int64_t* halves = solver->halves + static_cast<std::size_t>(i) * n;
        for (int j = 0; j < solver->columns; ++j)
            halves[j] = CostInHalves(costs[j], limit);
    }
    if (maximise)
        for (std::size_t k = 0; k < static_cast<std::size_t>(n) * n; ++k)
            solver->halves[k] = -solver->halves[k];
}

template <typename T> T* NewArray(std::size_t count)
{
    return static_cast<T*>(Mem_AllocArray(count, sizeof(T)));
}

} // namespace

AssignmentSolver* AssignmentSolver_Create(int rows, int columns)
{
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    const int n = std::max(rows, columns);
    const std::size_t cells = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);

    auto* solver = static_cast<AssignmentSolver*>(Mem_Alloc(sizeof(AssignmentSolver)));
    solver->rows = rows;
    solver->columns = columns;
    solver->cost = NewArray<double>(cells);
    std::fill_n(solver->cost, cells, 0.0);
    solver->column_of_row = NewArray<int>(rows);
    std::fill_n(solver->column_of_row, rows, kNone);
    solver->row_of_column = NewArray<int>(columns);
    std::fill_n(solver->row_of_column, columns, kNone);
    solver->halves = NewArray<int64_t>(static_cast<std::size_t>(n) * static_cast<std::size_t>(n));
    solver->square_row_of_column = NewArray<int>(n);
    solver->paths = AssignmentPaths_Create(n);
    solver->auction = nullptr; // made when first needed
    return solver;
}

void AssignmentSolver_Destroy(AssignmentSolver* solver)
{
    if (!solver)
        return;
    AssignmentAuction_Destroy(solver->auction);
    AssignmentPaths_Destroy(solver->paths);
    Mem_Free(solver->square_row_of_column);
    Mem_Free(solver->halves);
    Mem_Free(solver->cost);
    Mem_Free(solver->column_of_row);
    Mem_Free(solver->row_of_column);
    Mem_Free(solver);
}

void AssignmentSolver_SetCost(AssignmentSolver* solver, int row, int column, double cost)
{
    if (row < 0 || row >= solver->rows || column < 0 || column >= solver->columns)
        return;
    solver->cost[static_cast<std::size_t>(row) * solver->columns + column] = cost;
}

int AssignmentSolver_GetColumn(const AssignmentSolver* solver, int row)
{
    if (row < 0 || row >= solver->rows)
        return kNone;
    return solver->column_of_row[row];
}

void AssignmentSolver_Solve(AssignmentSolver* solver, bool maximise)
{
    std::fill_n(solver->column_of_row, solver->rows, kNone);
    std::fill_n(solver->row_of_column, solver->columns, kNone);
    const int n = std::max(solver->rows, solver->columns);
    if (n == 0)
        return;

    FillHalves(solver, maximise);
    int* assigned = solver->square_row_of_column;
    if (!AssignmentPaths_FindUnique(solver->paths, solver->halves, assigned)) {
        if (!solver->auction)
            solver->auction = AssignmentAuction_Create(n);
        AssignmentAuction_Run(solver->auction, solver->halves, assigned);
    }
    for (int j = 0; j < solver->columns; ++j) {
        int i = assigned[j];
        if (i < solver->rows) {
            solver->row_of_column[j] = i;
            solver->column_of_row[i] = j;
        }
    }
}
