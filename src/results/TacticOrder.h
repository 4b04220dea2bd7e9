// Orderings of a book's tactics by the list's column codes.
//
// A code's absolute value names the column (1 name, 2 goals, 3 conceded,
// 4 points interval low end, 5 average points, 6 EV, 7 probability of the
// best EV, 8 seasons; any other value as 4); a positive code sorts
// descending, a negative ascending. Double keys that are not numbers sort
// below every number. Until EV is calculated every probability is missing,
// so code 7 orders as code 4.
#pragma once

#include "results/TacticBook.h"

// Re-orders the book's summaries in place: stable, so summaries with equal
// keys keep their order (reversed with it for a descending code). Each
// summary's key is computed once per sort.
void TacticBook_Sort(TacticBook* book, int code);

// Ascending comparators over slots of a summaries array (DArray_Sort convention).
int TacticSummary_CompareName(const void* a, const void* b);
int TacticSummary_CompareGoalsFor(const void* a, const void* b);
int TacticSummary_CompareGoalsAgainst(const void* a, const void* b);
int TacticSummary_ComparePointsLow(const void* a, const void* b);
int TacticSummary_ComparePoints(const void* a, const void* b);
int TacticSummary_CompareEv(const void* a, const void* b);
// ev_prob once calculated (missing before, or with too few EV seasons), equal
// ones by the points interval's low end.
int TacticSummary_CompareProb(const void* a, const void* b);
int TacticSummary_CompareSeasons(const void* a, const void* b);
