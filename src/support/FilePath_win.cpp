#include "support/FilePath.h"

#include <windows.h>

#include <string>

namespace {

// The path in UTF-16: read as UTF-8, or in the ANSI code page when it is not
// valid UTF-8.
std::wstring Wide(const char* path)
{
    for (UINT codepage : {static_cast<UINT>(CP_UTF8), static_cast<UINT>(CP_ACP)}) {
        DWORD flags = codepage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
        int length = MultiByteToWideChar(codepage, flags, path, -1, nullptr, 0);
        if (length <= 0)
            continue;
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(codepage, flags, path, -1, wide.data(), length);
        wide.pop_back(); // the terminator
        return wide;
    }
    return std::wstring();
}

} // namespace

std::FILE* File_Open(const char* path, const char* mode)
{
    std::wstring wide_path = Wide(path);
    std::wstring wide_mode = Wide(mode);
    if (wide_path.empty())
        return nullptr;
    return _wfopen(wide_path.c_str(), wide_mode.c_str());
}

int File_Remove(const char* path)
{
    return DeleteFileW(Wide(path).c_str()) ? 0 : -1;
}

int File_Replace(const char* from, const char* to)
{
    // The C library's rename() refuses an existing target on Windows.
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : -1;
}

std::filesystem::path File_PathOf(const char* path)
{
    return std::filesystem::path(Wide(path));
}
