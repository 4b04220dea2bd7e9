#include "support/FileReplace.h"

#include <windows.h>

int File_Replace(const char* from, const char* to)
{
    // The C library's rename() refuses an existing target on Windows.
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0 : -1;
}
