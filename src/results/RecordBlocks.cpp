#include "results/RecordBlocks.h"

#include "support/Memory.h"

#include <cstddef>
#include <vector>

namespace {

// Blocks grow from a few records (small files stay small) to this many.
constexpr std::size_t kFirstBlock = 64;
constexpr std::size_t kLargestBlock = 16384;

} // namespace

struct RecordBlocks {
    std::vector<TacticResult*> blocks;
    std::size_t used = 0; // records taken from the last block
    std::size_t size = 0; // records that the last block holds
    std::vector<TacticResult*> adopted;
};

RecordBlocks* RecordBlocks_Create()
{
    return new RecordBlocks;
}

void RecordBlocks_Destroy(RecordBlocks* blocks)
{
    if (!blocks)
        return;
    for (TacticResult* block : blocks->blocks)
        Mem_Free(block);
    for (TacticResult* record : blocks->adopted)
        TacticResult_Destroy(record);
    delete blocks;
}

TacticResult* RecordBlocks_New(RecordBlocks* blocks, const TacticResult& values)
{
    if (blocks->used == blocks->size) {
        blocks->size = blocks->size == 0 ? kFirstBlock : blocks->size * 2;
        if (blocks->size > kLargestBlock)
            blocks->size = kLargestBlock;
        blocks->blocks.push_back(static_cast<TacticResult*>(Mem_AllocArray(blocks->size, sizeof(TacticResult))));
        blocks->used = 0;
    }
    TacticResult* record = blocks->blocks.back() + blocks->used++;
    *record = values;
    return record;
}

void RecordBlocks_Adopt(RecordBlocks* blocks, TacticResult* record)
{
    blocks->adopted.push_back(record);
}
