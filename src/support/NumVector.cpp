#include "support/NumVector.h"

#include "support/Memory.h"

#include <cstddef>

static std::size_t SlotCount(int n)
{
    return n > 0 ? static_cast<std::size_t>(n) : 1;
}

int32_t* IntVector_Alloc(int n)
{
    return static_cast<int32_t*>(Mem_AllocArray(SlotCount(n), sizeof(int32_t)));
}

void IntVector_Free(int32_t* block)
{
    Mem_Free(block);
}

double* DoubleVector_Alloc(int n)
{
    return static_cast<double*>(Mem_AllocArray(SlotCount(n), sizeof(double)));
}

void DoubleVector_Free(double* block)
{
    Mem_Free(block);
}
