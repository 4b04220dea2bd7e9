#include "compare/AssignmentSolver.h"

#include "support/Memory.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

// The auction works on a square problem of size n = max(rows, columns); the
// missing rows or columns of a rectangular solver cost 0. Person j stands for
// column j, object i for row i. Person j's arcs are the n values of column j
// in increasing row order, so arc i of a person points to object i.
//
// A person prefers the arc of least reduced value: the arc's value minus the
// price of its object. Prices only fall, so reduced values only rise.
//
// Values are the costs counted in halves and multiplied by n + 1: integers
// whose assignment totals, when they differ, differ by at least n + 1. A pass
// with epsilon 1 ends with every person's arc within 1 of its best, so its
// total lies within n of the least total, and therefore is the least. Every
// bid lowers a price by at least epsilon >= 1 and prices stay bounded, so
// every pass ends. All arithmetic is exact in 64 bits: values are capped at
// 2^52 and prices stay below about 70 times the largest value.

namespace {

constexpr int kNone = -1;
constexpr int kCacheSlots = 3;
constexpr int64_t kScalingFactor = 10;
constexpr int64_t kFinalEpsilon = 1;
constexpr double kValueLimit = 4503599627370496.0; // 2^52
constexpr int64_t kNoValue = std::numeric_limits<int64_t>::max();

struct AuctionPerson {
    int held;              // object of the arc it holds, or kNone
    int slot[kCacheSlots]; // objects of the cached arcs, least reduced value first
    int64_t threshold;     // fourth least reduced value when the cache was built
};

} // namespace

