// Orderings of a book's tactics by the list's column codes.
//
// A code's absolute value names the column (1 name, 2 goals, 3 conceded,
// 4 points interval low end, 5 average points, 6 EV, 7 as 4, 8 seasons; any
// other value as 4); a positive code sorts descending, a negative ascending.
// Double keys that are not numbers sort below every number.
#pragma once

#include "results/TacticBook.h"

// Re-orders the book's summaries in place.
void TacticBook_Sort(TacticBook* book, int code);

// Ascending comparators over slots of a summaries array (DArray_Sort convention).
int TacticSummary_CompareName(const void* a, const void* b);
int TacticSummary_CompareGoalsFor(const void* a, const void* b);
int TacticSummary_CompareGoalsAgainst(const void* a, const void* b);
int TacticSummary_ComparePointsLow(const void* a, const void* b);
int TacticSummary_ComparePoints(const void* a, const void* b);
int TacticSummary_CompareEv(const void* a, const void* b);
int TacticSummary_CompareSeasons(const void* a, const void* b);
