// Heap blocks that are never null: running out of memory ends the program.
#pragma once

#include <cstddef>

// Allocates size bytes (at least one). Never returns null.
void* Mem_Alloc(std::size_t size);

// Allocates count * size bytes, refusing products that overflow. Never returns null.
void* Mem_AllocArray(std::size_t count, std::size_t size);

// Resizes block to size bytes (at least one), keeping its contents. Never returns null.
void* Mem_Realloc(void* block, std::size_t size);

// Resizes block to count * size bytes. Never returns null.
void* Mem_ReallocArray(void* block, std::size_t count, std::size_t size);

// Releases a block from the functions above; null is ignored.
void Mem_Free(void* block);

// Prints a short message to the standard error stream and ends the program.
[[noreturn]] void Mem_OutOfMemory();
