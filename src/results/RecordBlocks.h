// The records of one tactic book. Records that loading makes sit in blocks,
// many to an allocation, and name their tactic with the book's interned copy
// of the name; records handed to the book one at a time are heap records
// (TacticResult_Create) that it destroys one by one.
//
// The blocks stand on shelves: the loader puts the records of a range of
// tactics on a shelf of their own, so that when the seasons join their
// tactics, one shelf after the other, the tactics of a shelf stay in the cache.
#pragma once

#include "results/TacticResult.h"

#include <cstddef>

struct RecordBlocks;

RecordBlocks* RecordBlocks_Create();

// Releases the blocks with their records and destroys the adopted records.
void RecordBlocks_Destroy(RecordBlocks* blocks);

// A new record on the given shelf holding these values (the name is not copied).
TacticResult* RecordBlocks_New(RecordBlocks* blocks, std::size_t shelf, const TacticResult& values);

// The number of shelves that hold records, and of records on one shelf.
std::size_t RecordBlocks_Shelves(const RecordBlocks* blocks);
std::size_t RecordBlocks_OnShelf(const RecordBlocks* blocks, std::size_t shelf);

// The records of a shelf side by side in memory from the given position on
// (below RecordBlocks_OnShelf), in the order made: the first of them, and
// their number in *count.
TacticResult* RecordBlocks_Run(const RecordBlocks* blocks, std::size_t shelf, std::size_t position,
                               std::size_t* count);

// Takes a heap record over, to destroy it with TacticResult_Destroy.
void RecordBlocks_Adopt(RecordBlocks* blocks, TacticResult* record);
