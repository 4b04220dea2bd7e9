#include "support/DArray.h"

#include "support/Memory.h"

#include <cstdio>
#include <cstddef>
#include <cstring>
#include <utility>

DArray* DArray_Create(int initial_capacity)
{
    if (initial_capacity <= 0)
        initial_capacity = 4;
    auto* array = static_cast<DArray*>(Mem_Alloc(sizeof(DArray)));
    array->count = 0;
    array->capacity = initial_capacity;
    array->elems = static_cast<void**>(Mem_AllocArray(initial_capacity, sizeof(void*)));
    return array;
}

static void Grow(DArray* array)
{
    if (array->capacity > INT32_MAX / 2)
        Mem_OutOfMemory();
    int32_t doubled = array->capacity * 2;
    // The capacity is recorded only together with a block of that size.
    array->elems = static_cast<void**>(Mem_ReallocArray(array->elems, doubled, sizeof(void*)));
    array->capacity = doubled;
}

DArray* DArray_Append(DArray* array, void* elem)
{
    if (array->count == array->capacity)
        Grow(array);
    if (array->count >= array->capacity || array->count < 0) {
        std::fprintf(stderr, "DArray index error! Accessing ix %i of %i\n",
                     static_cast<int>(array->count), static_cast<int>(array->capacity));
        return array;
    }
    array->elems[array->count] = elem;
    array->count++;
    return array;
}

void DArray_Reserve(DArray* array, int capacity)
{
    if (capacity <= array->capacity)
        return;
    array->elems = static_cast<void**>(Mem_ReallocArray(array->elems, capacity, sizeof(void*)));
    array->capacity = capacity;
}

DArray* DArray_Copy(const DArray* array, DArrayCopier copier)
{
    DArray* copy = DArray_Create(array->capacity);
    for (int32_t i = 0; i < array->count; ++i)
        DArray_Append(copy, copier ? copier(array->elems[i]) : array->elems[i]);
    return copy;
}

void DArray_Destroy(DArray* array, DArrayDestructor destructor)
{
    if (!array)
        return;
    if (destructor) {
        for (int32_t i = 0; i < array->count; ++i)
            destructor(array->elems[i]);
    }
    Mem_Free(array->elems);
    Mem_Free(array);
}

void DArray_Reverse(DArray* array)
{
    int32_t lo = 0;
    int32_t hi = array->count - 1;
    while (lo < hi)
        std::swap(array->elems[lo++], array->elems[hi--]);
}

namespace {

using Index = std::ptrdiff_t;
constexpr Index kRunLength = 32;

Index Min(Index a, Index b) { return a < b ? a : b; }

// Stable insertion sort of elems[lo .. hi-1]: an element goes behind the last
// one that does not compare greater than it. Bounds are checked on every step,
// so an inconsistent comparator cannot lead outside the range.
void InsertionSort(void** elems, Index lo, Index hi, DArrayComparator cmp)
{
    for (Index i = lo + 1; i < hi; ++i) {
        void* moving = elems[i];
        Index j = i;
        while (j > lo && cmp(&elems[j - 1], &moving) > 0) {
            elems[j] = elems[j - 1];
            --j;
        }
        elems[j] = moving;
    }
}

// Merges the sorted runs src[lo .. mid-1] and src[mid .. hi-1] into dst,
// taking from the left run on ties (stability).
void Merge(void** src, void** dst, Index lo, Index mid, Index hi, DArrayComparator cmp)
{
    Index a = lo;
    Index b = mid;
    Index out = lo;
    while (a < mid && b < hi) {
        if (cmp(&src[b], &src[a]) < 0)
            dst[out++] = src[b++];
        else
            dst[out++] = src[a++];
    }
    while (a < mid)
        dst[out++] = src[a++];
    while (b < hi)
        dst[out++] = src[b++];
}

} // namespace

void DArray_Sort(DArray* array, DArrayComparator comparator)
{
    const Index n = array->count;
    if (n < 2)
        return;
    void** elems = array->elems;
    for (Index lo = 0; lo < n; lo += kRunLength)
        InsertionSort(elems, lo, Min(lo + kRunLength, n), comparator);
    if (n <= kRunLength)
        return;

    // Bottom-up merging of the sorted runs, alternating between the array and
    // a scratch block.
    auto* scratch = static_cast<void**>(Mem_AllocArray(static_cast<std::size_t>(n), sizeof(void*)));
    void** src = elems;
    void** dst = scratch;
    for (Index width = kRunLength; width < n; width *= 2) {
        for (Index lo = 0; lo < n; lo += 2 * width) {
            Index mid = Min(lo + width, n);
            Merge(src, dst, lo, mid, Min(mid + width, n), comparator);
        }
        std::swap(src, dst);
    }
    if (src != elems)
        std::memcpy(elems, src, static_cast<std::size_t>(n) * sizeof(void*));
    Mem_Free(scratch);
}
