// An independent check of least-cost assignments, exact on integer costs.
#pragma once

#include <cstdint>
#include <vector>

struct CostMatrix { // square, row-major
    int n = 0;
    std::vector<int64_t> cost;
    int64_t At(int row, int column) const { return cost[static_cast<std::size_t>(row) * n + column]; }
};

// True when column_of_row pairs every row with its own column and no other assignment costs less.
bool IsLeastAssignment(const CostMatrix& m, const std::vector<int>& column_of_row);
