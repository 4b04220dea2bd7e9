// The pixels of an off-screen image, copied out once for fast reading.
#pragma once

#include "stats/OffscreenImage.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// Colours of the pitch pictures and the Difference tool.
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kLine = RGB(0, 128, 0);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kOlive = RGB(100, 100, 0);
constexpr COLORREF kAmber = RGB(255, 200, 0);

class PanelPixels {
public:
    explicit PanelPixels(const OffscreenImage* image)
    {
        if (!image)
            return;
        width_ = image->width;
        height_ = image->height;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_; // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, dib);
        BitBlt(dc, 0, 0, width_, height_, image->dc, 0, 0, SRCCOPY);
        GdiFlush();
        pixels_.assign(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + width_ * height_);
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(dib);
    }

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
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                n += At(x, y) == colour;
        return n;
    }

    bool operator==(const PanelPixels& other) const { return pixels_ == other.pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};
