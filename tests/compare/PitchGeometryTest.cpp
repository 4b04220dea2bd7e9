#include "compare/PitchGeometry.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr int32_t W = 130;
constexpr int32_t H = 170;

void ExpectRect(const PitchRect& got, int32_t left, int32_t top, int32_t right, int32_t bottom, const char* what)
{
    EXPECT_EQ(got.left, left) << what;
    EXPECT_EQ(got.top, top) << what;
    EXPECT_EQ(got.right, right) << what;
    EXPECT_EQ(got.bottom, bottom) << what;
}

} // namespace

TEST(PitchGeometry, CornersOfTheGrid)
{
    ExpectRect(PitchGeometry_DiscBox(W, H, 0, 0), 3, 158, 13, 168, "disc of (0, 0), centre (8, 163)");
    PitchPoint end = PitchGeometry_LineEnd(W, H, 0, 0);
    EXPECT_EQ(end.x, 8);
    EXPECT_EQ(end.y, 159) << "one grid row above the disc centre";

    EXPECT_EQ(PitchGeometry_Column(W, 26), 123);
    ExpectRect(PitchGeometry_DiscBox(W, H, 26, 35), 118, 2, 128, 12, "disc of (26, 35)");
}

TEST(PitchGeometry, EachTermIsTruncatedTowardZero)
{
    // 13 x 120 / 27 = 57.8 and (17 + 1) x 160 / 36 = 80.
    EXPECT_EQ(PitchGeometry_Column(W, 13), 57 + 2 + 6);
    ExpectRect(PitchGeometry_DiscBox(W, H, 13, 17), 60, 82, 70, 92, "disc of (13, 17)");
    // Negative positions truncate toward zero, not down: -120 / 27 is -4.
    EXPECT_EQ(PitchGeometry_Column(W, -1), 4);
    EXPECT_EQ(PitchGeometry_LineEnd(W, H, 0, -3).y, 167 + 4) << "(-3 + 2) x 160 / 36 is -4";
}

TEST(PitchGeometry, ExtremeCoordinatesStayDefined)
{
    EXPECT_EQ(PitchGeometry_Column(W, 32767), 32767 * 120 / 27 + 8);
    EXPECT_EQ(PitchGeometry_DiscBox(W, H, -32768, -32768).top, 162 + 32767 * 160 / 36);
    EXPECT_EQ(PitchGeometry_LineEnd(W, H, 32767, 32767).y, 167 - 32769 * 160 / 36);
}

TEST(PitchGeometry, FieldOfAPanel)
{
    PitchField f = PitchGeometry_Field(W, H);
    ExpectRect(f.stripes[0], 19, 2, 38, 168, "first stripe, columns 19-37");
    ExpectRect(f.stripes[1], 55, 2, 76, 168, "second stripe, columns 55-75");
    ExpectRect(f.stripes[2], 93, 2, 112, 168, "third stripe, columns 93-111");
    EXPECT_EQ(f.margin, 5);
    EXPECT_EQ(f.centre.x, 65);
    EXPECT_EQ(f.centre.y, 85);
    EXPECT_EQ(f.radius, 16);
    EXPECT_EQ(f.box_left, 29);
    EXPECT_EQ(f.box_right, 101);
    EXPECT_EQ(f.box_depth, 27);
}
