// DArray: a growable array of pointer-sized element values.
//
// The fields are public: callers read count and elems[0 .. count-1] directly.
// Only the functions below change them. The array never owns its elements
// unless DArray_Destroy is given a destructor.
#pragma once

#include <cstdint>

struct DArray {
    int32_t count;    // elements in use, at indices 0 .. count-1
    int32_t capacity; // slots in elems, at least 1
    void** elems;     // the element values
};

using DArrayCopier = void* (*)(void* elem);
using DArrayDestructor = void (*)(void* elem);
// qsort convention: called with the addresses of two slots.
using DArrayComparator = int (*)(const void* slot_a, const void* slot_b);

// A new empty array with the given capacity; 0 (or less) means 4.
DArray* DArray_Create(int initial_capacity);

// Appends elem at index count, doubling the capacity first when full.
DArray* DArray_Append(DArray* array, void* elem);

// Makes room for at least capacity elements (the block never shrinks); count
// and the elements stay as they are.
void DArray_Reserve(DArray* array, int capacity);

// A new array with the source's capacity holding the copier's result for each
// element in order, or the element values themselves with a null copier.
DArray* DArray_Copy(const DArray* array, DArrayCopier copier);

// Calls destructor (if any) on each element in index order, then releases the
// array. A null array is ignored.
void DArray_Destroy(DArray* array, DArrayDestructor destructor);

// Reverses the order of the elements in place.
void DArray_Reverse(DArray* array);

// Sorts ascending by comparator; stable: equal elements keep their order.
// Any comparator is safe, also one that is not a consistent ordering.
void DArray_Sort(DArray* array, DArrayComparator comparator);
