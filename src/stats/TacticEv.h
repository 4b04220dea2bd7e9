// Calculate EV: each tactic's expected points per season, and its chance of
// having the highest true mean of them among the tactics of a book.
#pragma once

#include "results/TacticBook.h"

// The expected points of a season (ExpectedPoints), where the season's games
// are its games field when positive, else won + drawn + lost when positive.
// NaN when the season has none.
double TacticResult_ExpectedPoints(const TacticResult* record);

// Both steps below, and marks every summary ev_calculated.
void TacticBook_CalculateEv(TacticBook* book);

// Refills every summary's ev_stats with the expected points of its seasons,
// in order; seasons without expected points are left out.
void TacticBook_FillEv(TacticBook* book);

// Sets every summary's ev_prob from its ev_stats: the chance of the highest
// true mean EV, each tactic's mean taken as N(mean, s / sqrt(n)); NaN for a
// tactic with fewer than two EV seasons, which takes no part.
void TacticBook_FillEvProbabilities(TacticBook* book);
