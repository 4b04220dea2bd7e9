#include "common/WinTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using Image = std::unique_ptr<OffscreenImage, decltype(&OffscreenImage_Destroy)>;
Image MakeImage(int width, int height)
{
    return Image(OffscreenImage_Create(nullptr, width, height), OffscreenImage_Destroy);
}

// The values copied to the end of a page that an inaccessible page follows:
// reading beyond the last value faults.
const int32_t* Guarded(const std::vector<int32_t>& values)
{
    const size_t page = 65536; // a multiple of any page size
    static char* pages = static_cast<char*>(VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old;
    VirtualProtect(pages + page, page, PAGE_NOACCESS, &old);
    return std::copy_backward(values.begin(), values.end(), reinterpret_cast<int32_t*>(pages + page));
}

} // namespace

TEST(OffscreenImage, CreateMakesAWhiteImageAndDestroyReleasesIt)
{
    const int before = OffscreenImage_LiveCount();
    Image img = MakeImage(144, 100);
    EXPECT_EQ(OffscreenImage_LiveCount(), before + 1);
    EXPECT_EQ(Pixels(img.get()).Count(kWhite), 144 * 100) << "a new image is white in every pixel";
    BITMAP bm{};
    GetObjectA(img->bitmap, sizeof(bm), &bm);
    EXPECT_GT(bm.bmBitsPixel, 1) << "the bitmap has the display's colour format, not 1 bpp";
    HGDIOBJ objects[2] = {img->dc, img->bitmap};
    OffscreenImage_Destroy(img.release());
    EXPECT_EQ(OffscreenImage_LiveCount(), before);
    EXPECT_EQ(GetObjectType(objects[0]) + GetObjectType(objects[1]), 0u) << "context and bitmap deleted";

    img = MakeImage(-5, -7);
    EXPECT_EQ(img->width + img->height, 0) << "negative sizes count as 0";
    for (OffscreenImage* nothing : {img.get(), static_cast<OffscreenImage*>(nullptr)}) { // no crash
        OffscreenImage_Bars(nothing, Guarded({1, 2, 3}), 3, 0, 0, 0);
        OffscreenImage_Polyline(nothing, Guarded({1, 2, 3}), 3);
    }
    EXPECT_EQ(OffscreenImage_Blit(nullptr, 0, 0) + OffscreenImage_Line(nullptr, 0, 0, 1, 1, 0, 0, 0), -1);
}

TEST(OffscreenImage, LineIncludesBothEndPointsAndPutsThePenBack)
{
    for (int length : {5, 0}) {
        Image img = MakeImage(10, 4);
        HGDIOBJ pen = GetCurrentObject(img->dc, OBJ_PEN);
        EXPECT_NE(OffscreenImage_Line(img.get(), 2, 1, 2 + length, 1, 200, 0, 0), 0) << "its pen deleted";
        EXPECT_EQ(GetCurrentObject(img->dc, OBJ_PEN), pen);
        EXPECT_EQ(Pixels(img.get()).Column(2 + length, RGB(200, 0, 0)), ".#..") << "the end point, length " << length;
        EXPECT_EQ(Pixels(img.get()).Count(RGB(200, 0, 0)), length + 1) << "length " << length;
    }
}

// Column 2i shows value i, column 2i + 1 the mean of values i and i + 1
// (value i alone for the last), clipped to the image, nothing for values <= 0;
// no value beyond the last is read.
TEST(OffscreenImage, BarsShowValuesAndTheMeansBetweenThem)
{
    const struct {
        int width, height;
        std::vector<int32_t> values;
        std::vector<int> heights; // of every column
    } cases[] = {
        {6, 30, {10, 20}, {10, 15, 20, 20, 0, 0}},
        {4, 5, {1, 1}, {1, 1, 1, 1}}, // one pixel high
        {12, 20, {3, 4, 20, 25, 0, -6}, {3, 3, 4, 12, 20, 20, 20, 12, 0, 0, 0, 0}},
        {6, 10, {INT32_MAX, INT32_MAX, INT32_MIN}, {10, 10, 10, 0, 0, 0}},
        {5, 10, {2, 4, 8, 99}, {2, 3, 4, 6, 0}}, // more values than bars
        {2, 8, {4}, {4, 4}},
    };
    for (const auto& c : cases) {
        Image img = MakeImage(c.width, c.height);
        HGDIOBJ pen = GetCurrentObject(img->dc, OBJ_PEN);
        OffscreenImage_Bars(img.get(), Guarded(c.values), static_cast<int>(c.values.size()), 0, 0, 0);
        EXPECT_EQ(GetCurrentObject(img->dc, OBJ_PEN), pen) << "the pen is put back";
        Pixels p(img.get());
        int drawn = 0;
        for (int x = 0; x < c.width; ++x) {
            drawn += c.heights[x];
            EXPECT_EQ(p.Column(x, kBlack), std::string(c.height - c.heights[x], '.') + std::string(c.heights[x], '#'))
                << c.values.size() << " values, column " << x;
        }
        EXPECT_EQ(p.Count(kWhite), c.width * c.height - drawn) << c.values.size() << " values: nothing but bars";
    }
}

// Point i is (i, value i), joined by lines, the last one drawn too; no value
// beyond the last is read, nor beyond the image's width.
TEST(OffscreenImage, PolylineJoinsItsPointsUpToTheLastValueOrTheRightEdge)
{
    const struct {
        int width;
        std::vector<int32_t> values;
        std::vector<int> rows; // of the first pixel in column 0, of the last in the others; -1: none
        int drawn;
    } cases[] = {{6, {5, 5, 5, 5}, {5, 5, 5, 5, -1, -1}, 4}, {4, {3, 3, 3, 3, 7, 7}, {3, 3, 3, 3}, 4},
                 {3, {2}, {2, -1, -1}, 1}, {3, {1, 6}, {1, 6, -1}, 6}};
    for (const auto& c : cases) {
        Image img = MakeImage(c.width, 8);
        OffscreenImage_Polyline(img.get(), Guarded(c.values), static_cast<int>(c.values.size()));
        Pixels p(img.get());
        for (int x = 0; x < c.width; ++x) {
            const std::string column = p.Column(x, kBlack);
            EXPECT_EQ(static_cast<int>(x == 0 ? column.find('#') : column.rfind('#')), c.rows[x])
                << c.values.size() << " values, column " << x << ": " << column;
        }
        EXPECT_EQ(p.Count(kBlack), c.drawn) << c.values.size() << " values";
    }
}
