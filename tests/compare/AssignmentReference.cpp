#include "compare/AssignmentReference.h"

#include <algorithm>
#include <numeric>

bool IsLeastAssignment(const CostMatrix& m, const std::vector<int>& column_of_row)
{
    std::vector<int> columns(m.n);
    std::iota(columns.begin(), columns.end(), 0);
    if (!std::is_permutation(column_of_row.begin(), column_of_row.end(), columns.begin(), columns.end()))
        return false;
    // Others differ by cycles where row i takes row k's column (weight of i -> k): none is negative.
    std::vector<int64_t> distance(m.n, 0);
    for (int round = 0; round <= m.n; ++round) {
        bool settled = true;
        for (int i = 0; i < m.n; ++i) {
            for (int k = 0; k < m.n; ++k) {
                int64_t through = distance[i] + m.At(i, column_of_row[k]) - m.At(k, column_of_row[k]);
                if (through < distance[k])
                    distance[k] = through, settled = false;
            }
        }
        if (settled)
            return true;
    }
    return false;
}
