// The auction that decides the assignment solver's pairing: persons (the
// columns) bid for objects (the rows) with epsilon scaling and a three-arc
// cache per bidder, in exact integer arithmetic.
#pragma once

#include <cstdint>

struct AssignmentAuction; // the bidding state for one size, reused by every run

// An auction for n x n problems (n >= 0).
AssignmentAuction* AssignmentAuction_Create(int n);

// Releases the auction; null is ignored.
void AssignmentAuction_Destroy(AssignmentAuction* auction);

// Assigns the rows of an n x n cost matrix (row-major integers, each at most
// 2^52 / (n + 1) in magnitude) to its columns at least total cost: fills
// row_of_column with the row of each column. On ties the order of bidding
// decides; equal costs pair row i with column i.
void AssignmentAuction_Run(AssignmentAuction* auction, const int64_t* costs, int* row_of_column);
