// Where things go on a pitch picture: the grid of player positions (x across
// 0..26, y along 0..35, y = 0 at the bottom) mapped to the pixels of a panel,
// and the markings of the empty pitch. All divisions truncate toward zero.
#pragma once

#include <cstdint>

struct PitchPoint {
    int32_t x;
    int32_t y;
};

// A rectangle as GDI takes it: columns left .. right - 1, rows top .. bottom - 1.
struct PitchRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// The pixel column of grid column x on a panel width pixels wide:
// x (W - 10) / 27 + (W - 10) / 54 + 6.
int32_t PitchGeometry_Column(int32_t width, int32_t x);

// The 10 x 10 box of the disc drawn for grid position (x, y).
PitchRect PitchGeometry_DiscBox(int32_t width, int32_t height, int32_t x, int32_t y);

// The end of a move line at grid position (x, y): in the disc's column, one
// grid row above the disc's centre.
PitchPoint PitchGeometry_LineEnd(int32_t width, int32_t height, int32_t x, int32_t y);

// The markings of an empty pitch of width x height pixels.
struct PitchField {
    PitchRect stripes[3];  // the darker mowing stripes, from left to right
    int32_t margin;        // touchlines at margin and width - margin, goal lines likewise
    PitchPoint centre;     // centre spot of the circle, on the halfway line
    int32_t radius;        // of the centre circle
    int32_t box_left;      // the penalty areas' side lines
    int32_t box_right;
    int32_t box_depth;     // from the goal line
};

PitchField PitchGeometry_Field(int32_t width, int32_t height);
