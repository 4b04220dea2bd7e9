// An off-screen image: a bitmap of fixed size compatible with one window,
// drawn once with GDI and copied into the window on every paint.
#pragma once

#include <windows.h>

#include <cstdint>

struct OffscreenImage {
    HWND window;              // the window the image was made for and is copied to
    HDC dc;                   // memory context with the bitmap selected, owned
    HBITMAP bitmap;           // the pixels, in the window's display format, owned
    int32_t width;            // in pixels
    int32_t height;
    HGDIOBJ initial_bitmap;   // what dc held before bitmap; put back before dc goes
};

// A new white image of width x height pixels (negative sizes count as 0) for
// window. The caller owns it and releases it with OffscreenImage_Destroy.
OffscreenImage* OffscreenImage_Create(HWND window, int32_t width, int32_t height);

// Releases the image's context, bitmap and record; null is ignored.
void OffscreenImage_Destroy(OffscreenImage* image);

// Copies the image into its window's client area at (x, y): BitBlt's result,
// or -1 when image is null.
int OffscreenImage_Blit(const OffscreenImage* image, int x, int y);

// The drawing context (the image keeps ownership), the width and the height.
HDC OffscreenImage_GetDC(const OffscreenImage* image);
int32_t OffscreenImage_GetWidth(const OffscreenImage* image);
int32_t OffscreenImage_GetHeight(const OffscreenImage* image);

// A one-pixel line in the colour red, green, blue from (x1, y1) to (x2, y2),
// both end points included. The result is that of deleting the pen (nonzero
// on success); 0 for a null image.
int OffscreenImage_Line(OffscreenImage* image, int x1, int y1, int x2, int y2,
                        uint8_t red, uint8_t green, uint8_t blue);

// A bar chart of n heights in pixels standing on the bottom edge, two columns
// per value: column 2i is values[i] high, column 2i + 1 the mean of values[i]
// and values[i + 1] (of values[i] alone for the last value). Draws the first
// min(width / 2, n) values and reads no value beyond values[n - 1]. Heights
// of 0 or less leave the column empty; heights above the image fill it.
void OffscreenImage_Bars(OffscreenImage* image, const int32_t* values, int n,
                         uint8_t red, uint8_t green, uint8_t blue);

// A black line chart: column i has its point at row values[i], for the first
// min(width, n) values; the points are joined by one-pixel lines and the last
// point is drawn too. Rows outside the image are clipped.
void OffscreenImage_Polyline(OffscreenImage* image, const int32_t* values, int n);

// Images created and not yet destroyed (for leak checks in tests).
int OffscreenImage_LiveCount();
