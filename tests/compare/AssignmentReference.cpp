#include "compare/AssignmentReference.h"

#include <algorithm>
#include <limits>
#include <numeric>

std::vector<int> HungarianAssignment(const CostMatrix& m)
{
    // Rows and columns are numbered from 1; column 0 is the virtual start.
    const int n = m.n;
    const int64_t infinity = std::numeric_limits<int64_t>::max() / 4;
    std::vector<int64_t> row_potential(n + 1, 0);
    std::vector<int64_t> column_potential(n + 1, 0);
    std::vector<int> row_of_column(n + 1, 0);
    std::vector<int> previous(n + 1, 0);
    for (int row = 1; row <= n; ++row) {
        row_of_column[0] = row;
        int column = 0;
        std::vector<int64_t> slack(n + 1, infinity);
        std::vector<bool> visited(n + 1, false);
        do {
            visited[column] = true;
            int current_row = row_of_column[column];
            int64_t delta = infinity;
            int next = 0;
            for (int j = 1; j <= n; ++j) {
                if (visited[j])
                    continue;
                int64_t reduced = m.At(current_row - 1, j - 1) - row_potential[current_row] - column_potential[j];
                if (reduced < slack[j]) {
                    slack[j] = reduced;
                    previous[j] = column;
                }
                if (slack[j] < delta) {
                    delta = slack[j];
                    next = j;
                }
            }
            for (int j = 0; j <= n; ++j) {
                if (visited[j]) {
                    row_potential[row_of_column[j]] += delta;
                    column_potential[j] -= delta;
                } else {
                    slack[j] -= delta;
                }
            }
            column = next;
        } while (row_of_column[column] != 0);
        do {
            int before = previous[column];
            row_of_column[column] = row_of_column[before];
            column = before;
        } while (column != 0);
    }
    std::vector<int> column_of_row(n, -1);
    for (int j = 1; j <= n; ++j)
        column_of_row[row_of_column[j] - 1] = j - 1;
    return column_of_row;
}

int64_t BruteForceOptimum(const CostMatrix& m)
{
    std::vector<int> permutation(m.n);
    std::iota(permutation.begin(), permutation.end(), 0);
    int64_t best = std::numeric_limits<int64_t>::max();
    do {
        best = std::min(best, AssignmentTotal(m, permutation));
    } while (std::next_permutation(permutation.begin(), permutation.end()));
    return best;
}

int64_t AssignmentTotal(const CostMatrix& m, const std::vector<int>& column_of_row)
{
    int64_t total = 0;
    for (int i = 0; i < m.n; ++i)
        total += m.At(i, column_of_row[i]);
    return total;
}

bool IsPermutation(const std::vector<int>& column_of_row, int n)
{
    if (static_cast<int>(column_of_row.size()) != n)
        return false;
    std::vector<bool> seen(n, false);
    for (int column : column_of_row) {
        if (column < 0 || column >= n || seen[column])
            return false;
        seen[column] = true;
    }
    return true;
}
