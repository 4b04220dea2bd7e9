#include "app/FileDialogs.h"

#include "support/Str.h"
#include "support/WideText.h"

#include <commdlg.h>

#include <string>

namespace {

constexpr DWORD kPathBufferSize = 260;
constexpr DWORD kCommonFlags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_NONETWORKBUTTON | OFN_PATHMUSTEXIST |
                               OFN_ENABLEHOOK | OFN_HIDEREADONLY;
constexpr DWORD kOpenFlags = kCommonFlags | OFN_FILEMUSTEXIST;
// No overwrite prompt here: the main window asks before replacing a file,
// saying so when it is one of the loaded files.
constexpr DWORD kSaveFlags = kCommonFlags;

// The pairs (description, pattern) and (All, *.*) of a file dialog's filter,
// each text ended by a NUL and the whole by a second NUL.
std::wstring MakeFilter(const char* description, const char* pattern)
{
    std::wstring filter = WideText_FromUtf8(description) + L'\0' + WideText_FromUtf8(pattern) + L'\0';
    filter += std::wstring(L"All") + L'\0' + L"*.*" + L'\0';
    return filter; // c_str() adds the second NUL
}

using FileDialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

// The wide dialogs, so that any file name can be chosen; the path comes back
// in UTF-8.
char* ChooseFile(FileDialogFunction run, DWORD flags, const char* title, const char* description,
                 const char* pattern)
{
    std::wstring filter = MakeFilter(description, pattern);
    std::wstring wide_title = WideText_FromUtf8(title);
    wchar_t path[kPathBufferSize] = L"";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = kPathBufferSize;
    ofn.lpstrTitle = wide_title.c_str();
    ofn.lpfnHook = FileDialogHook;
    ofn.Flags = flags;
    if (!run(&ofn))
        return nullptr;
    return Str_Dup(WideText_ToUtf8(path).c_str());
}

} // namespace

char* ChooseFileToOpen(const char* title, const char* filter_description, const char* filter_pattern)
{
    return ChooseFile(GetOpenFileNameW, kOpenFlags, title, filter_description, filter_pattern);
}

char* ChooseFileToSave(const char* title, const char* filter_description, const char* filter_pattern)
{
    return ChooseFile(GetSaveFileNameW, kSaveFlags, title, filter_description, filter_pattern);
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
