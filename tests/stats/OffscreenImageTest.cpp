#include "stats/OffscreenImage.h"

#include <gtest/gtest.h>

#include <cstring>
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
};

// The rows of column x that hold colour, as one string of '#' and '.' from
// the top, so that a failure shows the whole column.
std::string ColumnPattern(const Image& img, int x, COLORREF colour)
{
    std::string s;
    for (int y = 0; y < img.image->height; ++y)
        s += img.At(x, y) == colour ? '#' : '.';
    return s;
}

// A bar of height h in an image of height total: '.' above, '#' below.
std::string Bar(int total, int h)
{
    return std::string(total - h, '.') + std::string(h, '#');
}

// Pixels of the image that are not white.
int CountNonWhite(const Image& img)
{
    int count = 0;
    for (int y = 0; y < img.image->height; ++y)
        for (int x = 0; x < img.image->width; ++x)
            count += img.At(x, y) != kWhite;
    return count;
}

// A block of n int32 values that ends where an inaccessible page begins: a
// read beyond the last value faults.
class GuardedValues {
public:
    explicit GuardedValues(int n) : n_(n)
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        page_ = info.dwPageSize;
        base_ = static_cast<char*>(VirtualAlloc(nullptr, 2 * page_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(base_ + page_, page_, PAGE_NOACCESS, &old);
        values_ = reinterpret_cast<int32_t*>(base_ + page_) - n;
    }
    ~GuardedValues() { VirtualFree(base_, 0, MEM_RELEASE); }
    GuardedValues(const GuardedValues&) = delete;
    GuardedValues& operator=(const GuardedValues&) = delete;
    int32_t* get() { return values_; }

private:
    int n_;
    size_t page_;
    char* base_;
    int32_t* values_;
};

} // namespace

