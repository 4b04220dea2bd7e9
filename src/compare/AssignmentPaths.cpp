#include "compare/AssignmentPaths.h"

#include "support/Memory.h"

#include <algorithm>
#include <cstddef>
#include <limits>

// Rows get columns one after another, each by the shortest path from a
// virtual column n to a free column in reduced costs: cost - row potential -
// column potential. The potentials keep every reduced cost at least 0 and
// those of the assigned pairs at 0 (tight).
//
// Every least-cost assignment uses only tight pairs, so the one found is the
// only one when the tight pairs allow no other: no cycle of columns, each
// held by a row that is tight with the next column.

namespace {

constexpr int kNone = -1;
// Beyond any reduced cost: costs stay below 2^52 / (n + 1) in magnitude and
// the potentials within a small multiple of their range.
constexpr int64_t kInfinity = std::numeric_limits<int64_t>::max() / 4;
// Sizes up to which a row's tight columns fit in one 64-bit word.
constexpr int kMaxCheckedSize = 64;

} // namespace

struct AssignmentPaths {
    int size;                  // n
    const int64_t* costs;      // n x n, row-major, while a search runs
    int64_t* row_potential;    // n
    int64_t* column_potential; // n + 1
    int64_t* slack;            // n + 1: least reduced cost to each column so far
    int* holder;               // n + 1: the row assigned to each column, or kNone
    int* previous;             // n + 1: the column before each one on the path
    bool* visited;             // n + 1: columns whose shortest path is known
    bool* row_holds;           // n: rows given a column at the start
    uint64_t* other_tight;     // n: per row, a bit for each tight column but its own
};

namespace {

int64_t ReducedCost(const AssignmentPaths* paths, int row, int column)
{
    return paths->costs[static_cast<std::size_t>(row) * paths->size + column] - paths->row_potential[row] -
           paths->column_potential[column];
}

// Starts with each column's potential at its least cost and the column held
// by a row of that cost, if the row holds no column yet.
void AssignColumnMinima(AssignmentPaths* paths)
{
    const int n = paths->size;
    std::fill_n(paths->row_potential, n, 0);
    std::fill_n(paths->holder, n + 1, kNone);
    std::fill_n(paths->row_holds, n, false);
    for (int j = 0; j < n; ++j) {
        int best = 0;
        int64_t least = paths->costs[j];
        for (int i = 1; i < n; ++i) {
            int64_t cost = paths->costs[static_cast<std::size_t>(i) * n + j];
            best = cost < least ? i : best;
            least = std::min(least, cost);
        }
        paths->column_potential[j] = least;
        if (!paths->row_holds[best]) {
            paths->row_holds[best] = true;
            paths->holder[j] = best;
        }
    }
    paths->column_potential[n] = 0;
}

// Gives the row a column along the shortest path from the virtual column
// to a free column, shifting the rows on the path by one column, and moves
// the potentials so that the path's pairs are tight.
void AssignRow(AssignmentPaths* paths, int row)
{
    const int n = paths->size;
    const int start = n;
    paths->holder[start] = row;
    int column = start;
    std::fill_n(paths->slack, n + 1, kInfinity);
    std::fill_n(paths->visited, n + 1, false);
    do {
        paths->visited[column] = true;
        const int from = paths->holder[column];
        int64_t delta = kInfinity;
        int next = kNone;
        for (int j = 0; j < n; ++j) {
            if (paths->visited[j])
                continue;
            int64_t reduced = ReducedCost(paths, from, j);
            if (reduced < paths->slack[j]) {
                paths->slack[j] = reduced;
                paths->previous[j] = column;
            }
            if (paths->slack[j] < delta) {
                delta = paths->slack[j];
                next = j;
            }
        }
        for (int j = 0; j <= n; ++j) {
            if (paths->visited[j]) {
                paths->row_potential[paths->holder[j]] += delta;
                paths->column_potential[j] -= delta;
            } else {
                paths->slack[j] -= delta;
            }
        }
        column = next;
    } while (paths->holder[column] != kNone);
    while (column != start) {
        int before = paths->previous[column];
        paths->holder[column] = paths->holder[before];
        column = before;
    }
}

// True when a cycle of columns, each held by a row tight with the next,
// gives another assignment of the same total. Columns that lead to no cycle
// are removed round by round: first those whose row has no other tight
// column, then those whose row's other tight columns are all removed.
bool HasTightCycle(AssignmentPaths* paths)
{
    const int n = paths->size;
    uint64_t* others = paths->other_tight;
    for (int i = 0; i < n; ++i) {
        uint64_t bits = 0;
        for (int j = 0; j < n; ++j)
            bits |= static_cast<uint64_t>(ReducedCost(paths, i, j) == 0) << j;
        others[i] = bits;
    }
    uint64_t any = 0;
    for (int j = 0; j < n; ++j) {
        others[paths->holder[j]] &= ~(uint64_t{1} << j);
        any |= others[paths->holder[j]];
    }
    uint64_t left = any == 0 ? 0 : ~uint64_t{0} >> (kMaxCheckedSize - n);
    while (left != 0) {
        uint64_t removed = 0;
        for (int j = 0; j < n; ++j)
            removed |= static_cast<uint64_t>((others[paths->holder[j]] & left) == 0) << j;
        if ((removed & left) == 0)
            return true;
        left &= ~removed;
    }
    return false;
}

} // namespace

AssignmentPaths* AssignmentPaths_Create(int n)
{
    n = std::max(n, 0);
    auto* paths = static_cast<AssignmentPaths*>(Mem_Alloc(sizeof(AssignmentPaths)));
    paths->size = n;
    paths->costs = nullptr;
    // One block of n + 1 entries per array, the 64-bit ones first.
    const std::size_t m = static_cast<std::size_t>(n) + 1;
    void* block = Mem_AllocArray(m, 4 * sizeof(int64_t) + 2 * sizeof(int) + 2 * sizeof(bool));
    paths->row_potential = static_cast<int64_t*>(block);
    paths->column_potential = paths->row_potential + m;
    paths->slack = paths->column_potential + m;
    paths->other_tight = reinterpret_cast<uint64_t*>(paths->slack + m);
    paths->holder = reinterpret_cast<int*>(paths->other_tight + m);
    paths->previous = paths->holder + m;
    paths->visited = reinterpret_cast<bool*>(paths->previous + m);
    paths->row_holds = paths->visited + m;
    return paths;
}

void AssignmentPaths_Destroy(AssignmentPaths* paths)
{
    if (!paths)
        return;
    Mem_Free(paths->row_potential); // the block
    Mem_Free(paths);
}

bool AssignmentPaths_FindUnique(AssignmentPaths* paths, const int64_t* costs, int* row_of_column)
{
    const int n = paths->size;
    if (n > kMaxCheckedSize)
        return false;
    paths->costs = costs;
    AssignColumnMinima(paths);
    for (int row = 0; row < n; ++row)
        if (!paths->row_holds[row])
            AssignRow(paths, row);
    std::copy_n(paths->holder, n, row_of_column);
    bool unique = !HasTightCycle(paths);
    paths->costs = nullptr;
    return unique;
}
