#include "support/FilePath.h"

std::FILE* File_Open(const char* path, const char* mode)
{
    return std::fopen(path, mode);
}

int File_Remove(const char* path)
{
    return std::remove(path) == 0 ? 0 : -1;
}

int File_Replace(const char* from, const char* to)
{
    // rename() replaces the target atomically on POSIX systems.
    return std::rename(from, to) == 0 ? 0 : -1;
}

std::filesystem::path File_PathOf(const char* path)
{
    return std::filesystem::path(path);
}

std::string File_NameAsUtf8(const char* name)
{
    return name;
}
