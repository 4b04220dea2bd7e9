// Independent least-cost assignment solvers for checking the auction: the
// Hungarian method with potentials (O(n^3)) and, for small sizes, trying
// every permutation. Costs are integers (the tests count in halves).
#pragma once

#include <cstdint>
#include <vector>

// A square cost matrix, row-major.
struct CostMatrix {
    int n = 0;
    std::vector<int64_t> cost;
    int64_t At(int row, int column) const { return cost[static_cast<std::size_t>(row) * n + column]; }
};

// The column of each row in an assignment of least total cost.
std::vector<int> HungarianAssignment(const CostMatrix& m);

// The least total cost over all n! permutations (n <= 8).
int64_t BruteForceOptimum(const CostMatrix& m);

// The total of an assignment given as the column of each row.
int64_t AssignmentTotal(const CostMatrix& m, const std::vector<int>& column_of_row);

// True when column_of_row holds every column 0..n-1 exactly once.
bool IsPermutation(const std::vector<int>& column_of_row, int n);
