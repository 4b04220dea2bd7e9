// The Difference tool under Wine: its template, texts, colours, panels,
// painting and closing.
#include "compare/DifferenceDialog.h"

#include "compare/PanelPixels.h"
#include "compare/Pitch.h"
#include "resources/resource.h"
#include "results/TacticBook.h"
#include "stats/OffscreenImage.h"
#include "tctwriter/TctWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>

namespace {


// A tactic summary with values per season and, if given, a formation.
class Tactic {
public:
    Tactic(const char* name, std::initializer_list<double> goals, std::initializer_list<double> conceded,
           std::initializer_list<double> points, const TctBuilder* formation = nullptr)
        : s_(TacticSummary_Create(name))
    {
        for (auto [values, stats] : {std::pair{goals, s_->goals_for_stats}, {conceded, s_->goals_against_stats},
                                     {points, s_->points_stats}})
            for (double v : values)
                SampleStats_Add(stats, v);
        if (formation) {
            s_->formation = Formation_Create();
            std::memcpy(s_->formation->bytes, formation->Bytes().data(), kFormationBytes);
        }
    }
    ~Tactic() { TacticSummary_Destroy(s_); }
    Tactic(const Tactic&) = delete;
    Tactic& operator=(const Tactic&) = delete;
    TacticSummary* get() const { return s_; }

private:
    TacticSummary* s_;
};

// The dialog created modelessly for the selected tactics, destroyed with the test.
class Dialog {
public:
    explicit Dialog(std::initializer_list<const Tactic*> tactics) : selection_(DArray_Create(0))
    {
        for (const Tactic* t : tactics)
            DArray_Append(selection_, t->get());
        window_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DIFFERENCE), nullptr,
                                     DifferenceDialog, reinterpret_cast<LPARAM>(selection_));
    }
    ~Dialog()
    {
        if (IsWindow(window_))
            DestroyWindow(window_);
        DArray_Destroy(selection_, nullptr);
    }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    HWND get() const { return window_; }

    std::string Text(int id) const
    {
        char buffer[256] = "";
        GetDlgItemTextA(window_, id, buffer, sizeof buffer);
        return buffer;
    }

    // Asks the dialog for a static's colours as the static does before it
    // paints: the text colour set, and the brush returned in *brush.
    COLORREF Colour(int id, HBRUSH* brush = nullptr) const
    {
        HDC dc = CreateCompatibleDC(nullptr);
        auto answer = SendMessageA(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                   reinterpret_cast<LPARAM>(GetDlgItem(window_, id)));
        COLORREF colour = GetTextColor(dc);
        int mode = GetBkMode(dc);
        DeleteDC(dc);
        if (brush)
            *brush = reinterpret_cast<HBRUSH>(answer);
        if (colour != GetSysColor(COLOR_WINDOWTEXT)) {
            EXPECT_EQ(mode, TRANSPARENT) << "a coloured text has no background of its own, control " << id;
        }
        return colour;
    }

private:
    DArray* selection_;
    HWND window_;
};

PanelPixels Panel(int s, int c, int k)
{
    return PanelPixels(DifferenceDialog_Panel(s, c, k));
}

// The panels that show amber move lines, as "sck " each.
std::string PanelsWithLines()
{
    std::string which;
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 4; ++k)
                if (Panel(s, c, k).Count(kAmber) > 0)
                    which += std::to_string(s) + std::to_string(c) + std::to_string(k) + " ";
    return which;
}

// Every player on his own spot in every situation.
TctBuilder Spread()
{
    TctBuilder b;
    for (int p = 0; p < 11; ++p)
        for (int s = 0; s < 2; ++s)
            for (int c = 0; c < 3; ++c)
                for (int r = 0; r < 4; ++r)
                    b.Set(p, s, c, r, 2 * p + c + s, 3 * p + r);
    return b;
}

// Ten seasons alternating between two values.
#define TEN(x, y) {x, y, x, y, x, y, x, y, x, y}

} // namespace

