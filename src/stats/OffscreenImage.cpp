#include "stats/OffscreenImage.h"

#include "stats/GdiGuard.h"
#include "support/Memory.h"

#include <algorithm>

namespace {

int g_live_images = 0;

COLORREF Colour(uint8_t red, uint8_t green, uint8_t blue)
{
    return RGB(red, green, blue);
}

// A bar's top row for a height in pixels, the height clamped to the image
// so that no coordinate can overflow.
int BarTop(int32_t image_height, int64_t bar_height)
{
    int64_t clamped = std::clamp<int64_t>(bar_height, 0, image_height);
    return static_cast<int>(image_height - clamped);
}

// One pixel column from row top down to row bottom - 1 in the selected pen;
// nothing when the column is empty. A line rather than a one-pixel-wide
// rectangle: GDI drivers draw no outline for a rectangle of 1 x 1, and a bar
// one pixel high must still show.
void Column(HDC dc, int x, int top, int bottom)
{
    if (top >= bottom)
        return;
    MoveToEx(dc, x, top, nullptr);
    LineTo(dc, x, bottom);
}

} // namespace

OffscreenImage* OffscreenImage_Create(HWND window, int32_t width, int32_t height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);

    WindowDC screen(window);
    auto* image = static_cast<OffscreenImage*>(Mem_Alloc(sizeof(OffscreenImage)));
    image->window = window;
    image->dc = CreateCompatibleDC(screen.get());
    image->bitmap = CreateCompatibleBitmap(screen.get(), width, height);
    image->width = width;
    image->height = height;
    image->initial_bitmap = SelectObject(image->dc, image->bitmap);
    ++g_live_images;

    // Clear to white: a white outline around the context's white brush.
    Pen white(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    SelectGuard select(image->dc, white.get());
    Rectangle(image->dc, 0, 0, width, height);
    return image;
}

void OffscreenImage_Destroy(OffscreenImage* image)
{
    if (!image)
        return;
    if (image->initial_bitmap)
        SelectObject(image->dc, image->initial_bitmap);
    DeleteDC(image->dc);
    DeleteObject(image->bitmap);
    Mem_Free(image);
    --g_live_images;
}

int OffscreenImage_Blit(const OffscreenImage* image, int x, int y)
{
    if (!image)
        return -1;
    WindowDC target(image->window);
    return BitBlt(target.get(), x, y, image->width, image->height, image->dc, 0, 0, SRCCOPY);
}

HDC OffscreenImage_GetDC(const OffscreenImage* image)
{
    return image->dc;
}

int32_t OffscreenImage_GetWidth(const OffscreenImage* image)
{
    return image->width;
}

int32_t OffscreenImage_GetHeight(const OffscreenImage* image)
{
    return image->height;
}

int OffscreenImage_Line(OffscreenImage* image, int x1, int y1, int x2, int y2,
                        uint8_t red, uint8_t green, uint8_t blue)
{
    if (!image)
        return 0;
    COLORREF colour = Colour(red, green, blue);
    Pen pen(CreatePen(PS_SOLID, 0, colour));
    {
        SelectGuard select(image->dc, pen.get());
        MoveToEx(image->dc, x1, y1, nullptr);
        LineTo(image->dc, x2, y2);
        // LineTo leaves out the end point.
        SetPixel(image->dc, x2, y2, colour);
    }
    return DeleteObject(pen.release());
}

void OffscreenImage_Bars(OffscreenImage* image, const int32_t* values, int n,
                         uint8_t red, uint8_t green, uint8_t blue)
{
    if (!image || !values || n <= 0)
        return;
    Pen pen(CreatePen(PS_SOLID, 1, Colour(red, green, blue)));
    SelectGuard select(image->dc, pen.get());
    const int32_t h = image->height;
    const int bars = std::min(image->width / 2, n);
    for (int i = 0; i < bars; ++i) {
        int64_t value = values[i];
        int64_t next = i + 1 < n ? values[i + 1] : value;
        Column(image->dc, 2 * i, BarTop(h, value), h);
        Column(image->dc, 2 * i + 1, BarTop(h, (value + next) / 2), h);
    }
}

void OffscreenImage_Polyline(OffscreenImage* image, const int32_t* values, int n)
{
    if (!image || !values || n <= 0)
        return;
    const int points = std::min(image->width, n);
    if (points <= 0)
        return;
    Pen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    SelectGuard select(image->dc, pen.get());
    MoveToEx(image->dc, 0, values[0], nullptr);
    for (int i = 0; i < points; ++i)
        LineTo(image->dc, i, values[i]);
    // LineTo leaves out the end point: the last column carries its value too.
    SetPixel(image->dc, points - 1, values[points - 1], RGB(0, 0, 0));
}

int OffscreenImage_LiveCount()
{
    return g_live_images;
}
