// Scope guards for GDI: every device context, selection and GDI object is
// released in the scope that made it. Copying is disabled so that a guard
// can never restore into, or release, something twice.
#pragma once

#include <windows.h>

// The display context of a window (GetDC / ReleaseDC).
class WindowDC {
public:
    explicit WindowDC(HWND window);
    ~WindowDC();
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A window's paint context between BeginPaint and EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window);
    ~PaintDC();
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A GDI object (pen, brush, bitmap, ...) owned by the scope; DeleteObject at
// the end. Select it with SelectGuard in a scope nested inside this one.
template <typename Handle>
class GdiObject {
public:
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject()
    {
        if (handle_)
            DeleteObject(handle_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    Handle get() const { return handle_; }
    // Gives up ownership (for an object that outlives the scope).
    Handle release()
    {
        Handle h = handle_;
        handle_ = nullptr;
        return h;
    }

private:
    Handle handle_;
};

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;

// A memory device context (CreateCompatibleDC / DeleteDC).
class MemoryDC {
public:
    explicit MemoryDC(HDC compatible_with);
    ~MemoryDC();
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// Selects an object into a device context for the scope and puts the
// previous object back into the same context at the end.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object);
    ~SelectGuard();
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
