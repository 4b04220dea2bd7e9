#include "stats/GdiGuard.h"

WindowDC::WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}

WindowDC::~WindowDC()
{
    if (dc_)
        ReleaseDC(window_, dc_);
}

PaintDC::PaintDC(HWND window) : window_(window)
{
    dc_ = BeginPaint(window, &paint_);
}

PaintDC::~PaintDC()
{
    EndPaint(window_, &paint_);
}

MemoryDC::MemoryDC(HDC compatible_with) : dc_(CreateCompatibleDC(compatible_with)) {}

MemoryDC::~MemoryDC()
{
    if (dc_)
        DeleteDC(dc_);
}

SelectGuard::SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}

SelectGuard::~SelectGuard()
{
    if (previous_)
        SelectObject(dc_, previous_);
}
