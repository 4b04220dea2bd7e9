#include "results/RecordBlocks.h"

#include "support/Memory.h"
#include "support/Prefetch.h"

#include <vector>

namespace {

constexpr std::size_t kBlockRecords = 1024;

struct Shelf {
    std::vector<TacticResult*> blocks;
    std::size_t count = 0; // records on the shelf
};

} // namespace

struct RecordBlocks {
    std::vector<Shelf> shelves;
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
    for (const Shelf& shelf : blocks->shelves) {
        for (TacticResult* block : shelf.blocks)
            Mem_Free(block);
    }
    for (TacticResult* record : blocks->adopted)
        TacticResult_Destroy(record);
    delete blocks;
}

TacticResult* RecordBlocks_New(RecordBlocks* blocks, std::size_t shelf, const TacticResult& values)
{
    if (shelf >= blocks->shelves.size())
        blocks->shelves.resize(shelf + 1);
    Shelf& on = blocks->shelves[shelf];
    std::size_t place = on.count % kBlockRecords;
    if (place == 0)
        on.blocks.push_back(static_cast<TacticResult*>(Mem_AllocArray(kBlockRecords, sizeof(TacticResult))));
    TacticResult* record = on.blocks.back() + place;
    // Loading writes to many shelves at once, too many for the processor to
    // see each shelf's writes as one stream: fetch ahead on each.
    if (place + 3 < kBlockRecords)
        Prefetch(record + 3);
    *record = values;
    ++on.count;
    return record;
}

std::size_t RecordBlocks_Shelves(const RecordBlocks* blocks)
{
    return blocks->shelves.size();
}

std::size_t RecordBlocks_OnShelf(const RecordBlocks* blocks, std::size_t shelf)
{
    return shelf < blocks->shelves.size() ? blocks->shelves[shelf].count : 0;
}

TacticResult* RecordBlocks_Run(const RecordBlocks* blocks, std::size_t shelf, std::size_t position,
                               std::size_t* count)
{
    const Shelf& on = blocks->shelves[shelf];
    std::size_t in_block = position % kBlockRecords;
    std::size_t block_end = position - in_block + kBlockRecords;
    *count = (block_end < on.count ? block_end : on.count) - position;
    return on.blocks[position / kBlockRecords] + in_block;
}

void RecordBlocks_Adopt(RecordBlocks* blocks, TacticResult* record)
{
    blocks->adopted.push_back(record);
}
