// A least-cost assignment by shortest augmenting paths (the Hungarian method
// with potentials), and whether it is the only one of its total.
#pragma once

#include <cstdint>

struct AssignmentPaths; // the working arrays for one size

// Shortest paths for n x n problems (n >= 0).
AssignmentPaths* AssignmentPaths_Create(int n);

// Releases them; null is ignored.
void AssignmentPaths_Destroy(AssignmentPaths* paths);

// Assigns the rows of an n x n cost matrix (row-major integers, each at most
// 2^52 / (n + 1) in magnitude) to its columns at least total cost, fills
// row_of_column with the row of each column, and returns true when no other
// assignment has the same total, false when there is another. Above n = 64
// it cannot tell: it returns false at once and fills nothing.
bool AssignmentPaths_FindUnique(AssignmentPaths* paths, const int64_t* costs, int* row_of_column);
