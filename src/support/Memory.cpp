#include "support/Memory.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

void Mem_OutOfMemory()
{
    std::fputs("Out of memory: the program ends.\n", stderr);
    std::fflush(stderr);
    std::exit(EXIT_FAILURE);
}

void* Mem_Alloc(std::size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        Mem_OutOfMemory();
    return block;
}

static std::size_t CheckedProduct(std::size_t count, std::size_t size)
{
    if (size != 0 && count > SIZE_MAX / size)
        Mem_OutOfMemory();
    return count * size;
}

void* Mem_AllocArray(std::size_t count, std::size_t size)
{
    return Mem_Alloc(CheckedProduct(count, size));
}

void* Mem_Realloc(void* block, std::size_t size)
{
    void* grown = std::realloc(block, size ? size : 1);
    if (!grown)
        Mem_OutOfMemory();
    return grown;
}

void* Mem_ReallocArray(void* block, std::size_t count, std::size_t size)
{
    return Mem_Realloc(block, CheckedProduct(count, size));
}

void Mem_Free(void* block)
{
    std::free(block);
}
