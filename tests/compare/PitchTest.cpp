// The pitch pictures, read back pixel by pixel from 130 x 170 panels.
#include "compare/Pitch.h"

#include "compare/PanelPixels.h"
#include "stats/OffscreenImage.h"
#include "tctwriter/TctWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {


// A fresh white panel as the dialog makes them.
struct Panel {
    OffscreenImage* image = OffscreenImage_Create(nullptr, 130, 170);
    Panel() = default;
    ~Panel() { OffscreenImage_Destroy(image); }
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;
    PanelPixels Pixels() const { return PanelPixels(image); }
};

// Row y as letters: W white, K black, g grass, s stripe, L line.
std::string Row(const PanelPixels& p, int y)
{
    std::string s;
    for (int x = 0; x < 130; ++x) {
        COLORREF c = p.At(x, y);
        s += c == kWhite ? 'W' : c == kBlack ? 'K' : c == RGB(0, 72, 0) ? 'g' : c == RGB(0, 64, 0) ? 's'
           : c == kLine ? 'L' : '?';
    }
    return s;
}

// A row between the goal lines without markings but the touchlines (none
// when touchlines is false), with the lines from-to drawn across.
std::string FieldRow(bool touchlines, int from = 0, int to = -1)
{
    std::string s = "WK" + std::string(126, 'g') + "KW";
    for (int x : {19, 55, 93})
        s.replace(x, x == 55 ? 21 : 19, x == 55 ? 21 : 19, 's');
    if (touchlines)
        s[5] = s[125] = 'L';
    if (to >= from)
        s.replace(from, to - from + 1, to - from + 1, 'L');
    return s;
}

Formation* FormationOf(const TctBuilder& builder)
{
    Formation* f = Formation_Create();
    std::memcpy(f->bytes, builder.Bytes().data(), kFormationBytes);
    return f;
}

// Every player far off the panel, so that only the ones a test places show.
TctBuilder OffPanel()
{
    TctBuilder b;
    for (int p = 0; p < kFormationPlayers; ++p)
        b.SetAll(p, 1000, 1000);
    return b;
}

const int32_t kIdentity[kFormationPlayers] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

// Draws the players of A against B in one situation on a white panel.
PanelPixels Players(const TctBuilder& a, const TctBuilder& b, int s, int c, int k, const int32_t* match = kIdentity)
{
    Formation* fa = FormationOf(a);
    Formation* fb = FormationOf(b);
    Panel panel;
    Pitch_DrawPlayers(panel.image, fa, fb, s, c, k, match);
    Formation_Destroy(fa);
    Formation_Destroy(fb);
    return panel.Pixels();
}

} // namespace

TEST(Pitch, FieldRows)
{
    Panel panel;
    Pitch_DrawField(panel.image);
    PanelPixels p = panel.Pixels();
    const std::string outline = "W" + std::string(128, 'K') + "W";
    EXPECT_EQ(Row(p, 0), std::string(130, 'W')) << "row 0 stays white";
    EXPECT_EQ(Row(p, 1), outline) << "the outline in the panel's own pen";
    EXPECT_EQ(Row(p, 4), FieldRow(false)) << "stripes at 19-37, 55-75, 93-111";
    EXPECT_EQ(Row(p, 5), FieldRow(false, 5, 125)) << "goal line";
    EXPECT_EQ(Row(p, 20), FieldRow(true, 29, 29).replace(101, 1, "L")) << "penalty area sides";
    EXPECT_EQ(Row(p, 32), FieldRow(true, 29, 101)) << "penalty area, 27 deep";
    EXPECT_EQ(Row(p, 33), FieldRow(true));
    EXPECT_EQ(Row(p, 85), FieldRow(true, 5, 125)) << "halfway line";
    EXPECT_EQ(Row(p, 137), FieldRow(true));
    EXPECT_EQ(Row(p, 138), FieldRow(true, 29, 101)) << "bottom penalty area";
    EXPECT_EQ(Row(p, 165), FieldRow(false, 5, 125)) << "bottom goal line";
    EXPECT_EQ(Row(p, 167), FieldRow(false));
    EXPECT_EQ(Row(p, 168), outline);
    EXPECT_EQ(Row(p, 169), std::string(130, 'W'));
}

TEST(Pitch, CentreCircle)
{
    Panel panel;
    Pitch_DrawField(panel.image);
    PanelPixels p = panel.Pixels();
    // Within the circle's box every line pixel but the halfway line's lies
    // within a pixel of the circle of radius 16 about (65, 85), and the
    // circle shows in all four quadrants. (Wine starts the arc half a pixel
    // high: its lead-in from the end of the halfway line may run one row
    // above that line, outside the box.)
    int quadrants[4] = {};
    for (int y = 85 - 17; y <= 85 + 17; ++y) {
        for (int x = 65 - 17; x <= 65 + 17 && y != 85; ++x) {
            if (p.At(x, y) != kLine)
                continue;
            bool on_circle = false;
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    on_circle = on_circle || std::fabs(std::hypot(x + dx - 65.0, y + dy - 85.0) - 16.0) <= 0.5;
            EXPECT_TRUE(on_circle) << "line pixel (" << x << ", " << y << ")";
            ++quadrants[(x >= 65) + 2 * (y > 85)];
        }
    }
    for (int q = 0; q < 4; ++q)
        EXPECT_GT(quadrants[q], 10) << "quadrant " << q;
}

