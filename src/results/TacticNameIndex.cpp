#include "results/TacticNameIndex.h"

#include "results/TacticBook.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace {

// One slot of an open-addressing table; empty while name is null.
struct Slot {
    uint64_t hash = 0;
    const char* name = nullptr;    // the index's own copy
    const void* summary = nullptr; // the summary that was at position
    int position = -1;
};

constexpr std::size_t kInitialSlots = 64;
constexpr std::size_t kNameBlock = 64 * 1024;

// Copies of the names, packed together so that comparing them stays in the
// cache while records stream past; blocks never move once made.
class NameStore {
public:
    const char* Add(const char* name, std::size_t length)
    {
        if (blocks_.empty() || left_ < length + 1) {
            std::size_t size = length + 1 > kNameBlock ? length + 1 : kNameBlock;
            blocks_.emplace_back(size);
            left_ = size;
        }
        std::vector<char>& block = blocks_.back();
        char* copy = block.data() + (block.size() - left_);
        std::memcpy(copy, name, length + 1);
        left_ -= length + 1;
        return copy;
    }
    void Clear()
    {
        blocks_.clear();
        left_ = 0;
    }

private:
    std::vector<std::vector<char>> blocks_;
    std::size_t left_ = 0;
};

uint64_t Mix(uint64_t h)
{
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return h;
}

// A fast hash of the name's bytes, eight at a time.
uint64_t HashName(const char* name, std::size_t length)
{
    uint64_t h = 0x9E3779B97F4A7C15ull ^ length;
    std::size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t word;
        std::memcpy(&word, name + i, 8);
        h = Mix(h ^ word) * 0xC2B2AE3D27D4EB4Full;
    }
    uint64_t tail = 0;
    std::memcpy(&tail, name + i, length - i);
    return Mix(h ^ tail ^ (static_cast<uint64_t>(length - i) << 59));
}

} // namespace

struct TacticNameIndex {
    std::vector<Slot> slots = std::vector<Slot>(kInitialSlots);
    std::size_t used = 0;
    NameStore names;

    std::size_t Mask() const { return slots.size() - 1; }

    // The slot holding name, or the empty slot where it would go.
    Slot& Probe(const char* name, uint64_t hash)
    {
        for (std::size_t i = hash & Mask();; i = (i + 1) & Mask()) {
            Slot& slot = slots[i];
            if (!slot.name || (slot.hash == hash && std::strcmp(slot.name, name) == 0))
                return slot;
        }
    }

    void Grow()
    {
        std::vector<Slot> old(slots.size() * 2);
        old.swap(slots);
        for (const Slot& slot : old) {
            if (slot.name)
                Probe(slot.name, slot.hash) = slot;
        }
    }

    // Inserts or, with replace, overwrites the entry of name.
    void Put(const char* name, const void* summary, int position, bool replace)
    {
        if (2 * (used + 1) > slots.size())
            Grow();
        std::size_t length = std::strlen(name);
        uint64_t hash = HashName(name, length);
        Slot& slot = Probe(name, hash);
        if (slot.name) {
            if (replace) {
                slot.summary = summary;
                slot.position = position;
            }
            return;
        }
        ++used;
        slot = Slot{hash, names.Add(name, length), summary, position};
    }
};

TacticNameIndex* TacticNameIndex_Create()
{
    return new TacticNameIndex;
}

void TacticNameIndex_Destroy(TacticNameIndex* index)
{
    delete index;
}

void TacticNameIndex_Insert(TacticNameIndex* index, const char* name, const void* summary, int position)
{
    index->Put(name, summary, position, true);
}

void TacticNameIndex_Rebuild(TacticNameIndex* index, const DArray* summaries)
{
    index->slots.assign(kInitialSlots, Slot{});
    index->used = 0;
    index->names.Clear();
    for (int i = 0; i < summaries->count; ++i) {
        const auto* summary = static_cast<const TacticSummary*>(summaries->elems[i]);
        index->Put(summary->name, summary, i, false); // the first of equal names wins
    }
}

int TacticNameIndex_Find(TacticNameIndex* index, const DArray* summaries, const char* name)
{
    uint64_t hash = HashName(name, std::strlen(name));
    const Slot* slot = &index->Probe(name, hash);
    if (!slot->name)
        return -1;
    if (slot->position >= 0 && slot->position < summaries->count && summaries->elems[slot->position] == slot->summary)
        return slot->position;
    // The summaries were re-ordered since the position was recorded.
    TacticNameIndex_Rebuild(index, summaries);
    slot = &index->Probe(name, hash);
    return slot->name ? slot->position : -1;
}
