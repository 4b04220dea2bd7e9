#include "compare/AssignmentAuction.h"

#include "support/Memory.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <type_traits>

// Person j stands for column j, object i for row i. Person j's arcs are the
// n values of column j in increasing row order, so arc i of a person points
// to object i.
//
// A person prefers the arc of least reduced value: the arc's value minus the
// price of its object. Prices only fall, so reduced values only rise.
//
// Values are the costs multiplied by n + 1: integers whose assignment
// totals, when they differ, differ by at least n + 1. A pass with epsilon 1
// ends with every person's arc within 1 of its best, so its total lies
// within n of the least total, and therefore is the least. Every bid lowers
// a price by at least epsilon >= 1 and prices stay bounded, so every pass
// ends. All arithmetic is exact in 64 bits: values are at most 2^52 and
// prices stay below about 70 times the largest value.

namespace {

constexpr int kNone = -1;
constexpr int kCacheSlots = 3;
constexpr int64_t kScalingFactor = 10;
constexpr int64_t kFinalEpsilon = 1;
constexpr int64_t kNoValue = std::numeric_limits<int64_t>::max();

struct AuctionPerson {
    int held;              // object of the arc it holds, or kNone
    int slot[kCacheSlots]; // objects of the cached arcs, least reduced value first
    int64_t threshold;     // fourth least reduced value when the cache was built
};

} // namespace

// The objects' prices and owners are kept in two arrays of n.
struct AssignmentAuction {
    int size;          // n: persons = objects = n
    int64_t* value;    // n x n, person-major: value[person * n + object]
    AuctionPerson* persons;
    int64_t* price;    // per object; only falls while solving
    int* owner;        // per object: the person holding it, or kNone
    int* waiting;      // last-in-first-out stack of persons waiting to bid
    int waiting_count; // also the number of persons without an arc
    int64_t epsilon;
};

namespace {

// a when take, else b, without a branch: compilers turn some selections of
// this kind into jumps, and these outcomes are hard to predict.
template <typename T> T Select(bool take, T a, T b)
{
    using Bits = std::make_unsigned_t<T>;
    Bits mask = Bits{0} - static_cast<Bits>(take);
    return static_cast<T>(static_cast<Bits>(b) ^ ((static_cast<Bits>(a) ^ static_cast<Bits>(b)) & mask));
}

// Keeps the lesser of (slot, carried) in the slot and carries the other one
// on; on a tie the carried arc takes the slot.
void CompareExchange(int64_t* slot_value, int* slot_object, int64_t* value, int* object)
{
    bool take = *value <= *slot_value;
    int64_t kept_value = Select(take, *value, *slot_value);
    int kept_object = Select(take, *object, *slot_object);
    *value ^= *slot_value ^ kept_value; // the one of the two not kept
    *object ^= *slot_object ^ kept_object;
    *slot_value = kept_value;
    *slot_object = kept_object;
}

// Refills a person's cache with its three arcs of least reduced value, in
// increasing order, and sets the threshold to the fourth least value. Arcs
// are taken in object order and each goes before those of equal value, so
// that on ties the later arc comes first (equal costs then pair each person
// with its own object). Needs n >= 4. slot_value receives the cached values.
void RebuildCache(const AssignmentAuction* auction, AuctionPerson* person, const int64_t* arcs,
                  int64_t slot_value[kCacheSlots])
{
    int64_t v0 = kNoValue, v1 = kNoValue, v2 = kNoValue, fourth = kNoValue;
    int o0 = kNone, o1 = kNone, o2 = kNone;
    for (int object = 0; object < auction->size; ++object) {
        // The arc moves down the slots, and what leaves slot 2 competes for
        // the threshold.
        int64_t v = arcs[object] - auction->price[object];
        int o = object;
        CompareExchange(&v0, &o0, &v, &o);
        CompareExchange(&v1, &o1, &v, &o);
        CompareExchange(&v2, &o2, &v, &o);
        fourth = std::min(fourth, v);
    }
    person->slot[0] = o0;
    person->slot[1] = o1;
    person->slot[2] = o2;
    person->threshold = fourth;
    slot_value[0] = v0;
    slot_value[1] = v1;
    slot_value[2] = v2;
}

// Best and second-best arc among the three cached ones; rebuilds the cache
// when an arc outside it may have become better than the second. Arcs
// outside the cache were at least the threshold when it was built, and
// reduced values only rise.
void ChooseFromCache(const AssignmentAuction* auction, AuctionPerson* person, const int64_t* arcs, int* best,
                     int64_t* best_value, int64_t* second_value)
{
    int64_t v[kCacheSlots];
    for (int s = 0; s < kCacheSlots; ++s)
        v[s] = arcs[person->slot[s]] - auction->price[person->slot[s]];
    // Selections rather than branches, as in the rebuild.
    bool one_first = v[1] < v[0];
    int b = one_first ? person->slot[1] : person->slot[0];
    int64_t bv = one_first ? v[1] : v[0];
    int64_t sv = one_first ? v[0] : v[1];
    bool two_best = v[2] < bv;
    bool two_second = v[2] < sv;
    *second_value = two_best ? bv : (two_second ? v[2] : sv);
    *best = two_best ? person->slot[2] : b;
    *best_value = two_best ? v[2] : bv;
    if (person->threshold < *second_value) {
        RebuildCache(auction, person, arcs, v);
        *best = person->slot[0];
        *best_value = v[0];
        *second_value = v[1];
    }
}

// The same choice by looking at every arc, for persons with fewer than four
// arcs. A person with a single arc has no second: it counts as equal.
void ChooseFromAll(const AssignmentAuction* auction, const int64_t* arcs, int* best, int64_t* best_value,
                   int64_t* second_value)
{
    *best = kNone;
    *best_value = kNoValue;
    *second_value = kNoValue;
    for (int object = 0; object < auction->size; ++object) {
        int64_t v = arcs[object] - auction->price[object];
        if (v <= *best_value) {
            *second_value = *best_value;
            *best = object;
            *best_value = v;
        } else if (v < *second_value) {
            *second_value = v;
        }
    }
    if (*second_value == kNoValue)
        *second_value = *best_value;
}

void Bid(AssignmentAuction* auction, int p)
{
    AuctionPerson* person = &auction->persons[p];
    const int64_t* arcs = auction->value + static_cast<std::size_t>(p) * auction->size;
    int best;
    int64_t best_value;
    int64_t second_value;
    if (auction->size > kCacheSlots)
        ChooseFromCache(auction, person, arcs, &best, &best_value, &second_value);
    else
        ChooseFromAll(auction, arcs, &best, &best_value, &second_value);
    int64_t increment = second_value - best_value;

    int previous = auction->owner[best];
    if (previous != kNone) {
        auction->persons[previous].held = kNone;
        auction->waiting[auction->waiting_count++] = previous; // outbid: bids next
    }
    person->held = best;
    auction->owner[best] = p;
    auction->price[best] -= auction->epsilon + increment;
}

// Releases every arc (prices stay) and lets the persons bid until each holds
// one. The persons are pushed in index order, so the last one bids first.
void AuctionPass(AssignmentAuction* auction)
{
    auction->waiting_count = 0;
    for (int p = 0; p < auction->size; ++p) {
        auction->persons[p].held = kNone;
        auction->waiting[auction->waiting_count++] = p;
    }
    std::fill_n(auction->owner, auction->size, kNone);
    while (auction->waiting_count > 0)
        Bid(auction, auction->waiting[--auction->waiting_count]);
}

template <typename T> T* NewArray(int count)
{
    return static_cast<T*>(Mem_AllocArray(static_cast<std::size_t>(count), sizeof(T)));
}

} // namespace

