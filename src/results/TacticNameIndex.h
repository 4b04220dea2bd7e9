// Hash index from tactic name to the summary's position in a book's
// summaries, kept beside the array so that loading stays fast with many
// tactics. The index keeps its own copies of the names.
#pragma once

#include "support/DArray.h"

struct TacticNameIndex;

TacticNameIndex* TacticNameIndex_Create();
void TacticNameIndex_Destroy(TacticNameIndex* index);

// Records that summaries->elems[position] is summary, named name.
void TacticNameIndex_Insert(TacticNameIndex* index, const char* name, const void* summary, int position);

// The position in summaries of the summary named name, or -1. Positions that
// are out of date (after the array was re-ordered) are found again and the
// index is brought up to date.
int TacticNameIndex_Find(TacticNameIndex* index, const DArray* summaries, const char* name);

// Rebuilds the index from the current order of summaries.
void TacticNameIndex_Rebuild(TacticNameIndex* index, const DArray* summaries);
