// Plain heap blocks of numbers; the holder keeps the count.
#pragma once

#include <cstdint>

// A block of n integers (at least one slot), not cleared.
int32_t* IntVector_Alloc(int n);
// Releases a block from IntVector_Alloc; null is ignored.
void IntVector_Free(int32_t* block);

// A block of n doubles (at least one slot), not cleared.
double* DoubleVector_Alloc(int n);
// Releases a block from DoubleVector_Alloc; null is ignored.
void DoubleVector_Free(double* block);
