#include "stats/OffscreenImage.h"

#include "common/WinTest.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(200, 0, 0);

// An image for the screen that is destroyed with the test.
struct Image {
    OffscreenImage* image;
    Image(int width, int height) : image(OffscreenImage_Create(nullptr, width, height)) {}
    ~Image() { OffscreenImage_Destroy(image); }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    COLORREF At(int x, int y) const { return GetPixel(image->dc, x, y); }
    std::string Column(int x, COLORREF ink = kBlack) const { return ColumnPattern(image->dc, x, image->height, ink); }
    int NonWhite() const { return CountNonWhite(image->dc, image->width, image->height); }
};

// A bar of height h in an image of height total: '.' above, '#' below.
std::string Bar(int total, int h)
{
    return std::string(total - h, '.') + std::string(h, '#');
}

// A block of n int32 values that ends where an inaccessible page begins: a
// read beyond the last value faults.
class GuardedValues {
public:
    explicit GuardedValues(int n)
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        size_t page = info.dwPageSize;
        base_ = static_cast<char*>(VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(base_ + page, page, PAGE_NOACCESS, &old);
        values_ = reinterpret_cast<int32_t*>(base_ + page) - n;
    }
    ~GuardedValues() { VirtualFree(base_, 0, MEM_RELEASE); }
    GuardedValues(const GuardedValues&) = delete;
    GuardedValues& operator=(const GuardedValues&) = delete;
    int32_t* get() { return values_; }

private:
    char* base_;
    int32_t* values_;
};

} // namespace

