#include "compare/PitchGeometry.h"

namespace {

constexpr int32_t kBorder = 10;     // W' = W - 10, H' = H - 10
constexpr int32_t kGridColumns = 27;
constexpr int32_t kGridRows = 36;
constexpr int32_t kDisc = 10;       // disc diameter in pixels
constexpr int32_t kMargin = 5;      // field lines inside the panel's edge

// a * b / c in 64 bits, so that no 16-bit coordinate can overflow, truncated
// toward zero like the 32-bit division it stands for.
int32_t MulDiv(int64_t a, int64_t b, int64_t c)
{
    return static_cast<int32_t>(a * b / c);
}

// Top row of the disc of grid row y: H' + H'/72 - (y + 1) H'/36.
int32_t DiscTop(int32_t inner_height, int32_t y)
{
    return inner_height + inner_height / (2 * kGridRows) - MulDiv(int64_t{y} + 1, inner_height, kGridRows);
}

} // namespace

int32_t PitchGeometry_Column(int32_t width, int32_t x)
{
    const int32_t inner = width - kBorder;
    return MulDiv(x, inner, kGridColumns) + inner / (2 * kGridColumns) + 6;
}

PitchRect PitchGeometry_DiscBox(int32_t width, int32_t height, int32_t x, int32_t y)
{
    const int32_t left = PitchGeometry_Column(width, x) - kDisc / 2;
    const int32_t top = DiscTop(height - kBorder, y);
    return {left, top, left + kDisc, top + kDisc};
}

PitchPoint PitchGeometry_LineEnd(int32_t width, int32_t height, int32_t x, int32_t y)
{
    // One grid row above the disc centre: the disc top of row y + 1, plus 5.
    return {PitchGeometry_Column(width, x), DiscTop(height - kBorder, y + 1) + kDisc / 2};
}

PitchField PitchGeometry_Field(int32_t width, int32_t height)
{
    const int32_t s = (width - 2) / 7;
    const int32_t inner_width = width - kBorder;
    const int32_t inner_height = height - kBorder;
    PitchField field{};
    field.stripes[0] = {s + 1, 2, 2 * s + 2, height - 2};
    field.stripes[1] = {3 * s + 1, 2, width - 3 * s, height - 2};
    field.stripes[2] = {width - 1 - 2 * s, 2, width - s, height - 2};
    field.margin = kMargin;
    field.centre = {width / 2, height / 2};
    field.radius = width / 8;
    field.box_left = inner_width / 5 + kMargin;
    field.box_right = inner_width + kMargin - inner_width / 5;
    field.box_depth = MulDiv(17, inner_height, 100);
    return field;
}
