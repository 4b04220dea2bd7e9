#include "compare/PitchGeometry.h"

#include <gtest/gtest.h>

#include <vector>

// The worked examples of the dialog's 130 x 170 panels, a panel of another size, and positions off the grid.
TEST(PitchGeometry, Panels)
{
    PitchRect disc = PitchGeometry_DiscBox(130, 170, 0, 0), far = PitchGeometry_DiscBox(130, 170, 26, 35);
    PitchPoint end = PitchGeometry_LineEnd(130, 170, 0, 0);
    EXPECT_EQ((std::vector{disc.left, disc.top, disc.right, disc.bottom, far.left, far.top, end.x, end.y}),
              (std::vector{3, 158, 13, 168, 118, 2, 8, 159})) << "discs at 0, 0 and 26, 35, line end one row above";
    // stripes, margin, centre, radius, penalty areas
    const struct { int32_t width, height; std::vector<int32_t> field; } panels[] = {
        {130, 170, {19, 2, 38, 168, 55, 2, 76, 168, 93, 2, 112, 168, 5, 65, 85, 16, 29, 101, 27}},
        {135, 175, {20, 2, 40, 173, 58, 2, 78, 173, 96, 2, 116, 173, 5, 67, 87, 16, 30, 105, 28}}};
    for (const auto& p : panels) {
        PitchField f = PitchGeometry_Field(p.width, p.height);
        std::vector<int32_t> got;
        for (PitchRect r : f.stripes)
            got.insert(got.end(), {r.left, r.top, r.right, r.bottom});
        got.insert(got.end(), {f.margin, f.centre.x, f.centre.y, f.radius, f.box_left, f.box_right, f.box_depth});
        EXPECT_EQ(got, p.field) << "field of " << p.width << " x " << p.height;
    }
    // Terms truncate toward zero (13 x 120 / 27 = 57.8, -120 / 27 = -4, (-3 + 2) x 160 / 36 = -4), never overflow.
    EXPECT_EQ((std::vector{PitchGeometry_Column(130, 13), PitchGeometry_DiscBox(130, 170, 13, 17).top,
                           PitchGeometry_Column(130, -1), PitchGeometry_LineEnd(130, 170, 0, -3).y,
                           PitchGeometry_Column(130, 32767), PitchGeometry_DiscBox(130, 170, -32768, -32768).top}),
              (std::vector{57 + 2 + 6, 82, 4, 167 + 4, 32767 * 120 / 27 + 8, 162 + 32767 * 160 / 36}));
}
