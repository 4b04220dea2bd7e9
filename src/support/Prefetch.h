// A hint to fetch memory into the cache before it is used, for loops whose
// next steps go to scattered places.
#pragma once

inline void Prefetch(const void* address)
{
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}
