// The records of one tactic book. Records that loading makes sit in blocks,
// many to an allocation, and name their tactic with the book's interned copy
// of the name; records handed to the book one at a time are heap records
// (TacticResult_Create) that it destroys one by one.
#pragma once

#include "results/TacticResult.h"

struct RecordBlocks;

RecordBlocks* RecordBlocks_Create();

// Releases the blocks with their records and destroys the adopted records.
void RecordBlocks_Destroy(RecordBlocks* blocks);

// A new record in a block holding these values (the name is not copied).
TacticResult* RecordBlocks_New(RecordBlocks* blocks, const TacticResult& values);

// Takes a heap record over, to destroy it with TacticResult_Destroy.
void RecordBlocks_Adopt(RecordBlocks* blocks, TacticResult* record);
