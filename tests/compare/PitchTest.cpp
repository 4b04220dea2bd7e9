#include "compare/Pitch.h"

#include "compare/PanelPixels.h"
#include "tctwriter/TctWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>

namespace {

// A fresh white panel as the dialog makes them.
struct Panel {
    OffscreenImage* image = OffscreenImage_Create(nullptr, 130, 170);
    ~Panel() { OffscreenImage_Destroy(image); }
};

// Row y as letters: W white, K black, g grass, s stripe, L line.
std::string Row(const Pixels& p, int y)
{
    const COLORREF colours[] = {kWhite, kBlack, RGB(0, 72, 0), RGB(0, 64, 0), kLine};
    std::string s;
    for (int x = 0; x < 130; ++x)
        s += "WKgsL?"[std::find(colours, colours + 5, p.At(x, y)) - colours];
    return s;
}

// A row between the goal lines: stripes at 19-37, 55-75, 93-111, touchlines or not, the line from-to across.
std::string FieldRow(bool touchlines, int from = 0, int to = -1)
{
    std::string s = "WK" + std::string(17, 'g') + std::string(19, 's') + std::string(17, 'g') + std::string(21, 's') +
                    std::string(17, 'g') + std::string(19, 's') + std::string(16, 'g') + "KW";
    if (touchlines)
        s[5] = s[125] = 'L';
    return s.replace(from, to - from + 1, to - from + 1, 'L');
}

// The players of A against B in one situation, drawn on a white panel.
Pixels Players(const TctBuilder& a, const TctBuilder& b, int s, int c, int k, const int32_t* match = nullptr)
{
    Formation* f[2] = {Formation_Create(), Formation_Create()};
    std::memcpy(f[0]->bytes, a.Bytes().data(), kFormationBytes);
    std::memcpy(f[1]->bytes, b.Bytes().data(), kFormationBytes);
    Panel panel;
    Pitch_DrawPlayers(panel.image, f[0], f[1], s, c, k, match);
    Formation_Destroy(f[0]), Formation_Destroy(f[1]);
    return Pixels(panel.image);
}

} // namespace

TEST(Pitch, FieldRowsAndCentreCircle)
{
    Panel panel;
    HDC dc = OffscreenImage_GetDC(panel.image);
    HGDIOBJ objects[2] = {GetCurrentObject(dc, OBJ_PEN), GetCurrentObject(dc, OBJ_BRUSH)};
    Pitch_DrawField(panel.image);
    Pitch_DrawField(nullptr);
    EXPECT_TRUE(GetCurrentObject(dc, OBJ_PEN) == objects[0] && GetCurrentObject(dc, OBJ_BRUSH) == objects[1])
        << "the panel's own pen and brush are back";
    Pixels p(panel.image);
    const std::string white(130, 'W'), outline = "W" + std::string(128, 'K') + "W";
    const std::pair<int, std::string> rows[] = {
        {0, white}, {1, outline}, {4, FieldRow(false)}, {5, FieldRow(false, 5, 125)}, // goal line
        {20, FieldRow(true, 29, 29).replace(101, 1, "L")}, {32, FieldRow(true, 29, 101)}, // penalty area, 27 deep
        {33, FieldRow(true)}, {85, FieldRow(true, 5, 125)}, {137, FieldRow(true)}, {138, FieldRow(true, 29, 101)},
        {165, FieldRow(false, 5, 125)}, {167, FieldRow(false)}, {168, outline}, {169, white},
    };
    for (const auto& [y, row] : rows)
        EXPECT_EQ(Row(p, y), row) << "row " << y;
    int quadrants[4] = {}; // line pixels off the halfway line within 17 of the centre (65, 85): the circle
    for (int i = 0; i < 35 * 35; ++i)
        quadrants[(i % 35 >= 17) + 2 * (i / 35 > 17)] += p.At(48 + i % 35, 68 + i / 35) == kLine && i / 35 != 17;
    EXPECT_GT(*std::min_element(quadrants, quadrants + 4), 10) << "line pixels in the emptiest quadrant";

    Formation* f = Formation_Create(); // every player at (0, 0)
    Pitch_DrawPlayers(panel.image, f, nullptr, 0, 0, 0, nullptr);
    Pitch_DrawPlayers(panel.image, nullptr, f, 0, 0, 0, nullptr);
    for (auto [s, c, k] : {std::tuple{2, 0, 0}, {-1, 0, 0}, {0, 3, 0}, {0, -1, 0}, {0, 0, 4}, {0, 0, -1}})
        Pitch_DrawPlayers(panel.image, f, f, s, c, k, nullptr);
    Formation_Destroy(f);
    EXPECT_TRUE(Pixels(panel.image) == p) << "no players without both formations or for a situation that is none";
}

TEST(Pitch, MovedAndUnchangedPlayers)
{
    TctBuilder a, b;
    for (int p = 0; p < kFormationPlayers; ++p)
        a.SetAll(p, 1000, 1000), b.SetAll(p, 1000, 1000); // off the panel but those placed here
    a.Set(5, 0, 1, 3, 5, 10), b.Set(5, 0, 1, 3, 20, 10); // moved, in zone row 3: the top panel row
    a.Set(6, 0, 1, 3, 10, 25), b.Set(6, 0, 1, 3, 11, 25); // moved a little: the discs overlap
    a.Set(0, 0, 1, 3, 13, 2), b.Set(0, 0, 1, 3, 14, 2);   // goalkeeper moved
    a.Set(3, 1, 2, 0, 8, 20), b.Set(3, 1, 2, 0, 8, 20);   // unchanged
    a.Set(0, 1, 2, 0, 13, 1), b.Set(0, 1, 2, 0, 13, 1);
    const Pixels moved = Players(a, b, 0, 1, 0), same = Players(a, b, 1, 2, 3);
    const struct { const Pixels& panel; int x, y; COLORREF colour; const char* what; } probes[] = {
        {moved, 30, 119, kRed, "A's disc at (5, 10)"}, {moved, 96, 119, kBlue, "B's disc at (20, 10)"},
        {moved, 63, 114, kAmber, "the line one grid row above the centres"}, {moved, 63, 119, kWhite, "below it"},
        {moved, 55, 52, kBlue, "B drawn over A where they overlap"}, {moved, 49, 52, kRed, "A's disc beside it"},
        {moved, 65, 154, RGB(255, 255, 0), "goalkeeper A yellow, over B's rim"},
        {moved, 72, 154, RGB(0, 255, 255), "goalkeeper B cyan"},
        {same, 43, 74, RGB(240, 240, 255), "B's pale disc covers A's"},
        {same, 65, 159, RGB(120, 255, 100), "goalkeeper: A's pale green on top"},
    };
    for (const auto& e : probes)
        EXPECT_EQ(e.panel.At(e.x, e.y), e.colour) << e.what;
    for (COLORREF hidden : {RGB(255, 240, 240), RGB(100, 255, 120), kAmber})
        EXPECT_EQ(same.Count(hidden), 0) << "colour " << std::hex << hidden << " covered or not drawn";
    EXPECT_EQ(Players(a, b, 0, 1, 3).Count(kWhite), 130 * 170) << "the bottom panel row shows zone row 0";
    const int32_t bad_match[kFormationPlayers] = {-1, 11, 2, 3, 4, 5, 6, 7, 8, 9, 100};
    EXPECT_EQ(Players(a, b, 1, 2, 3, bad_match).Count(kAmber), 0) << "entries outside 0-10 pair by index";
}