// The objects' prices and owners are kept in two arrays of n.
struct AuctionState {
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

// Refills a person's cache with its three arcs of least reduced value, in
// increasing order, and sets the threshold to the fourth least value. Arcs
// are taken in object order and each goes before those of equal value, so
// that on ties the later arc comes first (equal costs then pair each person
// with its own object). Needs n >= 4. slot_value receives the cached values.
void RebuildCache(const AuctionState* state, AuctionPerson* person, const int64_t* arcs,
                  int64_t slot_value[kCacheSlots])
{
    int64_t v0 = kNoValue, v1 = kNoValue, v2 = kNoValue, fourth = kNoValue;
    int o0 = kNone, o1 = kNone, o2 = kNone;
    for (int object = 0; object < state->size; ++object) {
        // Insertion into the four least values so far, written as selections
        // (the outcome of each comparison is hard to predict).
        int64_t v = arcs[object] - state->price[object];
        bool before0 = v <= v0;
        bool before1 = v <= v1;
        bool before2 = v <= v2;
        bool before3 = v <= fourth;
        fourth = before2 ? v2 : (before3 ? v : fourth);
        v2 = before1 ? v1 : (before2 ? v : v2);
        o2 = before1 ? o1 : (before2 ? object : o2);
        v1 = before0 ? v0 : (before1 ? v : v1);
        o1 = before0 ? o0 : (before1 ? object : o1);
        v0 = before0 ? v : v0;
        o0 = before0 ? object : o0;
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
void ChooseFromCache(const AuctionState* state, AuctionPerson* person, const int64_t* arcs, int* best,
                     int64_t* best_value, int64_t* second_value)
{
    int64_t v[kCacheSlots];
    for (int s = 0; s < kCacheSlots; ++s)
        v[s] = arcs[person->slot[s]] - state->price[person->slot[s]];
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
        RebuildCache(state, person, arcs, v);
        *best = person->slot[0];
        *best_value = v[0];
        *second_value = v[1];
    }
}

// The same choice by looking at every arc, for persons with fewer than four
// arcs. A person with a single arc has no second: it counts as equal.
void ChooseFromAll(const AuctionState* state, const int64_t* arcs, int* best, int64_t* best_value,
                   int64_t* second_value)
{
    *best = kNone;
    *best_value = kNoValue;
    *second_value = kNoValue;
    for (int object = 0; object < state->size; ++object) {
        int64_t v = arcs[object] - state->price[object];
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

void Bid(AuctionState* state, int p)
{
    AuctionPerson* person = &state->persons[p];
    const int64_t* arcs = state->value + static_cast<std::size_t>(p) * state->size;
    int best;
    int64_t best_value;
    int64_t second_value;
    if (state->size > kCacheSlots)
        ChooseFromCache(state, person, arcs, &best, &best_value, &second_value);
    else
        ChooseFromAll(state, arcs, &best, &best_value, &second_value);
    int64_t increment = second_value - best_value;

    int previous = state->owner[best];
    if (previous != kNone) {
        state->persons[previous].held = kNone;
        state->waiting[state->waiting_count++] = previous; // outbid: bids next
    }
    person->held = best;
    state->owner[best] = p;
    state->price[best] -= state->epsilon + increment;
}

// Releases every arc (prices stay) and lets the persons bid until each holds
// one. The persons are pushed in index order, so the last one bids first.
void AuctionPass(AuctionState* state)
{
    state->waiting_count = 0;
    for (int p = 0; p < state->size; ++p) {
        state->persons[p].held = kNone;
        state->waiting[state->waiting_count++] = p;
    }
    std::fill_n(state->owner, state->size, kNone);
    while (state->waiting_count > 0)
        Bid(state, state->waiting[--state->waiting_count]);
}

// A cost counted in halves, to the nearest half; NaN counts as 0 and
// magnitudes are capped at limit.
int64_t CostInHalves(double cost, double limit)
{
    double halves = cost * 2.0;
    if (std::isnan(halves))
        return 0;
    halves = std::clamp(halves, -limit, limit);
    auto whole = static_cast<int64_t>(halves);
    return whole == halves ? whole : std::llround(halves);
}

template <typename T> T* NewArray(int count)
{
    return static_cast<T*>(Mem_AllocArray(static_cast<std::size_t>(count), sizeof(T)));
}

} // namespace

AssignmentSolver* AssignmentSolver_Create(int rows, int columns)
{
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    int n = std::max(rows, columns);

    auto* solver = static_cast<AssignmentSolver*>(Mem_Alloc(sizeof(AssignmentSolver)));
    solver->rows = rows;
    solver->columns = columns;
    solver->cost = static_cast<double*>(
        Mem_AllocArray(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns), sizeof(double)));
    std::fill_n(solver->cost, static_cast<std::size_t>(rows) * columns, 0.0);
    solver->column_of_row = NewArray<int>(rows);
    std::fill_n(solver->column_of_row, rows, kNone);
    solver->row_of_column = NewArray<int>(columns);
    std::fill_n(solver->row_of_column, columns, kNone);

    auto* state = static_cast<AuctionState*>(Mem_Alloc(sizeof(AuctionState)));
    state->size = n;
    state->value = static_cast<int64_t*>(
        Mem_AllocArray(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), sizeof(int64_t)));
    state->persons = NewArray<AuctionPerson>(n);
    state->price = NewArray<int64_t>(n);
    state->owner = NewArray<int>(n);
    state->waiting = NewArray<int>(n);
    state->waiting_count = 0;
    state->epsilon = kFinalEpsilon;
    solver->auction = state;
    return solver;
}

void AssignmentSolver_Destroy(AssignmentSolver* solver)
{
    if (!solver)
        return;
    AuctionState* state = solver->auction;
    Mem_Free(state->value);
    Mem_Free(state->persons);
    Mem_Free(state->price);
    Mem_Free(state->owner);
    Mem_Free(state->waiting);
    Mem_Free(state);
    Mem_Free(solver->cost);
    Mem_Free(solver->column_of_row);
    Mem_Free(solver->row_of_column);
    Mem_Free(solver);
}

void AssignmentSolver_SetCost(AssignmentSolver* solver, int row, int column, double cost)
{
    if (row < 0 || row >= solver->rows || column < 0 || column >= solver->columns)
        return;
    solver->cost[static_cast<std::size_t>(row) * solver->columns + column] = cost;
}

int AssignmentSolver_GetColumn(const AssignmentSolver* solver, int row)
{
    if (row < 0 || row >= solver->rows)
        return kNone;
    return solver->column_of_row[row];
}

void AssignmentSolver_Solve(AssignmentSolver* solver, bool maximise)
{
    std::fill_n(solver->column_of_row, solver->rows, kNone);
    std::fill_n(solver->row_of_column, solver->columns, kNone);
    AuctionState* state = solver->auction;
    const int n = state->size;
    if (n == 0)
        return;

    // Arcs: person j's arcs are column j, object i's cost is in row i.
    const double limit = std::floor(kValueLimit / (n + 1));
    const bool square = solver->rows == n && solver->columns == n;
    int64_t largest = 0;
    for (int j = 0; j < n; ++j) {
        int64_t* arcs = state->value + static_cast<std::size_t>(j) * n;
        for (int i = 0; i < n; ++i) {
            int64_t v = 0;
            if (square || (i < solver->rows && j < solver->columns)) {
                v = CostInHalves(solver->cost[static_cast<std::size_t>(i) * solver->columns + j], limit) * (n + 1);
                if (maximise)
                    v = -v;
            }
            arcs[i] = v;
            largest = std::max(largest, v < 0 ? -v : v);
        }
    }

    for (int p = 0; p < n; ++p)
        state->persons[p].held = kNone;
    std::fill_n(state->price, n, 0);
    std::fill_n(state->owner, n, kNone);
    if (n > kCacheSlots) {
        int64_t unused[kCacheSlots];
        for (int p = 0; p < n; ++p)
            RebuildCache(state, &state->persons[p], state->value + static_cast<std::size_t>(p) * n, unused);
    }

    // At least one pass, the last one with epsilon 1.
    state->epsilon = largest;
    do {
        state->epsilon = std::max(state->epsilon / kScalingFactor, kFinalEpsilon);
        AuctionPass(state);
    } while (state->epsilon > kFinalEpsilon);

    for (int j = 0; j < n; ++j) {
        int i = state->persons[j].held;
        if (i != kNone && i < solver->rows && j < solver->columns) {
            solver->row_of_column[j] = i;
            solver->column_of_row[i] = j;
        }
    }
}
