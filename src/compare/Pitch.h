// The pitch pictures of the Difference dialog: one situation of play (ball
// state x zone column x zone row) of two formations A and B, drawn into an
// off-screen panel. Each function creates, selects, restores and deletes its
// own GDI objects and leaves the panel's context as it found it.
#pragma once

#include "compare/Formation.h"

#include <cstdint>

struct OffscreenImage;

// Paints the empty pitch over the whole panel: grass with three darker
// mowing stripes, outline, halfway line, centre circle and penalty areas.
void Pitch_DrawField(OffscreenImage* panel);

// Paints the players of the situation (ball_state, zone_column, zone row
// 3 - panel_row): for player 10 down to 0, A's player p and B's player
// match[p]. An unchanged player is one pale disc; a moved one is a red disc
// (A) joined by an amber line to a blue disc (B); player 0 is yellow (A) and
// cyan (B) instead. A null formation, or a situation outside the formation's
// ranges, draws nothing; a null match, or an entry outside 0-10, pairs a
// player with the one of the same index.
void Pitch_DrawPlayers(OffscreenImage* panel, const Formation* a, const Formation* b, int ball_state,
                       int zone_column, int panel_row, const int32_t* match);

// A 10-pixel disc in the colour red, green, blue with a black rim, at grid
// position (x, y).
void Pitch_DrawDisc(OffscreenImage* panel, int x, int y, uint8_t red, uint8_t green, uint8_t blue);

// A one-pixel line in the colour red, green, blue from grid position
// (xa, ya) to (xb, yb), each end one grid row above its disc's centre.
void Pitch_DrawMoveLine(OffscreenImage* panel, int xa, int ya, int xb, int yb, uint8_t red, uint8_t green,
                        uint8_t blue);