TEST(OffscreenImage, CreateRecordsSizeAndIsWhiteEverywhere)
{
    int before = OffscreenImage_LiveCount();
    {
        Image img(144, 100);
        ASSERT_NE(img.image, nullptr);
        EXPECT_EQ(OffscreenImage_GetWidth(img.image), 144);
        EXPECT_EQ(OffscreenImage_GetHeight(img.image), 100);
        EXPECT_EQ(OffscreenImage_GetDC(img.image), img.image->dc);
        EXPECT_EQ(OffscreenImage_LiveCount(), before + 1);
        EXPECT_EQ(CountNonWhite(img), 0) << "a new image is white in every pixel";
        BITMAP bm{};
        ASSERT_EQ(GetObjectA(img.image->bitmap, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
        EXPECT_GT(bm.bmBitsPixel, 1) << "the bitmap has the display's colour format, not 1 bpp";
        EXPECT_EQ(GetCurrentObject(img.image->dc, OBJ_BITMAP), img.image->bitmap);
    }
    EXPECT_EQ(OffscreenImage_LiveCount(), before) << "destroy releases the image";
}

TEST(OffscreenImage, DestroyReleasesContextAndBitmap)
{
    OffscreenImage* image = OffscreenImage_Create(nullptr, 8, 8);
    HDC dc = image->dc;
    HBITMAP bitmap = image->bitmap;
    OffscreenImage_Destroy(image);
    EXPECT_EQ(GetObjectType(dc), 0u) << "context deleted";
    EXPECT_EQ(GetObjectType(bitmap), 0u) << "bitmap deleted";
}

TEST(OffscreenImage, NullImageIsIgnored)
{
    int before = OffscreenImage_LiveCount();
    OffscreenImage_Destroy(nullptr);
    EXPECT_EQ(OffscreenImage_LiveCount(), before);
    EXPECT_EQ(OffscreenImage_Blit(nullptr, 0, 0), -1);
    int32_t values[2] = {1, 2};
    OffscreenImage_Bars(nullptr, values, 2, 0, 0, 0);
    OffscreenImage_Polyline(nullptr, values, 2);
    EXPECT_EQ(OffscreenImage_Line(nullptr, 0, 0, 1, 1, 0, 0, 0), 0);
}

TEST(OffscreenImage, NegativeSizeGivesEmptyImage)
{
    Image img(-5, -7);
    EXPECT_EQ(img.image->width, 0);
    EXPECT_EQ(img.image->height, 0);
    int32_t values[3] = {1, 2, 3};
    OffscreenImage_Bars(img.image, values, 3, 0, 0, 0);
    OffscreenImage_Polyline(img.image, values, 3);
}

TEST(OffscreenImage, LineIncludesBothEndPoints)
{
    Image img(10, 4);
    EXPECT_NE(OffscreenImage_Line(img.image, 0, 0, 5, 0, 200, 0, 0), 0) << "pen deleted";
    for (int x = 0; x <= 5; ++x)
        EXPECT_EQ(img.At(x, 0), kRed) << "x " << x;
    EXPECT_EQ(CountNonWhite(img), 6) << "six pixels in all";

    Image diag(10, 10);
    OffscreenImage_Line(diag.image, 1, 1, 4, 4, 0, 0, 200);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(diag.At(i, i), RGB(0, 0, 200)) << "diagonal point " << i;
    EXPECT_EQ(CountNonWhite(diag), 4);

    Image dot(3, 3);
    OffscreenImage_Line(dot.image, 1, 1, 1, 1, 0, 200, 0);
    EXPECT_EQ(dot.At(1, 1), RGB(0, 200, 0)) << "a line of length 0 is its one point";
    EXPECT_EQ(CountNonWhite(dot), 1);
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

TEST(OffscreenImage, BarsInterpolateBetweenNeighbours)
{
    Image img(10, 30);
    int32_t values[2] = {10, 20};
    OffscreenImage_Bars(img.image, values, 2, 200, 0, 0);
    EXPECT_EQ(ColumnPattern(img, 0, kRed), Bar(30, 10)) << "column 0 shows 10";
    EXPECT_EQ(ColumnPattern(img, 1, kRed), Bar(30, 15)) << "column 1 shows (10 + 20) / 2";
    EXPECT_EQ(ColumnPattern(img, 2, kRed), Bar(30, 20)) << "column 2 shows 20";
    EXPECT_EQ(ColumnPattern(img, 3, kRed), Bar(30, 20)) << "the last bar repeats its value";
    for (int x = 4; x < 10; ++x)
        EXPECT_EQ(ColumnPattern(img, x, kRed), Bar(30, 0)) << "column " << x << " is empty";
    EXPECT_EQ(CountNonWhite(img), 10 + 15 + 20 + 20) << "nothing but the bars";
}

TEST(OffscreenImage, BarsHalveTowardsZeroAndClipAtTheImage)
{
    Image img(12, 20);
    int32_t values[6] = {3, 4, 20, 25, 0, -6};
    OffscreenImage_Bars(img.image, values, 6, 0, 0, 0);
    EXPECT_EQ(ColumnPattern(img, 1, kBlack), Bar(20, 3)) << "(3 + 4) / 2 is 3";
    EXPECT_EQ(ColumnPattern(img, 4, kBlack), Bar(20, 20)) << "a value equal to the height fills the column";
    EXPECT_EQ(ColumnPattern(img, 6, kBlack), Bar(20, 20)) << "a value above the height fills the column";
    EXPECT_EQ(ColumnPattern(img, 7, kBlack), Bar(20, 12)) << "(25 + 0) / 2 is 12";
    EXPECT_EQ(ColumnPattern(img, 8, kBlack), Bar(20, 0)) << "a value of 0 draws nothing";
    EXPECT_EQ(ColumnPattern(img, 9, kBlack), Bar(20, 0)) << "(0 - 6) / 2 draws nothing";
    EXPECT_EQ(ColumnPattern(img, 10, kBlack), Bar(20, 0)) << "a negative value draws nothing";
}

TEST(OffscreenImage, BarsOfOnePixelShow)
{
    Image img(4, 5);
    int32_t values[2] = {1, 1};
    OffscreenImage_Bars(img.image, values, 2, 0, 0, 0);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(ColumnPattern(img, x, kBlack), Bar(5, 1)) << "column " << x;
}

TEST(OffscreenImage, BarsOfExtremeValuesDoNotOverflow)
{
    Image img(6, 10);
    int32_t values[3] = {INT32_MAX, INT32_MAX, INT32_MIN};
    OffscreenImage_Bars(img.image, values, 3, 0, 0, 0);
    EXPECT_EQ(ColumnPattern(img, 1, kBlack), Bar(10, 10)) << "the mean of two maxima is no negative number";
    EXPECT_EQ(ColumnPattern(img, 3, kBlack), Bar(10, 0)) << "(max + min) / 2 is -1: empty";
    EXPECT_EQ(ColumnPattern(img, 4, kBlack), Bar(10, 0));
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
        EXPECT_EQ(ColumnPattern(img, 2 * i, kBlack), Bar(100, values[i])) << "column " << 2 * i;
        EXPECT_EQ(ColumnPattern(img, 2 * i + 1, kBlack), Bar(100, second)) << "column " << 2 * i + 1;
    }
    EXPECT_EQ(ColumnPattern(img, 143, kBlack), Bar(100, (72 + 50) / 2)) << "the last column reads value 72";
}

TEST(OffscreenImage, BarsOnANarrowImageDrawOnlyWhatFits)
{
    Image img(10, 10);
    int32_t values[3] = {2, 4, 6};
    OffscreenImage_Bars(img.image, values, 3, 0, 0, 0);
    int expected[10] = {2, 3, 4, 5, 6, 6, 0, 0, 0, 0};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(ColumnPattern(img, x, kBlack), Bar(10, expected[x])) << "column " << x;
}

TEST(OffscreenImage, BarsNeverReadBeyondTheirValues)
{
    for (int n : {1, 3, 5}) {
        GuardedValues guarded(n);
        for (int i = 0; i < n; ++i)
            guarded.get()[i] = 4;
        Image img(2 * n, 8);
        OffscreenImage_Bars(img.image, guarded.get(), n, 0, 0, 0);
        EXPECT_EQ(ColumnPattern(img, 2 * n - 1, kBlack), Bar(8, 4)) << "n " << n;
    }
}

TEST(OffscreenImage, PolylineStopsAfterTheLastValue)
{
    Image img(10, 10);
    int32_t values[4] = {5, 5, 5, 5};
    OffscreenImage_Polyline(img.image, values, 4);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(ColumnPattern(img, x, kBlack), "....." "#...." ) << "column " << x;
    for (int x = 4; x < 10; ++x)
        EXPECT_EQ(ColumnPattern(img, x, kBlack), "..........") << "column " << x;
}

TEST(OffscreenImage, PolylineStopsAtTheRightEdge)
{
    GuardedValues guarded(20);
    for (int i = 0; i < 20; ++i)
        guarded.get()[i] = i < 10 ? 3 : 7;
    Image img(10, 10);
    OffscreenImage_Polyline(img.image, guarded.get(), 20);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(ColumnPattern(img, x, kBlack), "...#......") << "column " << x;

    Image one(5, 5);
    int32_t single = 2;
    OffscreenImage_Polyline(one.image, &single, 1);
    EXPECT_EQ(one.At(0, 2), kBlack) << "one value is one point";
    EXPECT_EQ(CountNonWhite(one), 1);
}

TEST(OffscreenImage, PolylineJoinsItsPoints)
{
    Image img(4, 12);
    int32_t values[3] = {2, 8, 8};
    OffscreenImage_Polyline(img.image, values, 3);
    EXPECT_EQ(img.At(0, 2), kBlack) << "first point";
    EXPECT_EQ(img.At(1, 8), kBlack) << "second point";
    EXPECT_EQ(img.At(2, 8), kBlack) << "last point";
    for (int y = 2; y <= 8; ++y)
        EXPECT_TRUE(img.At(0, y) == kBlack || img.At(1, y) == kBlack) << "row " << y << " is on the line";
    EXPECT_EQ(ColumnPattern(img, 3, kBlack), std::string(12, '.'));
}

TEST(OffscreenImage, PolylineClipsRowsOutsideTheImage)
{
    Image img(4, 10);
    int32_t values[4] = {-40, 50, 5, 5};
    OffscreenImage_Polyline(img.image, values, 4);
    EXPECT_EQ(img.At(3, 5), kBlack);
    EXPECT_EQ(img.At(2, 5), kBlack);
}

TEST(OffscreenImage, BlitCopiesIntoTheWindow)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
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
    EXPECT_EQ(image->window, window);
    EXPECT_EQ(image->dc == nullptr, false);
    EXPECT_EQ(GetPixel(image->dc, 0, 0), kRed) << "blitting leaves the image as it was";
    OffscreenImage_Destroy(image);
    DestroyWindow(window);
}
