// Pairing every player of one formation with the player of another who plays
// the most similar role: the pairing of least total cost.
#pragma once

#include "compare/Formation.h"

#include <cstdint>

// The cost of pairing A's player i with B's player j (players 0-10): summed
// over all 24 situations, 9 (xa/3 - xb/3)^2 + 0.5 (xa - xb)^2 and the same
// for y, where /3 truncates toward zero (3 x 3 cells of the pitch). Always a
// multiple of 0.5, and exact for every 16-bit coordinate. Both formations
// must exist.
double Formation_MatchCost(const Formation* a, int player_a, const Formation* b, int player_b);

// All pairing costs: costs[i][j] is Formation_MatchCost(a, i, b, j).
void Formation_MatchCosts(const Formation* a, const Formation* b,
                          double costs[kFormationPlayers][kFormationPlayers]);

// A PlayerMatch: 11 ints from IntVector_Alloc, entry i the player of B paired
// with A's player i; the caller releases it with IntVector_Free. The pairing
// has the least total cost. When either formation is null, or both are the
// same record, it is the identity 0, 1, ..., 10.
int32_t* Formation_MatchPlayers(const Formation* a, const Formation* b);
