#include "compare/Pitch.h"

#include "compare/PitchGeometry.h"
#include "stats/GdiGuard.h"
#include "stats/OffscreenImage.h"

namespace {

struct Rgb {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

constexpr COLORREF kGrass = RGB(0, 72, 0);
constexpr COLORREF kStripe = RGB(0, 64, 0);
constexpr COLORREF kLine = RGB(0, 128, 0);
constexpr COLORREF kDiscRim = RGB(0, 0, 0);
constexpr int kDiscRimWidth = 2;
constexpr Rgb kMoveLine = {255, 200, 0};

// The two discs of a player: A's and B's colours, and which is drawn first
// (the second covers the first where they overlap).
struct DiscPair {
    bool a_first;
    Rgb a;
    Rgb b;
};

// [moved][outfield player]: player 0 shows B's disc first, the others A's.
const DiscPair kDiscPairs[2][2] = {
    {{false, {120, 255, 100}, {100, 255, 120}}, {true, {255, 240, 240}, {240, 240, 255}}},
    {{false, {255, 255, 0}, {0, 255, 255}}, {true, {200, 0, 0}, {0, 0, 200}}},
};

constexpr int kTopZoneRow = kFormationZoneRows - 1;

void Segment(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// A penalty area open towards its goal line at goal_y, depth pixels deep
// (negative: upwards).
void PenaltyArea(HDC dc, const PitchField& field, int goal_y, int depth)
{
    MoveToEx(dc, field.box_left, goal_y, nullptr);
    LineTo(dc, field.box_left, goal_y + depth);
    LineTo(dc, field.box_right, goal_y + depth);
    LineTo(dc, field.box_right, goal_y);
}

void DrawLines(HDC dc, int width, int height, const PitchField& field)
{
    const int m = field.margin;
    MoveToEx(dc, m, m, nullptr);
    LineTo(dc, width - m, m);
    LineTo(dc, width - m, height - m);
    LineTo(dc, m, height - m);
    LineTo(dc, m, m);

    Segment(dc, m, field.centre.y, width - m, field.centre.y);
    // From the end of the halfway line the arc's lead-in runs along that line.
    AngleArc(dc, field.centre.x, field.centre.y, field.radius, 0.0f, 360.0f);

    PenaltyArea(dc, field, m, field.box_depth);
    PenaltyArea(dc, field, height - m, -field.box_depth);
}

int PartnerOf(const int32_t* match, int player)
{
    if (!match || match[player] < 0 || match[player] >= kFormationPlayers)
        return player;
    return match[player];
}

} // namespace

void Pitch_DrawField(OffscreenImage* panel)
{
    if (!panel)
        return;
    HDC dc = OffscreenImage_GetDC(panel);
    const int width = OffscreenImage_GetWidth(panel);
    const int height = OffscreenImage_GetHeight(panel);
    const PitchField field = PitchGeometry_Field(width, height);

    Brush grass(CreateSolidBrush(kGrass));
    Brush stripe(CreateSolidBrush(kStripe));
    Pen stripe_pen(CreatePen(PS_SOLID, 1, kStripe));
    Pen line_pen(CreatePen(PS_SOLID, 1, kLine));

    SelectGuard grass_brush(dc, grass.get());
    // Outlined with whatever pen the panel holds (a fresh one: black).
    Rectangle(dc, 1, 1, width - 1, height - 1);

    SelectGuard stripe_brush(dc, stripe.get());
    {
        SelectGuard stripes(dc, stripe_pen.get());
        for (const PitchRect& r : field.stripes)
            Rectangle(dc, r.left, r.top, r.right, r.bottom);
        SelectGuard lines(dc, line_pen.get());
        DrawLines(dc, width, height, field);
    }
}

void Pitch_DrawDisc(OffscreenImage* panel, int x, int y, uint8_t red, uint8_t green, uint8_t blue)
{
    if (!panel)
        return;
    HDC dc = OffscreenImage_GetDC(panel);
    const PitchRect box =
        PitchGeometry_DiscBox(OffscreenImage_GetWidth(panel), OffscreenImage_GetHeight(panel), x, y);
    Brush fill(CreateSolidBrush(RGB(red, green, blue)));
    Pen rim(CreatePen(PS_SOLID, kDiscRimWidth, kDiscRim));
    SelectGuard fill_selected(dc, fill.get());
    SelectGuard rim_selected(dc, rim.get());
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
}

void Pitch_DrawMoveLine(OffscreenImage* panel, int xa, int ya, int xb, int yb, uint8_t red, uint8_t green,
                        uint8_t blue)
{
    if (!panel)
        return;
    const int width = OffscreenImage_GetWidth(panel);
    const int height = OffscreenImage_GetHeight(panel);
    const PitchPoint from = PitchGeometry_LineEnd(width, height, xa, ya);
    const PitchPoint to = PitchGeometry_LineEnd(width, height, xb, yb);
    OffscreenImage_Line(panel, from.x, from.y, to.x, to.y, red, green, blue);
}

void Pitch_DrawPlayers(OffscreenImage* panel, const Formation* a, const Formation* b, int ball_state,
                       int zone_column, int panel_row, const int32_t* match)
{
    if (!panel || !a || !b)
        return;
    if (ball_state < 0 || ball_state >= kFormationBallStates || zone_column < 0 ||
        zone_column >= kFormationZoneColumns || panel_row < 0 || panel_row >= kFormationZoneRows)
        return;
    const int zone_row = kTopZoneRow - panel_row;
    // From the last player to the first, so that player 0 ends on top.
    for (int p = kFormationPlayers - 1; p >= 0; --p) {
        const int q = PartnerOf(match, p);
        const int xa = Formation_X(a, p, ball_state, zone_column, zone_row);
        const int ya = Formation_Y(a, p, ball_state, zone_column, zone_row);
        const int xb = Formation_X(b, q, ball_state, zone_column, zone_row);
        const int yb = Formation_Y(b, q, ball_state, zone_column, zone_row);
        const bool moved = xa != xb || ya != yb;
        if (moved)
            Pitch_DrawMoveLine(panel, xa, ya, xb, yb, kMoveLine.red, kMoveLine.green, kMoveLine.blue);

        const DiscPair& discs = kDiscPairs[moved][p != 0];
        if (discs.a_first) {
            Pitch_DrawDisc(panel, xa, ya, discs.a.red, discs.a.green, discs.a.blue);
            Pitch_DrawDisc(panel, xb, yb, discs.b.red, discs.b.green, discs.b.blue);
        } else {
            Pitch_DrawDisc(panel, xb, yb, discs.b.red, discs.b.green, discs.b.blue);
            Pitch_DrawDisc(panel, xa, ya, discs.a.red, discs.a.green, discs.a.blue);
        }
    }
}
