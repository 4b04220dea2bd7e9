#include "common/WinTest.h"

#include <gtest/gtest.h>

// The values copied to the end of a page before an inaccessible one: reading beyond the last faults.
static const int32_t* Guarded(const std::vector<int32_t>& values)
{
    const size_t page = 65536; // a multiple of any page size
    static char* pages = static_cast<char*>(VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old;
    VirtualProtect(pages + page, page, PAGE_NOACCESS, &old);
    return std::copy_backward(values.begin(), values.end(), reinterpret_cast<int32_t*>(pages + page));
}

TEST(OffscreenImage, DestroyReleasesWhatCreateMade)
{
    const int before = OffscreenImage_LiveCount();
    OffscreenImage* image = OffscreenImage_Create(nullptr, 4, 3);
    EXPECT_EQ(OffscreenImage_LiveCount(), before + 1);
    HGDIOBJ objects[2] = {image->dc, image->bitmap};
    OffscreenImage_Destroy(image);
    EXPECT_EQ(OffscreenImage_LiveCount(), before);
    EXPECT_EQ(GetObjectType(objects[0]) + GetObjectType(objects[1]), 0u) << "context and bitmap deleted";
}

// Column 2i shows value i, column 2i + 1 the mean of values i and i + 1 (value i alone for the last),
// clipped to the image, nothing for values <= 0; no value beyond the last is read.
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
        OffscreenImage* image = OffscreenImage_Create(nullptr, c.width, c.height); // white, in the display's colours
        HGDIOBJ pen = GetCurrentObject(image->dc, OBJ_PEN);
        OffscreenImage_Bars(image, Guarded(c.values), static_cast<int>(c.values.size()), 0, 0, 0);
        EXPECT_EQ(GetCurrentObject(image->dc, OBJ_PEN), pen) << "the pen is put back";
        Pixels p(image);
        OffscreenImage_Destroy(image);
        int drawn = 0;
        for (int x = 0; x < c.width; ++x) {
            drawn += c.heights[x];
            EXPECT_EQ(p.Column(x, kBlack), std::string(c.height - c.heights[x], '.') + std::string(c.heights[x], '#'))
                << c.values.size() << " values, column " << x;
        }
        EXPECT_EQ(p.Count(kWhite), c.width * c.height - drawn) << c.values.size() << " values: nothing but bars";
    }
}
