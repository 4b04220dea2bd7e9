#include "app/FileDialogs.h"

#include "support/Str.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr DWORD kPathBufferSize = 260;
constexpr DWORD kCommonFlags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_NONETWORKBUTTON | OFN_PATHMUSTEXIST |
                               OFN_ENABLEHOOK | OFN_HIDEREADONLY;
constexpr DWORD kOpenFlags = kCommonFlags | OFN_FILEMUSTEXIST;
// Results files take hours of game time to make: ask before replacing one.
constexpr DWORD kSaveFlags = kCommonFlags | OFN_OVERWRITEPROMPT;

// "description|pattern|All|*.*|" with every '|' turned into a NUL: the pairs
// of a file dialog's filter, ended by a double NUL.
char* MakeFilter(const char* description, const char* pattern)
{
    std::size_t size = std::strlen(description) + std::strlen(pattern) + 13;
    char* filter = Str_Alloc(size);
    std::snprintf(filter, size, "%s|%s|All|*.*|", description, pattern);
    for (char* p = filter; *p; ++p) {
        if (*p == '|')
            *p = '\0';
    }
    return filter;
}

using FileDialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);

char* ChooseFile(FileDialogFunction run, DWORD flags, const char* title, const char* description,
                 const char* pattern)
{
    char* filter = MakeFilter(description, pattern);
    char* title_copy = Str_Dup(title);
    char path[kPathBufferSize] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = kPathBufferSize;
    ofn.lpstrTitle = title_copy;
    ofn.lpfnHook = FileDialogHook;
    ofn.Flags = flags;
    BOOL chosen = run(&ofn);
    Str_Free(title_copy);
    Str_Free(filter);
    return chosen ? Str_Dup(path) : nullptr;
}

} // namespace

char* ChooseFileToOpen(const char* title, const char* filter_description, const char* filter_pattern)
{
    return ChooseFile(GetOpenFileNameA, kOpenFlags, title, filter_description, filter_pattern);
}

char* ChooseFileToSave(const char* title, const char* filter_description, const char* filter_pattern)
{
    return ChooseFile(GetSaveFileNameA, kSaveFlags, title, filter_description, filter_pattern);
}

UINT_PTR CALLBACK FileDialogHook(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    // The hook's dialog is a child of the explorer-style dialog itself.
    CenterWindow(GetParent(dialog));
    return TRUE;
}

int CenterWindow(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    int w = rect.right - rect.left;
    int h = rect.bottom - rect.top;
    int screen_w = GetSystemMetrics(SM_CXSCREEN);
    int screen_h = GetSystemMetrics(SM_CYSCREEN);
    int x = screen_w / 2 - w / 2;
    int y = screen_h / 2 - h / 2;
    if (x + w > screen_w)
        x = screen_w - w;
    if (y + h > screen_h)
        y = screen_h - h;
    // A window larger than the screen keeps its top left corner (and so its
    // title bar) on the screen.
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
    MoveWindow(window, x, y, w, h, FALSE);
    return 1;
}