TEST(OffscreenImage, NewImageIsWhiteAndDestroyReleasesIt)
{
    int before = OffscreenImage_LiveCount();
    Image img(144, 100);
    ASSERT_NE(img.image, nullptr);
    EXPECT_EQ(OffscreenImage_GetWidth(img.image), 144);
    EXPECT_EQ(OffscreenImage_GetHeight(img.image), 100);
    EXPECT_EQ(OffscreenImage_LiveCount(), before + 1);
    EXPECT_EQ(img.NonWhite(), 0) << "a new image is white in every pixel";
    BITMAP bm{};
    ASSERT_EQ(GetObjectA(img.image->bitmap, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
    EXPECT_GT(bm.bmBitsPixel, 1) << "the bitmap has the display's colour format, not 1 bpp";

    HDC dc = img.image->dc;
    HBITMAP bitmap = img.image->bitmap;
    OffscreenImage_Destroy(img.image);
    img.image = nullptr;
    EXPECT_EQ(OffscreenImage_LiveCount(), before);
    EXPECT_EQ(GetObjectType(dc), 0u) << "context deleted";
    EXPECT_EQ(GetObjectType(bitmap), 0u) << "bitmap deleted";
}

TEST(OffscreenImage, NullAndEmptyImagesAreSafe)
{
    int before = OffscreenImage_LiveCount();
    OffscreenImage_Destroy(nullptr);
    EXPECT_EQ(OffscreenImage_LiveCount(), before);
    EXPECT_EQ(OffscreenImage_Blit(nullptr, 0, 0), -1);
    int32_t values[3] = {1, 2, 3};
    OffscreenImage_Bars(nullptr, values, 2, 0, 0, 0);
    OffscreenImage_Polyline(nullptr, values, 2);
    EXPECT_EQ(OffscreenImage_Line(nullptr, 0, 0, 1, 1, 0, 0, 0), 0);

    Image img(-5, -7);
    EXPECT_EQ(img.image->width, 0) << "negative sizes count as 0";
    EXPECT_EQ(img.image->height, 0);
    OffscreenImage_Bars(img.image, values, 3, 0, 0, 0);
    OffscreenImage_Polyline(img.image, values, 3);
}

TEST(OffscreenImage, LineIncludesBothEndPoints)
{
    Image img(10, 4);
    EXPECT_NE(OffscreenImage_Line(img.image, 0, 0, 5, 0, 200, 0, 0), 0) << "pen deleted";
    for (int x = 0; x <= 5; ++x)
        EXPECT_EQ(img.At(x, 0), kRed) << "x " << x;
    EXPECT_EQ(img.NonWhite(), 6) << "six pixels in all";

    Image dot(3, 3);
    OffscreenImage_Line(dot.image, 1, 1, 1, 1, 0, 200, 0);
    EXPECT_EQ(dot.At(1, 1), RGB(0, 200, 0)) << "a line of length 0 is its one point";
    EXPECT_EQ(dot.NonWhite(), 1);
}

TEST(OffscreenImage, DrawingPutsBackThePenAndBrush)
{
    Image img(20, 20);
    HGDIOBJ pen = GetCurrentObject(img.image->dc, OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(img.image->dc, OBJ_BRUSH);
    EXPECT_EQ(pen, GetStockObject(BLACK_PEN)) << "create put back the context's own pen";
    int32_t values[3] = {5, 6, 7};
    OffscreenImage_Line(img.image, 0, 0, 3, 3, 1, 2, 3);
    EXPECT_EQ(GetCurrentObject(img.image->dc, OBJ_PEN), pen) << "after Line";
    OffscreenImage_Bars(img.image, values, 3, 1, 2, 3);
    EXPECT_EQ(GetCurrentObject(img.image->dc, OBJ_PEN), pen) << "after Bars";
    OffscreenImage_Polyline(img.image, values, 3);
    EXPECT_EQ(GetCurrentObject(img.image->dc, OBJ_PEN), pen) << "after Polyline";
    EXPECT_EQ(GetCurrentObject(img.image->dc, OBJ_BRUSH), brush) << "the brush is never changed";
}

// Column 2i shows value i, column 2i + 1 the mean of values i and i + 1
// (value i alone for the last), clipped to the image, nothing for values <= 0.
TEST(OffscreenImage, BarsShowValuesAndTheMeansBetweenThem)
{
    struct {
        const char* what;
        int width, height;
        std::vector<int32_t> values;
        std::vector<int> heights; // of every column
    } cases[] = {
        {"10 and 20", 10, 30, {10, 20}, {10, 15, 20, 20, 0, 0, 0, 0, 0, 0}},
        {"halves towards zero, clips at the image", 12, 20, {3, 4, 20, 25, 0, -6},
         {3, 3, 4, 12, 20, 20, 20, 12, 0, 0, 0, 0}},
        {"extremes do not overflow", 6, 10, {INT32_MAX, INT32_MAX, INT32_MIN}, {10, 10, 10, 0, 0, 0}},
        {"three values on width 10", 10, 10, {2, 4, 6}, {2, 3, 4, 5, 6, 6, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        Image img(c.width, c.height);
        OffscreenImage_Bars(img.image, c.values.data(), static_cast<int>(c.values.size()), 200, 0, 0);
        int drawn = 0;
        for (int x = 0; x < c.width; ++x) {
            EXPECT_EQ(img.Column(x, kRed), Bar(c.height, c.heights[x])) << c.what << ", column " << x;
            drawn += c.heights[x];
        }
        EXPECT_EQ(img.NonWhite(), drawn) << c.what << ": nothing but the bars";
    }
}

TEST(OffscreenImage, BarsOnAnImageOfTheirWidthDrawHalfTheValues)
{
    // 144 values on 144 columns: 72 bars, value 72 is the last one read.
    Image img(144, 100);
    int32_t values[144];
    for (int i = 0; i < 144; ++i)
        values[i] = i < 72 ? i + 1 : 99;
    values[72] = 50;
    OffscreenImage_Bars(img.image, values, 144, 0, 0, 0);
    for (int i = 0; i < 72; ++i) {
        int second = (values[i] + values[i + 1]) / 2;
        EXPECT_EQ(img.Column(2 * i), Bar(100, values[i])) << "column " << 2 * i;
        EXPECT_EQ(img.Column(2 * i + 1), Bar(100, second)) << "column " << 2 * i + 1;
    }
    EXPECT_EQ(img.Column(143), Bar(100, (72 + 50) / 2)) << "the last column reads value 72";
}

TEST(OffscreenImage, BarsNeverReadBeyondTheirValues)
{
    for (int n : {1, 3, 5}) {
        GuardedValues guarded(n);
        for (int i = 0; i < n; ++i)
            guarded.get()[i] = 4;
        Image img(2 * n, 8);
        OffscreenImage_Bars(img.image, guarded.get(), n, 0, 0, 0);
        EXPECT_EQ(img.Column(2 * n - 1), Bar(8, 4)) << "n " << n;
    }
}

TEST(OffscreenImage, PolylineStopsAfterTheLastValueOrAtTheRightEdge)
{
    Image img(10, 10);
    int32_t values[4] = {5, 5, 5, 5};
    OffscreenImage_Polyline(img.image, values, 4);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(img.Column(x), x < 4 ? ".....#...." : "..........") << "column " << x;

    GuardedValues guarded(20);
    for (int i = 0; i < 20; ++i)
        guarded.get()[i] = i < 10 ? 3 : 7;
    Image edge(10, 10);
    OffscreenImage_Polyline(edge.image, guarded.get(), 20);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(edge.Column(x), "...#......") << "column " << x;

    Image one(5, 5);
    int32_t single = 2;
    OffscreenImage_Polyline(one.image, &single, 1);
    EXPECT_EQ(one.At(0, 2), kBlack) << "one value is one point";
    EXPECT_EQ(one.NonWhite(), 1);
}

TEST(OffscreenImage, PolylineJoinsItsPoints)
{
    Image img(4, 12);
    int32_t values[3] = {2, 8, 8};
    OffscreenImage_Polyline(img.image, values, 3);
    EXPECT_EQ(img.At(0, 2), kBlack) << "first point";
    EXPECT_EQ(img.At(2, 8), kBlack) << "last point";
    for (int y = 2; y <= 8; ++y)
        EXPECT_TRUE(img.At(0, y) == kBlack || img.At(1, y) == kBlack) << "row " << y << " is on the line";
    EXPECT_EQ(img.Column(3), std::string(12, '.'));
}

TEST(OffscreenImage, BlitCopiesIntoTheWindow)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr,
                                  Instance(), nullptr);
    ASSERT_NE(window, nullptr);
    UpdateWindow(window);
    OffscreenImage* image = OffscreenImage_Create(window, 6, 4);
    OffscreenImage_Line(image, 0, 0, 5, 0, 200, 0, 0);
    EXPECT_NE(OffscreenImage_Blit(image, 10, 20), 0) << "BitBlt succeeded";
    HDC dc = GetDC(window);
    EXPECT_EQ(GetPixel(dc, 10, 20), kRed) << "the image's first pixel lands at (10, 20)";
    EXPECT_EQ(GetPixel(dc, 15, 20), kRed);
    EXPECT_EQ(GetPixel(dc, 15, 21), kWhite);
    ReleaseDC(window, dc);
    OffscreenImage_Destroy(image);
    DestroyWindow(window);
}
