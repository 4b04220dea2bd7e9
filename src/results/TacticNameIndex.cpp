#include "results/TacticNameIndex.h"

#include "results/TacticBook.h"
#include "support/Memory.h"
#include "support/Prefetch.h"

#include <bit>
#include <chrono>
#include <cstring>
#include <random>
#include <vector>

namespace {

// One slot of an open-addressing table; empty while name is null.
struct Slot {
    uint64_t hash;
    TacticName* name;
};

constexpr std::size_t kInitialSlots = 64;
// No name sits further than this from its hash's slot.
constexpr std::size_t kLongestProbe = 48;
constexpr std::size_t kNameBlock = 64 * 1024;

uint64_t SplitMix(uint64_t* state)
{
    uint64_t z = (*state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// Random numbers for hash keys, from a source seeded once per run by the
// system's random device (and the clock and an address, should it fail).
uint64_t RandomKeyPart()
{
    static uint64_t state = [] {
        uint64_t seed = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        seed ^= static_cast<uint64_t>(reinterpret_cast<uintptr_t>(&seed));
        try {
            std::random_device device;
            seed ^= (static_cast<uint64_t>(device()) << 32) ^ device();
        } catch (...) {
        }
        return seed;
    }();
    return SplitMix(&state);
}

uint64_t Rotate(uint64_t x, int bits) { return (x << bits) | (x >> (64 - bits)); }

struct SipState {
    uint64_t v0, v1, v2, v3;

    void Round()
    {
        v0 += v1;
        v1 = Rotate(v1, 13) ^ v0;
        v0 = Rotate(v0, 32);
        v2 += v3;
        v3 = Rotate(v3, 16) ^ v2;
        v0 += v3;
        v3 = Rotate(v3, 21) ^ v0;
        v2 += v1;
        v1 = Rotate(v1, 17) ^ v2;
        v2 = Rotate(v2, 32);
    }
    void Absorb(uint64_t m)
    {
        v3 ^= m;
        Round();
        v0 ^= m;
    }
};

// The last length % 8 bytes of text as one word.
uint64_t TailWord(const char* text, std::size_t length)
{
    std::size_t rest = length & 7;
    if (rest == 0)
        return 0;
    if (std::endian::native == std::endian::little && length >= 8) {
        // The last eight bytes, of which the first 8 - rest are shifted out.
        uint64_t word;
        std::memcpy(&word, text + length - 8, sizeof word);
        return word >> (8 * (8 - rest));
    }
    uint64_t word = 0;
    std::memcpy(&word, text + length - rest, rest);
    return word;
}

// SipHash-1-3 of text[0, length) under the key (k0, k1).
uint64_t SipHash13(uint64_t k0, uint64_t k1, const char* text, std::size_t length)
{
    SipState s{k0 ^ 0x736F6D6570736575ull, k1 ^ 0x646F72616E646F6Dull, k0 ^ 0x6C7967656E657261ull,
               k1 ^ 0x7465646279746573ull};
    // The words are read in the machine's byte order: the hash need not be
    // the same on every machine, only within one run.
    std::size_t whole = length & ~std::size_t{7};
    for (std::size_t i = 0; i < whole; i += 8) {
        uint64_t m;
        std::memcpy(&m, text + i, sizeof m);
        s.Absorb(m);
    }
    uint64_t last = (static_cast<uint64_t>(length) << 56) | TailWord(text, length);
    s.Absorb(last);
    s.v2 ^= 0xFF;
    s.Round();
    s.Round();
    s.Round();
    return s.v0 ^ s.v1 ^ s.v2 ^ s.v3;
}

// Room for the names: each entry with its text behind it, packed in blocks
// that never move.
class NameStore {
public:
    NameStore() = default;
    NameStore(const NameStore&) = delete;
    NameStore& operator=(const NameStore&) = delete;
    ~NameStore()
    {
        for (char* block : blocks_)
            Mem_Free(block);
    }

    TacticName* Add(const char* text, std::size_t length)
    {
        // Entries stay aligned: each takes a multiple of the entry's size.
        std::size_t size = (sizeof(TacticName) + length + 1 + alignof(TacticName) - 1) & ~(alignof(TacticName) - 1);
        if (left_ < size) {
            std::size_t block = size > kNameBlock ? size : kNameBlock;
            blocks_.push_back(static_cast<char*>(Mem_Alloc(block)));
            next_ = blocks_.back();
            left_ = block;
        }
        auto* name = reinterpret_cast<TacticName*>(next_);
        char* copy = next_ + sizeof(TacticName);
        std::memcpy(copy, text, length);
        copy[length] = '\0';
        next_ += size;
        left_ -= size;
        return name;
    }

private:
    std::vector<char*> blocks_;
    char* next_ = nullptr;
    std::size_t left_ = 0;
};

} // namespace

struct TacticNameIndex {
    std::vector<Slot> slots = std::vector<Slot>(kInitialSlots, Slot{0, nullptr});
    std::size_t longest_probe = 0; // the furthest any name sits from its hash's slot
    uint64_t k0 = RandomKeyPart();
    uint64_t k1 = RandomKeyPart();
    uint64_t keys = 0;              // how many times the key was replaced
    std::vector<TacticName*> names; // by id
    NameStore store;

    std::size_t Mask() const { return slots.size() - 1; }

    uint64_t Hash(const char* text, std::size_t length) const { return SipHash13(k0, k1, text, length); }

    TacticName* Lookup(const char* text, std::size_t length, uint64_t hash) const
    {
        for (std::size_t probe = 0, i = hash & Mask(); probe <= longest_probe; ++probe, i = (i + 1) & Mask()) {
            const Slot& slot = slots[i];
            if (!slot.name)
                return nullptr;
            if (slot.hash == hash && slot.name->length == length &&
                std::memcmp(TacticName_Text(slot.name), text, length) == 0)
                return slot.name;
        }
        return nullptr;
    }

    // The first name on the probe path of hash whose hash is the same, or
    // null: the name that a lookup will most likely compare.
    const TacticName* Candidate(uint64_t hash) const
    {
        for (std::size_t probe = 0, i = hash & Mask(); probe <= longest_probe; ++probe, i = (i + 1) & Mask()) {
            const Slot& slot = slots[i];
            if (!slot.name || slot.hash == hash)
                return slot.name;
        }
        return nullptr;
    }

    // Puts name into the first free slot from its hash's slot on; false
    // when that is too far away.
    bool Place(TacticName* name, uint64_t hash)
    {
        std::size_t probe = 0;
        std::size_t i = hash & Mask();
        for (; slots[i].name; i = (i + 1) & Mask())
            ++probe;
        slots[i] = Slot{hash, name};
        if (probe > longest_probe)
            longest_probe = probe;
        return probe <= kLongestProbe;
    }

    // Places the names again in a table of twice the size: each slot keeps
    // its hash, so nothing is hashed again. False when some name would sit
    // too far from its hash's slot.
    bool Grow()
    {
        std::vector<Slot> old(slots.size() * 2, Slot{0, nullptr});
        old.swap(slots);
        longest_probe = 0;
        bool placed = true;
        for (const Slot& slot : old) {
            if (slot.name)
                placed = Place(slot.name, slot.hash) && placed;
        }
        return placed;
    }

    // Some name sits too far from its hash's slot: that happens by chance
    // with a vanishing likelihood, or when the key has become known. Every
    // name is placed again under a new key (in larger tables should that not
    // do).
    void Rekey()
    {
        for (int attempt = 0;; ++attempt) {
            ++keys;
            k0 = RandomKeyPart();
            k1 = RandomKeyPart();
            slots.assign(slots.size() * (attempt == 0 ? 1 : 2), Slot{0, nullptr});
            longest_probe = 0;
            bool placed = true;
            for (std::size_t i = 0; placed && i < names.size(); ++i)
                placed = Place(names[i], Hash(TacticName_Text(names[i]), names[i]->length));
            if (placed)
                return;
        }
    }

    TacticName* Add(const char* text, std::size_t length, uint64_t hash)
    {
        TacticName* name = store.Add(text, length);
        *name = TacticName{nullptr, -1, static_cast<uint32_t>(names.size()), static_cast<uint32_t>(length), 0};
        names.push_back(name);
        // At most half of the slots are in use.
        bool placed = 2 * names.size() <= slots.size() || Grow();
        if (!placed || !Place(name, hash))
            Rekey(); // (places the new name too)
        return name;
    }
};

TacticNameIndex* TacticNameIndex_Create()
{
    return new TacticNameIndex;
}

TacticNameIndex* TacticNameIndex_CreateWithKey(uint64_t k0, uint64_t k1)
{
    auto* index = new TacticNameIndex;
    index->k0 = k0;
    index->k1 = k1;
    return index;
}

void TacticNameIndex_Destroy(TacticNameIndex* index)
{
    delete index;
}

TacticName* TacticNameIndex_Intern(TacticNameIndex* index, const char* text, std::size_t length)
{
    uint64_t hash = index->Hash(text, length);
    if (TacticName* name = index->Lookup(text, length, hash))
        return name;
    return index->Add(text, length, hash);
}

void TacticNameIndex_InternAll(TacticNameIndex* index, const TacticNameText* names, std::size_t count,
                               TacticName** entries)
{
    constexpr std::size_t kBatch = 64;
    for (std::size_t first = 0; first < count; first += kBatch) {
        std::size_t n = count - first < kBatch ? count - first : kBatch;
        const TacticNameText* batch = names + first;
        uint64_t hashes[kBatch];
        // Fetch the slots, then the entries they hold, for all names before
        // comparing any: the fetches overlap instead of waiting in turn.
        for (std::size_t i = 0; i < n; ++i) {
            hashes[i] = index->Hash(batch[i].text, batch[i].length);
            Prefetch(&index->slots[hashes[i] & index->Mask()]);
        }
        for (std::size_t i = 0; i < n; ++i) {
            if (const TacticName* name = index->Candidate(hashes[i]))
                Prefetch(name);
        }
        uint64_t keys = index->keys;
        for (std::size_t i = 0; i < n; ++i) {
            if (index->keys != keys) // a new key: the hashes are out of date
                hashes[i] = index->Hash(batch[i].text, batch[i].length);
            TacticName* name = index->Lookup(batch[i].text, batch[i].length, hashes[i]);
            entries[first + i] = name ? name : index->Add(batch[i].text, batch[i].length, hashes[i]);
        }
    }
}

uint32_t TacticNameIndex_Count(const TacticNameIndex* index)
{
    return static_cast<uint32_t>(index->names.size());
}

TacticName* TacticNameIndex_At(const TacticNameIndex* index, uint32_t id)
{
    return index->names[id];
}

const char* TacticName_Text(const TacticName* name)
{
    return reinterpret_cast<const char*>(name + 1);
}

TacticName* TacticName_OfText(const char* text)
{
    return reinterpret_cast<TacticName*>(const_cast<char*>(text)) - 1;
}

uint64_t TacticNameIndex_Hash(const TacticNameIndex* index, const char* text, std::size_t length)
{
    return index->Hash(text, length);
}

int TacticNameIndex_Find(TacticNameIndex* index, const DArray* summaries, const char* name)
{
    std::size_t length = std::strlen(name);
    const TacticName* entry = index->Lookup(name, length, index->Hash(name, length));
    if (!entry || !entry->summary)
        return -1;
    auto at = [&](int position) {
        return position >= 0 && position < summaries->count && summaries->elems[position] == entry->summary;
    };
    if (at(entry->position))
        return entry->position;
    // The summaries were re-ordered since the positions were recorded.
    for (TacticName* each : index->names)
        each->position = -1;
    for (int i = 0; i < summaries->count; ++i) {
        const auto* summary = static_cast<const TacticSummary*>(summaries->elems[i]);
        std::size_t n = std::strlen(summary->name);
        TacticName* own = index->Lookup(summary->name, n, index->Hash(summary->name, n));
        if (own && own->summary == summary)
            own->position = i;
    }
    return at(entry->position) ? entry->position : -1;
}
