#include "support/FilePath.h"
#include "support/WideText.h"

#include <windows.h>

#include <string>

std::wstring WideText_FromUtf8(const char* text)
{
    for (UINT codepage : {static_cast<UINT>(CP_UTF8), static_cast<UINT>(CP_ACP)}) {
        DWORD flags = codepage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
        int length = MultiByteToWideChar(codepage, flags, text, -1, nullptr, 0);
        if (length <= 0)
            continue;
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(codepage, flags, text, -1, wide.data(), length);
        wide.pop_back(); // the terminator
        return wide;
    }
    return std::wstring();
}

std::string WideText_ToUtf8(const wchar_t* text)
{
    int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::string();
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
    utf8.pop_back(); // the terminator
    return utf8;
}

std::FILE* File_Open(const char* path, const char* mode)
{
    std::wstring wide_path = WideText_FromUtf8(path);
    std::wstring wide_mode = WideText_FromUtf8(mode);
    if (wide_path.empty())
        return nullptr;
    return _wfopen(wide_path.c_str(), wide_mode.c_str());
}

int File_Remove(const char* path)
{
    return DeleteFileW(WideText_FromUtf8(path).c_str()) ? 0 : -1;
}

int File_Replace(const char* from, const char* to)
{
    // The C library's rename() refuses an existing target on Windows.
    return MoveFileExW(WideText_FromUtf8(from).c_str(), WideText_FromUtf8(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : -1;
}

std::filesystem::path File_PathOf(const char* path)
{
    return std::filesystem::path(WideText_FromUtf8(path));
}

std::string File_NameAsUtf8(const char* name)
{
    // Read as UTF-8 when it is, else in the ANSI code page.
    return WideText_ToUtf8(WideText_FromUtf8(name).c_str());
}
