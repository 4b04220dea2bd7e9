// Helpers for the tests that run under Windows: the message pump and pixel readers.
#pragma once

#include <windows.h>

#include <string>

inline HINSTANCE Instance()
{
    return GetModuleHandleA(nullptr);
}

// Handles the messages waiting for this thread, at most a bounded number of them.
inline void Pump()
{
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Column x of a drawing, rows 0 to height - 1 from the top, as '#' where the
// pixel has the colour ink and '.' elsewhere, so that a failure shows the column.
inline std::string ColumnPattern(HDC dc, int x, int height, COLORREF ink)
{
    std::string s;
    for (int y = 0; y < height; ++y)
        s += GetPixel(dc, x, y) == ink ? '#' : '.';
    return s;
}

// The pixels of a width x height drawing that are not white.
inline int CountNonWhite(HDC dc, int width, int height)
{
    int count = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            count += GetPixel(dc, x, y) != RGB(255, 255, 255);
    return count;
}

