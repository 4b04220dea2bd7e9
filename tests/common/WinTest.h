// Helpers for the tests that run under Windows: a bounded message pump, the
// windows of this thread, dialogs made for a test, and pixels read back.
#pragma once

#include "stats/GdiGuard.h"
#include "stats/OffscreenImage.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

inline HINSTANCE Instance()
{
    return GetModuleHandleA(nullptr);
}

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

// The pixels of a width x height area at (x, y) of a device context, or of an
// off-screen image, copied once for fast reading.
class Pixels {
public:
    Pixels(HDC dc, int x, int y, int width, int height) : width_(width), height_(height)
    {
        BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}}; // top row first
        void* bits = nullptr;
        GdiObject<HBITMAP> dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        MemoryDC copy(nullptr);
        SelectGuard select(copy.get(), dib.get());
        BitBlt(copy.get(), 0, 0, width, height, dc, x, y, SRCCOPY);
        GdiFlush();
        pixels_.assign(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + width * height);
    }
    explicit Pixels(const OffscreenImage* image) : Pixels(image->dc, 0, 0, image->width, image->height) {}

    // The colour at (x, y) as RGB() gives it; CLR_INVALID outside.
    COLORREF At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_)
            return CLR_INVALID;
        uint32_t v = pixels_[static_cast<size_t>(y) * width_ + x]; // 0x00RRGGBB
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int Count(COLORREF colour) const
    {
        int n = 0;
        for (int i = 0; i < width_ * height_; ++i)
            n += At(i % width_, i / width_) == colour;
        return n;
    }
    // Column x from the top: '#' where it has the colour ink, '.' elsewhere.
    std::string Column(int x, COLORREF ink) const
    {
        std::string s;
        for (int y = 0; y < height_; ++y)
            s += At(x, y) == ink ? '#' : '.';
        return s;
    }
    bool operator==(const Pixels& other) const { return pixels_ == other.pixels_; }

private:
    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
};

// Shows a dialog in the top left corner of the screen and paints it.
inline void Paint(HWND window)
{
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
