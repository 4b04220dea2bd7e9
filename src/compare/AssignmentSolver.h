// Least-cost assignment of rows to columns. An auction (persons = columns bid
// for objects = rows) with epsilon scaling and a three-arc cache per bidder
// decides the pairing; shortest augmenting paths find it without the auction
// when only one pairing has the least total.
#pragma once

#include <cstdint>

struct AssignmentPaths;   // see AssignmentPaths.h
struct AssignmentAuction; // see AssignmentAuction.h

struct AssignmentSolver {
    int rows;
    int columns;
    double* cost;          // rows x columns, row-major; 0.0 at creation
    int* column_of_row;    // per row: the assigned column, or -1
    int* row_of_column;    // per column: the assigned row, or -1
    // Owned working state of Solve for the square problem of size
    // n = max(rows, columns):
    int64_t* halves;            // n x n, row-major: the costs in halves
    int* square_row_of_column;  // n: its assignment
    AssignmentPaths* paths;     // the least total, and whether only one assignment has it
    AssignmentAuction* auction; // the pairing when several have it; null until needed
};

// A solver for rows x columns costs, all 0.0 and nothing assigned. Negative
// sizes count as 0.
AssignmentSolver* AssignmentSolver_Create(int rows, int columns);

// Releases the solver and all its arrays; null is ignored.
void AssignmentSolver_Destroy(AssignmentSolver* solver);

// Sets one cost; a row or column outside the solver is ignored.
void AssignmentSolver_SetCost(AssignmentSolver* solver, int row, int column, double cost);

// Assigns rows to columns so that the total cost is least (maximise == false)
// or greatest (maximise == true). Every row of a square solver ends with its
// own column; when the sizes differ, min(rows, columns) pairs are made.
//
// Solving runs in exact integer arithmetic on costs counted in halves:
// the result is optimal for costs that are multiples of 0.5 (as all
// formation costs are). Other costs are taken to the nearest half, NaN as 0,
// and magnitudes above 2^51 / (max(rows, columns) + 1) are capped, so any
// input ends with a complete assignment.
void AssignmentSolver_Solve(AssignmentSolver* solver, bool maximise);

// The column assigned to a row after solving, or -1 (also for a row outside
// the solver or before the first solve).
int AssignmentSolver_GetColumn(const AssignmentSolver* solver, int row);
