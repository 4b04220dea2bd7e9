#include "support/FileReplace.h"

#include <cstdio>

int File_Replace(const char* from, const char* to)
{
    // rename() replaces the target atomically on POSIX systems.
    return std::rename(from, to) == 0 ? 0 : -1;
}
