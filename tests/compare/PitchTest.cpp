// The pitch pictures, read back pixel by pixel from 130 x 170 panels.
#include "compare/Pitch.h"

#include "compare/PanelPixels.h"
#include "stats/OffscreenImage.h"
#include "support/NumVector.h"
#include "tctwriter/TctWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrass = RGB(0, 72, 0);
constexpr COLORREF kStripe = RGB(0, 64, 0);
constexpr COLORREF kLine = RGB(0, 128, 0);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kAmber = RGB(255, 200, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kPaleA = RGB(255, 240, 240);
constexpr COLORREF kPaleB = RGB(240, 240, 255);
constexpr COLORREF kKeeperA = RGB(120, 255, 100);
constexpr COLORREF kKeeperB = RGB(100, 255, 120);

// A fresh white panel as the dialog makes them.
struct Panel {
    OffscreenImage* image = OffscreenImage_Create(nullptr, 130, 170);
    Panel() = default;
    ~Panel() { OffscreenImage_Destroy(image); }
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;
    PanelPixels Pixels() const { return PanelPixels(image); }
};

char Code(COLORREF c)
{
    switch (c) {
    case kWhite: return 'W';
    case kBlack: return 'K';
    case kGrass: return 'g';
    case kStripe: return 's';
    case kLine: return 'L';
    default: return '?';
    }
}

std::string Row(const PanelPixels& p, int y)
{
    std::string s;
    for (int x = 0; x < 130; ++x)
        s += Code(p.At(x, y));
    return s;
}

// A field row between the goal lines without markings: white edge, black
// outline, grass, the three stripes and the touchlines.
std::string PlainRow()
{
    std::string s(130, 'g');
    s[0] = s[129] = 'W';
    s[1] = s[128] = 'K';
    for (auto [from, to] : {std::pair{19, 37}, {55, 75}, {93, 111}})
        for (int x = from; x <= to; ++x)
            s[x] = 's';
    s[5] = s[125] = 'L';
    return s;
}

std::string WithLine(std::string s, int from, int to)
{
    s.replace(from, to - from + 1, to - from + 1, 'L');
    return s;
}

using FormationPtr = std::unique_ptr<Formation, void (*)(Formation*)>;

FormationPtr FormationOf(const TctBuilder& builder)
{
    FormationPtr f(Formation_Create(), Formation_Destroy);
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

} // namespace

TEST(Pitch, FieldRows)
{
    Panel panel;
    Pitch_DrawField(panel.image);
    PanelPixels p = panel.Pixels();
    const std::string plain = PlainRow();
    const std::string edge = std::string(130, 'W');
    const std::string outline = "W" + std::string(128, 'K') + "W";
    std::string grass_only = std::string("WK") + std::string(126, 'g') + "KW";
    for (int x = 19; x <= 111; ++x)
        grass_only[x] = plain[x];

    EXPECT_EQ(Row(p, 0), edge) << "row 0 stays white";
    EXPECT_EQ(Row(p, 1), outline) << "row 1: the outline in the default pen";
    EXPECT_EQ(Row(p, 4), grass_only) << "row 4: grass and stripes, no touchline yet";
    EXPECT_EQ(Row(p, 5), WithLine(grass_only, 5, 125)) << "goal line";
    EXPECT_EQ(Row(p, 20), WithLine(WithLine(plain, 29, 29), 101, 101)) << "penalty area sides";
    EXPECT_EQ(Row(p, 32), WithLine(plain, 29, 101)) << "penalty area, 27 deep";
    EXPECT_EQ(Row(p, 33), plain);
    EXPECT_EQ(Row(p, 50), plain);
    EXPECT_EQ(Row(p, 85), WithLine(plain, 5, 125)) << "halfway line";
    EXPECT_EQ(Row(p, 137), plain);
    EXPECT_EQ(Row(p, 138), WithLine(plain, 29, 101)) << "bottom penalty area";
    EXPECT_EQ(Row(p, 150), WithLine(WithLine(plain, 29, 29), 101, 101));
    EXPECT_EQ(Row(p, 165), WithLine(grass_only, 5, 125)) << "bottom goal line";
    EXPECT_EQ(Row(p, 167), grass_only);
    EXPECT_EQ(Row(p, 168), outline);
    EXPECT_EQ(Row(p, 169), edge);
}

// Whether the circle of radius 16 about (65, 85) passes within one pixel of
// (x, y): through the pixel itself or one of its eight neighbours.
bool NearTheCircle(int x, int y)
{
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (std::fabs(std::hypot(x + dx - 65.0, y + dy - 85.0) - 16.0) <= 0.5)
                return true;
    return false;
}

TEST(Pitch, CentreCircle)
{
    Panel panel;
    Pitch_DrawField(panel.image);
    PanelPixels p = panel.Pixels();
    // Every line pixel in the circle's box lies on the circle within a pixel,
    // and the circle shows in all four quadrants. (Wine starts the arc half a
    // pixel high, so its lead-in from the end of the halfway line may run one
    // row above that line, outside the box.)
    int quadrants[4] = {};
    for (int y = 85 - 17; y <= 85 + 17; ++y) {
        if (y == 85)
            continue; // the halfway line
        for (int x = 65 - 17; x <= 65 + 17; ++x) {
            if (p.At(x, y) != kLine)
                continue;
            EXPECT_TRUE(NearTheCircle(x, y)) << "line pixel (" << x << ", " << y << ")";
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
    EXPECT_EQ(p.At(123, 7), kBlue) << "centre of (26, 35)";
    EXPECT_EQ(p.At(8, 158), kBlack) << "top rim of (0, 0)";
    EXPECT_EQ(p.At(8, 167), kBlack) << "bottom rim of (0, 0)";
    EXPECT_EQ(p.At(8, 156), kWhite) << "above the disc";
    EXPECT_EQ(p.At(8, 169), kWhite) << "below the disc";
    EXPECT_EQ(p.At(3, 158), kWhite) << "the corner of the box is outside the disc";
    EXPECT_EQ(p.At(118, 7), kBlack) << "left rim of (26, 35)";
    EXPECT_EQ(p.At(127, 7), kBlack) << "right rim of (26, 35)";
    EXPECT_EQ(p.At(116, 7), kWhite);
    EXPECT_EQ(p.At(129, 7), kWhite);
}

TEST(Pitch, MovedOutfieldPlayerIsRedAmberBlue)
{
    TctBuilder a = OffPanel();
    TctBuilder b = OffPanel();
    a.Set(5, 0, 1, 3, 5, 10);   // zone row 3: the top panel row
    b.Set(5, 0, 1, 3, 20, 10);
    a.Set(6, 0, 1, 3, 10, 25);  // overlapping discs: B's covers A's
    b.Set(6, 0, 1, 3, 11, 25);
    FormationPtr fa = FormationOf(a);
    FormationPtr fb = FormationOf(b);

    Panel top;
    Pitch_DrawPlayers(top.image, fa.get(), fb.get(), 0, 1, 0, kIdentity);
    PanelPixels p = top.Pixels();
    EXPECT_EQ(p.At(30, 119), kRed) << "A's disc at (5, 10)";
    EXPECT_EQ(p.At(96, 119), kBlue) << "B's disc at (20, 10)";
    EXPECT_EQ(p.At(63, 114), kAmber) << "the line one grid row above the centres";
    EXPECT_EQ(p.At(63, 119), kWhite);
    EXPECT_EQ(p.At(55, 52), kBlue) << "B drawn over A where they overlap";
    EXPECT_EQ(p.At(49, 52), kRed) << "A's disc shows beside it";

    Panel bottom;
    Pitch_DrawPlayers(bottom.image, fa.get(), fb.get(), 0, 1, 3, kIdentity);
    EXPECT_EQ(bottom.Pixels().Count(kWhite), 130 * 170) << "the bottom panel row shows zone row 0";
}

TEST(Pitch, GoalkeeperIsYellowOverCyan)
{
    TctBuilder a = OffPanel();
    TctBuilder b = OffPanel();
    a.Set(0, 1, 2, 0, 13, 2);
    b.Set(0, 1, 2, 0, 14, 2);
    FormationPtr fa = FormationOf(a);
    FormationPtr fb = FormationOf(b);
    Panel panel;
    Pitch_DrawPlayers(panel.image, fa.get(), fb.get(), 1, 2, 3, kIdentity);
    PanelPixels p = panel.Pixels();
    EXPECT_EQ(p.At(65, 154), kYellow) << "A's centre, on B's rim: A is drawn last";
    EXPECT_EQ(p.At(72, 154), kCyan) << "B's disc";
    EXPECT_EQ(p.Count(kRed) + p.Count(kBlue), 0) << "not the outfield colours";
}

TEST(Pitch, UnchangedPlayersAreOnePaleDisc)
{
    TctBuilder a = OffPanel();
    a.Set(3, 0, 0, 0, 8, 20);
    a.Set(0, 0, 0, 0, 13, 1);
    FormationPtr fa = FormationOf(a);
    FormationPtr fb = FormationOf(a); // an equal copy
    Panel panel;
    Pitch_DrawPlayers(panel.image, fa.get(), fb.get(), 0, 0, 3, kIdentity);
    PanelPixels p = panel.Pixels();
    EXPECT_EQ(p.At(43, 74), kPaleB) << "B's pale disc covers A's";
    EXPECT_EQ(p.Count(kPaleA), 0);
    EXPECT_EQ(p.At(65, 159), kKeeperA) << "player 0: A's pale green on top";
    EXPECT_EQ(p.Count(kKeeperB), 0);
    EXPECT_EQ(p.Count(kAmber), 0) << "no line";
}

TEST(Pitch, PlayersArePairedByTheMatch)
{
    TctBuilder a = OffPanel();
    TctBuilder b = OffPanel();
    a.Set(1, 0, 0, 0, 5, 10);
    a.Set(2, 0, 0, 0, 20, 10);
    b.Set(1, 0, 0, 0, 20, 10);
    b.Set(2, 0, 0, 0, 5, 10);
    FormationPtr fa = FormationOf(a);
    FormationPtr fb = FormationOf(b);
    const int32_t swapped[kFormationPlayers] = {0, 2, 1, 3, 4, 5, 6, 7, 8, 9, 10};

    Panel by_index;
    Pitch_DrawPlayers(by_index.image, fa.get(), fb.get(), 0, 0, 3, kIdentity);
    EXPECT_GT(by_index.Pixels().Count(kAmber), 0) << "paired by index, both moved";

    Panel matched;
    Pitch_DrawPlayers(matched.image, fa.get(), fb.get(), 0, 0, 3, swapped);
    PanelPixels p = matched.Pixels();
    EXPECT_EQ(p.Count(kAmber), 0) << "paired by the match, neither moved";
    EXPECT_EQ(p.At(30, 119), kPaleB);
    EXPECT_EQ(p.At(96, 119), kPaleB);
}

TEST(Pitch, SameTacticOnBothSidesDrawsNoLine)
{
    TctBuilder a;
    for (int p = 0; p < kFormationPlayers; ++p)
        for (int s = 0; s < 2; ++s)
            for (int c = 0; c < 3; ++c)
                for (int r = 0; r < 4; ++r)
                    a.Set(p, s, c, r, 2 * p + c + s, 3 * p + r);
    FormationPtr f = FormationOf(a);
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 4; ++k) {
                Panel panel;
                Pitch_DrawField(panel.image);
                Pitch_DrawPlayers(panel.image, f.get(), f.get(), s, c, k, kIdentity);
                PanelPixels p = panel.Pixels();
                EXPECT_EQ(p.Count(kAmber) + p.Count(kRed) + p.Count(kBlue), 0)
                    << "situation " << s << c << k;
                EXPECT_GT(p.Count(kPaleB), 0) << "situation " << s << c << k;
            }
}

TEST(Pitch, LeavesThePanelsObjectsSelectedAndIgnoresBadInput)
{
    Panel panel;
    HDC dc = OffscreenImage_GetDC(panel.image);
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    TctBuilder a = OffPanel();
    a.Set(4, 0, 0, 0, 3, 3);
    TctBuilder b = OffPanel();
    b.Set(4, 0, 0, 0, 9, 9);
    FormationPtr fa = FormationOf(a);
    FormationPtr fb = FormationOf(b);

    Pitch_DrawField(panel.image);
    Pitch_DrawPlayers(panel.image, fa.get(), fb.get(), 0, 0, 3, kIdentity);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen) << "the panel's pen is back";
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush) << "the panel's brush is back";

    PanelPixels before = panel.Pixels();
    const int32_t bad_match[kFormationPlayers] = {-1, 11, 2, 3, 4, 5, 6, 7, 8, 9, 100};
    Pitch_DrawPlayers(panel.image, fa.get(), nullptr, 0, 0, 3, kIdentity);
    Pitch_DrawPlayers(panel.image, fa.get(), fb.get(), 2, 0, 0, kIdentity);
    Pitch_DrawPlayers(panel.image, fa.get(), fb.get(), 0, -1, 0, kIdentity);
    Pitch_DrawPlayers(panel.image, fa.get(), fb.get(), 0, 0, 4, kIdentity);
    EXPECT_TRUE(panel.Pixels() == before) << "nothing drawn for a missing formation or situation";
    Pitch_DrawPlayers(panel.image, fa.get(), fb.get(), 0, 0, 3, bad_match);
    EXPECT_TRUE(panel.Pixels() == before) << "entries outside 0-10 pair by index";
    Pitch_DrawField(nullptr);
    Pitch_DrawDisc(nullptr, 0, 0, 0, 0, 0);
}
