// The pixels of an off-screen image, copied out once for fast reading.
#pragma once

#include "stats/OffscreenImage.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class PanelPixels {
public:
    explicit PanelPixels(const OffscreenImage* image)
        : width_(image ? image->width : 0), height_(image ? image->height : 0)
    {
        if (!image || width_ <= 0 || height_ <= 0)
            return;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_; // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, dib);
        BitBlt(dc, 0, 0, width_, height_, image->dc, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        pixels_.assign(p, p + static_cast<size_t>(width_) * height_);
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(dib);
    }

    // The colour at (x, y) as RGB() gives it; CLR_INVALID outside.
    COLORREF At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_ || pixels_.empty())
            return CLR_INVALID;
        uint32_t v = pixels_[static_cast<size_t>(y) * width_ + x]; // 0x00RRGGBB
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }

    int Count(COLORREF colour) const
    {
        int n = 0;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                n += At(x, y) == colour;
        return n;
    }

    bool operator==(const PanelPixels& other) const
    {
        return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
    }

private:
    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
};
