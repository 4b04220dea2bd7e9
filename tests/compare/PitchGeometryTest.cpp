#include "compare/PitchGeometry.h"

#include <gtest/gtest.h>

TEST(PitchGeometry, CornersOfTheGrid)
{
    PitchRect disc = PitchGeometry_DiscBox(130, 170, 0, 0);
    EXPECT_EQ(disc.left, 3);
    EXPECT_EQ(disc.top, 158);
    EXPECT_EQ(disc.right, 13);
    EXPECT_EQ(disc.bottom, 168);
    PitchPoint end = PitchGeometry_LineEnd(130, 170, 0, 0);
    EXPECT_EQ(end.x, 8);
    EXPECT_EQ(end.y, 159) << "one grid row above the disc centre (8, 163)";
    disc = PitchGeometry_DiscBox(130, 170, 26, 35);
    EXPECT_EQ(disc.left, 118) << "px 123";
    EXPECT_EQ(disc.top, 2);
}

TEST(PitchGeometry, TermsTruncateTowardZeroAndNeverOverflow)
{
    // 13 x 120 / 27 = 57.8; (17 + 1) x 160 / 36 = 80.
    EXPECT_EQ(PitchGeometry_Column(130, 13), 57 + 2 + 6);
    EXPECT_EQ(PitchGeometry_DiscBox(130, 170, 13, 17).top, 82);
    // Negative positions truncate toward zero, not down: -120 / 27 is -4.
    EXPECT_EQ(PitchGeometry_Column(130, -1), 4);
    EXPECT_EQ(PitchGeometry_LineEnd(130, 170, 0, -3).y, 167 + 4) << "(-3 + 2) x 160 / 36 is -4";
    EXPECT_EQ(PitchGeometry_Column(130, 32767), 32767 * 120 / 27 + 8);
    EXPECT_EQ(PitchGeometry_DiscBox(130, 170, -32768, -32768).top, 162 + 32767 * 160 / 36);
}
