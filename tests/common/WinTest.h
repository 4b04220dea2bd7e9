// For the tests under Windows: a bounded pump, this thread's windows, test dialogs, pixels read back.
#pragma once

#include "stats/GdiGuard.h"
#include "stats/OffscreenImage.h"

#include <algorithm>
#include <string>
#include <vector>

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

inline HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// Handles the messages waiting for this thread, a bounded number of them.
inline void Pump()
{
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
        DispatchMessageA(&msg);
}

// The first visible, enabled top-level window of this thread of this class, or
// null (never a window of another program on the same desktop).
inline HWND ThreadWindow(const char* class_name)
{
    std::pair<const char*, HWND> search{class_name, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<std::pair<const char*, HWND>*>(data);
        char name[64] = "";
        GetClassNameA(window, name, sizeof name);
        if (IsWindowVisible(window) && IsWindowEnabled(window) && lstrcmpiA(name, s->first) == 0)
            s->second = window;
        return !s->second;
    }, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// A dialog of the program created modelessly, destroyed with the test.
struct Dialog {
    HWND window;
    Dialog(int id, DLGPROC procedure, const void* init)
        : window(CreateDialogParamA(Instance(), MAKEINTRESOURCEA(id), nullptr, procedure,
                                    reinterpret_cast<LPARAM>(init))) {}
    ~Dialog() { DestroyWindow(window); }
    std::string Text(int id) const
    {
        char text[512] = "";
        GetDlgItemTextA(window, id, text, sizeof text);
        return text;
    }
};

// The colours of a width x height area at (x, y) of a device context, or of
// an off-screen image, copied once for fast reading.
struct Pixels {
    int width, height;
    std::vector<COLORREF> colours; // as RGB() gives them, top row first

    Pixels(HDC dc, int x, int y, int w, int h) : width(w), height(h), colours(static_cast<size_t>(w) * h)
    {
        BITMAPINFO info{{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        void* bits = nullptr;
        GdiObject<HBITMAP> dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        MemoryDC copy(nullptr);
        SelectGuard select(copy.get(), dib.get());
        BitBlt(copy.get(), 0, 0, w, h, dc, x, y, SRCCOPY);
        GdiFlush();
        for (size_t i = 0; i < colours.size(); ++i) { // 0x00RRGGBB
            const uint32_t v = static_cast<const uint32_t*>(bits)[i];
            colours[i] = RGB(v >> 16 & 0xFF, v >> 8 & 0xFF, v & 0xFF);
        }
    }
    explicit Pixels(const OffscreenImage* image) : Pixels(image->dc, 0, 0, image->width, image->height) {}

    COLORREF At(int x, int y) const
    {
        return x < 0 || y < 0 || x >= width || y >= height ? CLR_INVALID : colours[static_cast<size_t>(y) * width + x];
    }
    int Count(COLORREF colour) const { return static_cast<int>(std::count(colours.begin(), colours.end(), colour)); }
    // Column x from the top: '#' where it has the colour ink, '.' elsewhere.
    std::string Column(int x, COLORREF ink) const
    {
        std::string s;
        for (int y = 0; y < height; ++y)
            s += At(x, y) == ink ? '#' : '.';
        return s;
    }
    bool operator==(const Pixels& other) const { return colours == other.colours; }
};

// Shows a dialog in the top left corner of the screen and paints it.
inline void Paint(HWND window)
{
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