TEST(Pitch, DiscsAtTheCornersOfTheGrid)
{
    Panel panel;
    Pitch_DrawDisc(panel.image, 0, 0, 200, 0, 0);
    Pitch_DrawDisc(panel.image, 26, 35, 0, 0, 200);
    PanelPixels p = panel.Pixels();
    EXPECT_EQ(p.At(8, 163), kRed) << "centre of (0, 0)";
    EXPECT_EQ(p.At(8, 167), kBlack) << "bottom rim of (0, 0)";
    EXPECT_EQ(p.At(8, 169), kWhite) << "below it";
    EXPECT_EQ(p.At(3, 158), kWhite) << "the corner of its box is outside the disc";
    EXPECT_EQ(p.At(123, 7), kBlue) << "centre of (26, 35)";
    EXPECT_EQ(p.At(127, 7), kBlack) << "right rim of (26, 35)";
    EXPECT_EQ(p.At(129, 7), kWhite) << "right of it";
}

TEST(Pitch, MovedAndUnchangedPlayers)
{
    TctBuilder a = OffPanel();
    TctBuilder b = OffPanel();
    a.Set(5, 0, 1, 3, 5, 10);  // zone row 3: the top panel row
    b.Set(5, 0, 1, 3, 20, 10); // moved
    a.Set(6, 0, 1, 3, 10, 25);
    b.Set(6, 0, 1, 3, 11, 25); // moved a little: the discs overlap
    a.Set(0, 0, 1, 3, 13, 2);
    b.Set(0, 0, 1, 3, 14, 2);  // goalkeeper moved
    PanelPixels p = Players(a, b, 0, 1, 0);
    EXPECT_EQ(p.At(30, 119), kRed) << "A's disc at (5, 10)";
    EXPECT_EQ(p.At(96, 119), kBlue) << "B's disc at (20, 10)";
    EXPECT_EQ(p.At(63, 114), kAmber) << "the line one grid row above the centres";
    EXPECT_EQ(p.At(63, 119), kWhite);
    EXPECT_EQ(p.At(55, 52), kBlue) << "B drawn over A where they overlap";
    EXPECT_EQ(p.At(49, 52), kRed) << "A's disc beside it";
    EXPECT_EQ(p.At(65, 154), RGB(255, 255, 0)) << "goalkeeper A yellow, drawn over B's rim";
    EXPECT_EQ(p.At(72, 154), RGB(0, 255, 255)) << "goalkeeper B cyan";
    EXPECT_EQ(Players(a, b, 0, 1, 3).Count(kWhite), 130 * 170) << "the bottom panel row shows zone row 0";

    TctBuilder same = OffPanel();
    same.Set(3, 1, 2, 0, 8, 20);
    same.Set(0, 1, 2, 0, 13, 1);
    p = Players(same, same, 1, 2, 3);
    EXPECT_EQ(p.At(43, 74), RGB(240, 240, 255)) << "B's pale disc covers A's";
    EXPECT_EQ(p.Count(RGB(255, 240, 240)), 0);
    EXPECT_EQ(p.At(65, 159), RGB(120, 255, 100)) << "goalkeeper: A's pale green on top";
    EXPECT_EQ(p.Count(RGB(100, 255, 120)), 0);
    EXPECT_EQ(p.Count(kAmber), 0) << "no line";
}

TEST(Pitch, PanelObjectsAreRestoredAndBadInputDrawsNothingAmiss)
{
    Panel panel;
    HDC dc = OffscreenImage_GetDC(panel.image);
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    TctBuilder a = OffPanel();
    a.Set(4, 0, 0, 0, 3, 3);
    Formation* fa = FormationOf(a);
    Pitch_DrawField(panel.image);
    Pitch_DrawDisc(panel.image, 5, 5, 1, 2, 3);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen) << "the panel's pen is back";
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush) << "the panel's brush is back";

    PanelPixels before = panel.Pixels();
    Pitch_DrawPlayers(panel.image, fa, nullptr, 0, 0, 3, kIdentity);
    Pitch_DrawPlayers(panel.image, fa, fa, 2, 0, 0, kIdentity);
    Pitch_DrawPlayers(panel.image, fa, fa, 0, 0, 4, kIdentity);
    EXPECT_TRUE(panel.Pixels() == before) << "nothing for a missing formation or situation";
    const int32_t bad_match[kFormationPlayers] = {-1, 11, 2, 3, 4, 5, 6, 7, 8, 9, 100};
    Pitch_DrawPlayers(panel.image, fa, fa, 0, 0, 3, bad_match);
    EXPECT_EQ(panel.Pixels().Count(kAmber), 0) << "entries outside 0-10 pair by index";
    Formation_Destroy(fa);
    Pitch_DrawField(nullptr);
}