TEST(DifferenceDialog, FrameAndFieldsBeforeAnyTactic)
{
    Dialog dialog({}); // nothing to compare: the template's own texts stay
    ASSERT_NE(dialog.get(), nullptr);
    char caption[64] = "";
    GetWindowTextA(dialog.get(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Difference tool");
    auto style = static_cast<DWORD>(GetWindowLongPtrA(dialog.get(), GWL_STYLE));
    const DWORD bits = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CONTEXTHELP | DS_FIXEDSYS;
    EXPECT_EQ(style & bits, bits) << "style 0x" << std::hex << style;
    RECT size{0, 0, 706, 466};
    MapDialogRect(dialog.get(), &size);
    RECT client{};
    GetClientRect(dialog.get(), &client);
    EXPECT_TRUE(EqualRect(&client, &size)) << "706 x 466 units: " << client.right << " x " << client.bottom;
    for (int id : {IDC_DIFF_GOALS, IDC_DIFF_GOALS_PROB, IDC_DIFF_CONCEDED, IDC_DIFF_CONCEDED_PROB, IDC_DIFF_POINTS,
                   IDC_DIFF_POINTS_PROB}) {
        auto field = static_cast<DWORD>(GetWindowLongPtrA(GetDlgItem(dialog.get(), id), GWL_STYLE));
        EXPECT_EQ(field & SS_TYPEMASK, static_cast<DWORD>(SS_RIGHT)) << "value " << id << " is right-aligned";
        EXPECT_EQ(dialog.Text(id), "") << "value " << id;
    }
    EXPECT_EQ(dialog.Text(IDC_DIFF_B_NAME), "  ");
    EXPECT_EQ(dialog.Text(IDC_DIFF_CLOSE), "Close");
    EXPECT_EQ(DifferenceDialog_Panel(0, 0, 0), nullptr) << "no panels without a tactic";
}

TEST(DifferenceDialog, ATacticAgainstItself)
{
    TctBuilder spread = Spread();
    Tactic tactic("Counter442", {50, 60, 55}, {30, 40, 20}, {60, 70, 65}, &spread);
    Dialog dialog({&tactic});
    const struct {
        int id;
        const char* text;
        COLORREF colour;
    } expected[] = {
        {IDC_DIFF_A_NAME, "Counter442", kRed}, {IDC_DIFF_B_NAME, "Counter442", kBlue},
        {IDC_DIFF_GOALS, "+0.0", kOlive},      {IDC_DIFF_GOALS_PROB, "50%", kOlive},
        {IDC_DIFF_CONCEDED, "+0.0", kOlive},   {IDC_DIFF_CONCEDED_PROB, "50%", kOlive},
        {IDC_DIFF_POINTS, "+0.0", kOlive},     {IDC_DIFF_POINTS_PROB, "50%", kOlive},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(dialog.Text(e.id), e.text) << "control " << e.id;
        EXPECT_EQ(dialog.Colour(e.id), e.colour) << "control " << e.id;
    }
    EXPECT_EQ(dialog.Colour(IDC_DIFF_GOALS_LABEL), GetSysColor(COLOR_WINDOWTEXT)) << "labels keep their colour";
    EXPECT_EQ(PanelsWithLines(), "") << "every player unchanged";
}

TEST(DifferenceDialog, EachFigureInItsFieldAndColour)
{
    Tactic a("Alpha", TEN(60, 61), TEN(29.8, 30.2), TEN(50, 51));
    Tactic b("Beta", TEN(40, 41), TEN(30.1, 30.5), TEN(70, 71));
    Dialog dialog({&a, &b});
    const struct {
        int id;
        const char* text;
        COLORREF colour;
    } expected[] = {
        {IDC_DIFF_A_NAME, "Alpha", kRed},  {IDC_DIFF_B_NAME, "Beta", kBlue},
        {IDC_DIFF_GOALS, "+20.0", kRed},   {IDC_DIFF_GOALS_PROB, "99%", kRed},
        {IDC_DIFF_CONCEDED, "-0.3", kRed}, {IDC_DIFF_CONCEDED_PROB, "99%", kRed}, // A concedes fewer
        {IDC_DIFF_POINTS, "-20.0", kBlue}, {IDC_DIFF_POINTS_PROB, "0%", kBlue},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(dialog.Text(e.id), e.text) << "control " << e.id;
        EXPECT_EQ(dialog.Colour(e.id), e.colour) << "control " << e.id;
    }
}

TEST(DifferenceDialog, FirstAgainstThirdOfThreeWithoutAFormation)
{
    TctBuilder spread = Spread();
    Tactic single("Single", {50}, {30}, {60}, &spread);
    Tactic middle("Middle", {1, 2}, {1, 2}, {1, 2}, &spread);
    Tactic last("Last", {40, 44}, {30, 31}, {50, 55}); // no tactic file
    Dialog dialog({&single, &middle, &last});
    EXPECT_EQ(dialog.Text(IDC_DIFF_A_NAME), "Single");
    EXPECT_EQ(dialog.Text(IDC_DIFF_B_NAME), "Last") << "the second is ignored";
    EXPECT_EQ(dialog.Text(IDC_DIFF_GOALS), "+8.0") << "the numbers are shown";
    for (int id : {IDC_DIFF_GOALS_PROB, IDC_DIFF_CONCEDED_PROB, IDC_DIFF_POINTS_PROB}) {
        EXPECT_EQ(dialog.Text(id), "n/a") << "a single season, control " << id;
        EXPECT_EQ(dialog.Colour(id), kOlive) << "control " << id;
    }
    OffscreenImage* field = OffscreenImage_Create(nullptr, 130, 170);
    Pitch_DrawField(field);
    const PanelPixels empty(field);
    OffscreenImage_Destroy(field);
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 4; ++k)
                EXPECT_TRUE(Panel(s, c, k) == empty) << "an empty pitch, panel " << s << c << k;
}

TEST(DifferenceDialog, PlayersArePairedAndEachPanelShowsItsSituationInItsPlace)
{
    // B is A with players 3 and 7 exchanged, which the pairing undoes, and
    // with player 4 elsewhere with the ball in zone column 2, zone row 0:
    // only the bottom right panel of the "With ball" group shows a move.
    TctBuilder a_positions = Spread();
    TctBuilder b_positions = Spread();
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c)
            for (int r = 0; r < 4; ++r) {
                b_positions.Set(3, s, c, r, a_positions.X(7, s, c, r), a_positions.Y(7, s, c, r));
                b_positions.Set(7, s, c, r, a_positions.X(3, s, c, r), a_positions.Y(3, s, c, r));
            }
    b_positions.Set(4, 1, 2, 0, 20, 30);
    Tactic a("A", {1, 2}, {1, 2}, {1, 2}, &a_positions);
    Tactic b("B", {1, 2}, {1, 2}, {1, 2}, &b_positions);
    Dialog dialog({&a, &b});
    EXPECT_EQ(PanelsWithLines(), "123 ");

    SetWindowPos(dialog.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(dialog.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(dialog.get());
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 4; ++k) {
                const int x = 16 + 430 * s + 138 * c;
                const int y = 20 + 178 * k;
                EXPECT_EQ(GetPixel(dc, x + 5, y + 85), kLine) << "halfway line of panel " << s << c << k;
                EXPECT_EQ(GetPixel(dc, x + 65, y + 165), kLine) << "goal line of panel " << s << c << k;
                EXPECT_NE(GetPixel(dc, x - 1, y + 85), kLine) << "left of panel " << s << c << k;
                EXPECT_NE(GetPixel(dc, x + 65, y + 170), kLine) << "below panel " << s << c << k;
            }
    ReleaseDC(dialog.get(), dc);
}

TEST(DifferenceDialog, EveryWayOfClosingReleasesPanelsAndBrush)
{
    Tactic tactic("Closing", {1, 2}, {1, 2}, {1, 2});
    const int before = OffscreenImage_LiveCount();
    for (const char* way : {"Close button", "Esc", "close box"}) {
        Dialog dialog({&tactic});
        EXPECT_EQ(OffscreenImage_LiveCount(), before + 24) << way;
        HBRUSH first = nullptr;
        HBRUSH second = nullptr;
        dialog.Colour(IDC_DIFF_GOALS, &first);
        dialog.Colour(IDC_DIFF_A_NAME, &second);
        EXPECT_NE(first, nullptr);
        EXPECT_EQ(second, first) << "one brush for the dialog's lifetime";
        EXPECT_EQ(SendMessageA(dialog.get(), WM_COMMAND, IDC_DIFF_GOALS_LABEL, 0), 0) << "other commands";
        EXPECT_EQ(OffscreenImage_LiveCount(), before + 24);

        if (way[0] == 'C')
            SendMessageA(GetDlgItem(dialog.get(), IDC_DIFF_CLOSE), BM_CLICK, 0, 0);
        else if (way[0] == 'E')
            SendMessageA(dialog.get(), WM_COMMAND, IDCANCEL, 0);
        else
            SendMessageA(dialog.get(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(OffscreenImage_LiveCount(), before) << way << " releases the panels";
        EXPECT_EQ(DifferenceDialog_Panel(0, 0, 0), nullptr) << way;
        EXPECT_EQ(GetObjectType(first), 0u) << way << " releases the brush";
        EXPECT_FALSE(IsWindowVisible(dialog.get())) << way << " ends the dialog";
    }
}