AssignmentAuction* AssignmentAuction_Create(int n)
{
    n = std::max(n, 0);
    auto* auction = static_cast<AssignmentAuction*>(Mem_Alloc(sizeof(AssignmentAuction)));
    auction->size = n;
    auction->value = static_cast<int64_t*>(
        Mem_AllocArray(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), sizeof(int64_t)));
    auction->persons = NewArray<AuctionPerson>(n);
    auction->price = NewArray<int64_t>(n);
    auction->owner = NewArray<int>(n);
    auction->waiting = NewArray<int>(n);
    auction->waiting_count = 0;
    auction->epsilon = kFinalEpsilon;
    return auction;
}

void AssignmentAuction_Destroy(AssignmentAuction* auction)
{
    if (!auction)
        return;
    Mem_Free(auction->value);
    Mem_Free(auction->persons);
    Mem_Free(auction->price);
    Mem_Free(auction->owner);
    Mem_Free(auction->waiting);
    Mem_Free(auction);
}

void AssignmentAuction_Run(AssignmentAuction* auction, const int64_t* costs, int* row_of_column)
{
    const int n = auction->size;
    // Arcs: person j's arcs are column j, object i's cost is in row i.
    int64_t largest = 0;
    for (int j = 0; j < n; ++j) {
        int64_t* arcs = auction->value + static_cast<std::size_t>(j) * n;
        for (int i = 0; i < n; ++i) {
            int64_t v = costs[static_cast<std::size_t>(i) * n + j] * (n + 1);
            arcs[i] = v;
            largest = std::max(largest, v < 0 ? -v : v);
        }
    }

    for (int p = 0; p < n; ++p)
        auction->persons[p].held = kNone;
    std::fill_n(auction->price, n, 0);
    std::fill_n(auction->owner, n, kNone);
    if (n > kCacheSlots) {
        int64_t unused[kCacheSlots];
        for (int p = 0; p < n; ++p)
            RebuildCache(auction, &auction->persons[p], auction->value + static_cast<std::size_t>(p) * n, unused);
    }

    // At least one pass, the last one with epsilon 1.
    auction->epsilon = largest;
    do {
        auction->epsilon = std::max(auction->epsilon / kScalingFactor, kFinalEpsilon);
        AuctionPass(auction);
    } while (auction->epsilon > kFinalEpsilon);

    for (int j = 0; j < n; ++j)
        row_of_column[j] = auction->persons[j].held;
}
